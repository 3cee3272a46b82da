#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/StatusBar.h"
#include "core/support/CommandSink.h"

namespace zorvex {

// What a command that stores into or writes to the monitor does, for a notice: "gain 123"
// for a store ("TGW2E123"), "byte 0x12" and "word 0x1234" for the peek-and-poke writes;
// nothing for any other command.
std::optional<std::string> DescribeStore(std::string_view command);
std::optional<std::string> DescribeWrite(std::string_view command);

// Stands between a window and the transmit queue and confirms its stores and writes once the
// monitor has answered them: "Stored gain sign 0, gain 123 (monitor: ...)" when the last store
// queued together is answered, with the monitor's own first answer line, so a refusal is seen
// as such. An answer closed by "!" is sent again by the queue and confirms nothing yet.
class WriteConfirmations : public CommandSink {
  public:
    WriteConfirmations(CommandSink& queue, StatusBarView& view) : queue_(queue), view_(view) {}

    void QueueCommand(const std::string& text) override;
    // Every reply block the receive path closes, echo first, prompt last.
    void OnReplyBlock(std::string_view block);

  private:
    struct Pending {
        std::string command;  // without "\r\n"
        std::string verb;     // "Stored" or "Wrote"
        std::string what;
    };

    CommandSink& queue_;
    StatusBarView& view_;
    std::deque<Pending> pending_;
    std::string verb_;
    std::string done_;
};

}  // namespace zorvex
