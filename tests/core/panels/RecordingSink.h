#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "core/support/CommandSink.h"

namespace zorvex::testing {

// Keeps every queued command, without its "\r\n", so tables read as the commands themselves;
// a command without that line end is noted.
class RecordingSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override {
        std::string command = text;
        if (command.size() >= 2 && command.compare(command.size() - 2, 2, "\r\n") == 0) {
            command.resize(command.size() - 2);
        } else {
            unterminated = true;
        }
        commands.push_back(command);
    }
    // The commands queued since the last look, blank-separated.
    std::string Sent() {
        std::string text;
        for (const std::string& command : Take()) {
            text += (text.empty() ? "" : " ") + command;
        }
        return text;
    }
    std::vector<std::string> Take() {
        auto taken = std::move(commands);
        commands.clear();
        return taken;
    }

    std::vector<std::string> commands;
    bool unterminated = false;
};

// A case table written as call arguments, R(...) per row, which the formatter packs several to
// a line.
template <typename Row, typename... More>
std::vector<Row> Rows(Row first, More... more) {
    return {first, more...};
}

}  // namespace zorvex::testing
