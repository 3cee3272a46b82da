#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "VirtualClock.h"
#include "core/support/SerialPort.h"

namespace zorvex::testing {

// A serial port that records every write with its virtual time and lets the test play
// the monitor's side.
class FakeSerialPort : public SerialPort {
  public:
    explicit FakeSerialPort(const VirtualClock* clock = nullptr) : clock_(clock) {}

    struct Write {
        int64_t atMs;
        std::string bytes;
    };

    PortOpenResult Open(int portNumber) override {
        ++openCount;
        lastOpenedPort = portNumber;
        if (failOpen) {
            open_ = false;
            return {openFailure, "/dev/fake" + std::to_string(portNumber),
                    "No such file or directory"};
        }
        open_ = true;
        return {PortFailure::None, "/dev/fake" + std::to_string(portNumber), ""};
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Write(std::string_view bytes) override {
        if (failWrite || !open_) {
            return false;
        }
        writes.push_back({clock_ ? clock_->NowMs() : 0, std::string(bytes)});
        return true;
    }
    void SetReceiveHandler(std::function<void(std::string_view)> handler) override {
        receive_ = std::move(handler);
    }
    void SetFailureHandler(std::function<void(const std::string&)> handler) override {
        failure_ = std::move(handler);
    }

    // The monitor's side.
    void Receive(std::string_view bytes) {
        if (receive_) {
            receive_(bytes);
        }
    }
    void Fail(const std::string& reason) {
        open_ = false;
        if (failure_) {
            failure_(reason);
        }
    }
    std::vector<std::string> WrittenTexts() const {
        std::vector<std::string> texts;
        for (const auto& w : writes) {
            texts.push_back(w.bytes);
        }
        return texts;
    }

    std::vector<struct Write> writes;  // "struct": the member function Write hides the type
    bool failOpen = false;
    PortFailure openFailure = PortFailure::NotFound;
    bool failWrite = false;
    int openCount = 0;
    int lastOpenedPort = 0;

  private:
    const VirtualClock* clock_;
    bool open_ = false;
    std::function<void(std::string_view)> receive_;
    std::function<void(const std::string&)> failure_;
};

}  // namespace zorvex::testing
