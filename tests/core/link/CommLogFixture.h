#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakeSerialPort.h"
#include "FakeServices.h"
#include "MemorySettingsStore.h"
#include "core/app/StatusOperations.h"
#include "core/link/CommLog.h"
#include "core/support/CommandSink.h"

namespace zorvex::testing {

class RecordingCommandSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override { queued.push_back(text); }
    std::vector<std::string> queued;
};

class StatusCalls : public StatusOperations {
  public:
    void SetMonitorOnline() override { calls.push_back("online"); }
    void SetBootModeStatus() override { calls.push_back("boot"); }
    void SetMonitorOffline() override { calls.push_back("offline"); }
    void SetOfflineDemoMode() override { calls.push_back("demo"); }
    void SetGoOfflineEnabled(bool) override {}
    std::vector<std::string> calls;
};

// Log files kept in memory; a file can be told to fail after some bytes, as a full disk does.
class MemoryLogFiles : public LogFileCreator {
  public:
    struct Content {
        std::string bytes;
        bool closed = false;
    };

    LogFileCreation Create(const std::string& path) override {
        if (refuse) {
            return {nullptr, "Permission denied"};
        }
        files[path] = std::make_shared<Content>();
        return {std::make_unique<File>(files[path], failAfterBytes), {}};
    }
    const std::string& Bytes(const std::string& path) const { return files.at(path)->bytes; }

    bool refuse = false;
    long failAfterBytes = -1;  // negative: never fails
    std::map<std::string, std::shared_ptr<Content>> files;

  private:
    class File : public LogFile {
      public:
        File(std::shared_ptr<Content> content, long failAfter)
            : content_(std::move(content)), failAfter_(failAfter) {}
        bool Write(std::string_view bytes) override {
            if (failAfter_ >= 0 &&
                static_cast<long>(content_->bytes.size() + bytes.size()) > failAfter_) {
                return false;
            }
            content_->bytes.append(bytes);
            return true;
        }
        bool Flush() override { return true; }
        bool Close() override { return content_->closed = true; }
        std::string LastError() const override { return "No space left on device"; }

      private:
        std::shared_ptr<Content> content_;
        long failAfter_;
    };
};

class RecordingView : public CommLogView {
  public:
    void ShowControls(const CommLogControls& c) override { controls = c; }
    void LogTextPending() override { ++pendingCalls; }
    void ShowFileLogFailure(const std::string& message) override { failures.push_back(message); }
    // Catches up the way the window does and returns what it shows.
    const std::string& CatchUp(CommLog& log) {
        auto update = log.TakeTextUpdate();
        if (update.cleared) {
            shown.clear();
            ++clears;
        }
        return shown.append(update.appended);
    }

    CommLogControls controls;
    int pendingCalls = 0;
    int clears = 0;
    std::string shown;
    std::vector<std::string> failures;
};

struct CommLogHarness {
    LinkState link;
    RecordingCommandSink commands;
    FakeSerialPort port;
    MemorySettingsStore settings;
    StatusCalls status;
    FakeWallClock clock;
    MemoryLogFiles files;
    LogFileCreator* realFiles = nullptr;  // set to log into real files instead
    std::vector<std::string> hookCalls;
    RecordingView view;
    std::unique_ptr<CommLog> log;

    CommLogHarness() {
        port.Open(1);
        link.CommLogEnabled = true;
    }

    // The log over the harness's services, before a window is attached.
    CommLog& Build() {
        CommLogLinkHooks hooks;
        hooks.clearTransmitQueue = [this] { hookCalls.push_back("clear queue"); };
        hooks.restartConnectionAttempt = [this] {
            hookCalls.push_back("restart attempt after " +
                                (status.calls.empty() ? "nothing" : status.calls.back()));
        };
        hooks.startKeepAlive = [this](int ms) {
            hookCalls.push_back("keep-alive " + std::to_string(ms));
        };
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
