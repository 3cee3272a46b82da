#pragma once

#include <string>

namespace zorvex {

// Where the receive path hands the received traffic while CommLogEnabled is on.
// The communication log implements it.
class TrafficLog {
public:
    virtual ~TrafficLog() = default;
    virtual void LogReceivedChar(char c) = 0;  // any received character but CR and LF
    virtual void LogReceivedLineEnd() = 0;     // a received carriage return
    virtual void LogNote(const std::string& text) = 0;
};

}  // namespace zorvex
