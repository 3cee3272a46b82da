#pragma once

#include <string>

namespace zorvex {

// The one road to the monitor: a command text, normally ended by "\r\n".
class CommandSink {
public:
    virtual ~CommandSink() = default;
    virtual void QueueCommand(const std::string& text) = 0;
};

}  // namespace zorvex
