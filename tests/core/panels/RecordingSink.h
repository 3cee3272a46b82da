#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/support/CommandSink.h"

namespace zorvex::testing {

// Keeps every queued command, without its "\r\n", so tables read as the commands themselves;
// a command without that line end is noted, and marked so.
class RecordingSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override {
        const bool ended = text.ends_with("\r\n");
        unterminated = unterminated || !ended;
        commands.push_back(ended ? text.substr(0, text.size() - 2) : text + " (no line end)");
    }
    // The commands queued since the last look, blank-separated.
    std::string Sent() {
        std::string text;
        for (const std::string& command : Take())
            text += (text.empty() ? "" : " ") + command;
        return text;
    }
    std::vector<std::string> Take() { return std::exchange(commands, {}); }

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
