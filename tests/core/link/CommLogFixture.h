#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakeServices.h"
#include "MemorySettingsStore.h"
#include "core/app/StatusOperations.h"
#include "core/link/CommLog.h"
#include "core/support/CommandSink.h"
#include "core/support/SerialPort.h"

namespace zorvex::testing {

// A port that records what is written straight to it.
class RecordingPort : public SerialPort {
  public:
    PortOpenResult Open(int) override {
        open = true;
        return {};
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    bool Write(std::string_view bytes) override {
        if (!open) {
            return false;
        }
        written.emplace_back(bytes);
        return true;
    }
    void SetReceiveHandler(std::function<void(std::string_view)>) override {}
    void SetFailureHandler(std::function<void(const std::string&)>) override {}
    std::vector<std::string> WrittenTexts() const { return written; }

    bool open = false;
    std::vector<std::string> written;
};

class RecordingCommandSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override { queued.push_back(text); }
    std::vector<std::string> queued;
};

class RecordingStatus : public StatusOperations {
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
        auto content = std::make_shared<Content>();
        files[path] = content;
        return {std::make_unique<File>(content, failAfterBytes), {}};
    }

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
                ++failures;
                return false;
            }
            content_->bytes.append(bytes);
            return true;
        }
        bool Flush() override { return true; }
        bool Close() override {
            content_->closed = true;
            return true;
        }
        std::string LastError() const override { return "No space left on device"; }
        int failures = 0;

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
        shown.append(update.appended);
        return shown;
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
    RecordingPort port;
    MemorySettingsStore settings;
    RecordingStatus status;
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

    CommLog& Make() {
        CommLogLinkHooks hooks;
        hooks.clearTransmitQueue = [this] { hookCalls.push_back("clear queue"); };
        hooks.restartConnectionAttempt = [this] {
            hookCalls.push_back("restart attempt after " + Last(status.calls));
        };
        hooks.startKeepAlive = [this](int ms) {
            hookCalls.push_back("keep-alive " + std::to_string(ms));
        };
        log = std::make_unique<CommLog>(
            CommLogServices{link, commands, port, settings, status, clock,
                            realFiles != nullptr ? *realFiles : files, hooks});
        log->SetView(&view);
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

    static std::string Last(const std::vector<std::string>& v) {
        return v.empty() ? std::string("nothing") : v.back();
    }
};

}  // namespace zorvex::testing
