#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakeSerialPort.h"
#include "FakeServices.h"
#include "MemorySettingsStore.h"
#include "NullServices.h"
#include "core/link/CommLog.h"

namespace zorvex::testing {

struct RecordingCommandSink : CommandSink {
    void QueueCommand(const std::string& text) override { queued.push_back(text); }
    std::vector<std::string> queued;
};

// Log files kept in memory.
struct MemoryLogFiles : LogFileCreator {
    struct Content {
        std::string bytes;
        bool closed = false;
    };
    struct File : LogFile {
        explicit File(std::shared_ptr<Content> content) : content(std::move(content)) {}
        bool Write(std::string_view bytes) override {
            content->bytes.append(bytes);
            return true;
        }
        bool Flush() override { return true; }
        bool Close() override { return content->closed = true; }
        std::string LastError() const override { return {}; }
        std::shared_ptr<Content> content;
    };

    LogFileCreation Create(const std::string& path) override {
        if (refuse) {
            return {nullptr, "Permission denied"};
        }
        files[path] = std::make_shared<Content>();
        return {std::make_unique<File>(files[path]), {}};
    }
    const std::string& Bytes(const std::string& path) const { return files.at(path)->bytes; }

    bool refuse = false;
    std::map<std::string, std::shared_ptr<Content>> files;
};

struct RecordingView : CommLogView {
    void ShowControls(const CommLogControls& c) override { controls = c; }
    void LogTextPending() override {}
    void ShowFileLogFailure(const std::string& message) override { failures.push_back(message); }
    CommLogControls controls;
    std::vector<std::string> failures;
};

// The status operations as calls; a reconnection from the log restarts after the last one.
struct LastStatus : NullStatus {
    void SetMonitorOffline() override { last = "offline"; }
    std::string last = "nothing";
};

struct CommLogHarness {
    LinkState link{.CommLogEnabled = true};
    RecordingCommandSink commands;
    FakeSerialPort port;
    MemorySettingsStore settings;
    LastStatus status;
    FakeWallClock clock;
    MemoryLogFiles files;
    LogFileCreator* realFiles = nullptr;  // set to log into real files instead
    std::vector<std::string> hookCalls;
    RecordingView view;
    std::unique_ptr<CommLog> log;

    CommLogHarness() { port.Open(1); }

    // The log over the harness's services, before a window is attached.
    CommLog& Build() {
        const auto call = [this](const std::string& what) { hookCalls.push_back(what); };
        const CommLogLinkHooks hooks{[=] { call("clear queue"); },
                                     [call, this] { call("restart attempt after " + status.last); },
                                     [=](int ms) { call("keep-alive " + std::to_string(ms)); }};
        log = std::make_unique<CommLog>(
            CommLogServices{link, commands, port, settings, status, clock,
                            realFiles != nullptr ? *realFiles : files, hooks});
        return *log;
    }
    // The log created with the recording view, as at start-up.
    CommLog& Make() {
        Build().SetView(&view);
        log->Create();
        return *log;
    }

    // Feeds text as the receive path does: CR as a line end, LF dropped.
    void Receive(const std::string& text) {
        for (char c : text) {
            if (c == '\r') {
                log->LogReceivedLineEnd();
            } else if (c != '\n') {
                log->LogReceivedChar(c);
            }
        }
    }
};

}  // namespace zorvex::testing
