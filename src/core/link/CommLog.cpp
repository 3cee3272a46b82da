#include "core/link/CommLog.h"

#include "core/app/StatusOperations.h"
#include "core/link/LogFileName.h"
#include "core/settings/SettingsStore.h"
#include "core/support/CommandSink.h"
#include "core/support/SerialPort.h"
#include "core/support/SystemServices.h"

namespace zorvex {

namespace {
constexpr std::string_view kConfigs = "Configs";
constexpr std::string_view kCommLogOpenKey = "CommLogOpen";
constexpr std::string_view kAutoPingKey = "AutoPingEnabled";
constexpr std::string_view kBypassKey = "BypassTransmitQueue";

constexpr const char* kTerse = "CU\r\n";
constexpr const char* kVerbose = "CV\r\n";
constexpr const char* kCheckingOff = "cz0\r\n";
constexpr const char* kCheckingOn = "cz1\r\n";
constexpr const char* kCommandEnd = "\r\n";
// Log files keep the line ends the tool has always written, so old and new logs compare.
constexpr const char* kFileLineEnd = "\r\n";
constexpr const char* kDisableAutoPing = "Disable AutoPing";
constexpr const char* kEnableAutoPing = "Enable AutoPing";
constexpr int kKeepAliveAfterAutoPingMs = 2000;

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
}  // namespace

CommLog::CommLog(CommLogServices services) : s_(std::move(services)) {}

CommLog::~CommLog() = default;

void CommLog::SetView(CommLogView* view) {
    view_ = view;
    if (view_ != nullptr) {
        // A window that arrives late starts from the whole text.
        viewMustClear_ = true;
        viewLength_ = 0;
        textPending_ = false;
        MarkTextPending();
        RefreshControls();
    }
}

void CommLog::Create() {
    if (created_) {
        return;
    }
    created_ = true;
    windowLogEnabled_ = true;
    fileLogEnabled_ = false;
    const bool autoPing = s_.settings.Read(kConfigs, kAutoPingKey, "1") == "1";
    s_.link.AutoPingEnabled = autoPing;
    s_.link.XmitQueueOverride = s_.settings.Read(kConfigs, kBypassKey, "1") == "1";
    RefreshControls();
}

void CommLog::Close() {
    WriteOneZero(s_.settings, kConfigs, kCommLogOpenKey, commLogOpen_);
    WriteOneZero(s_.settings, kConfigs, kAutoPingKey, s_.link.AutoPingEnabled);
    // The box shows the flag, so this is what the user last saw in it.
    WriteOneZero(s_.settings, kConfigs, kBypassKey, s_.link.XmitQueueOverride);
    if (file_ != nullptr) {
        file_->Close();
        StopFileLog();
    }
}

void CommLog::Activate() {
    commLogOpen_ = true;
    RefreshControls();
}

void CommLog::Done() {
    commLogOpen_ = false;
}

void CommLog::LogReceivedChar(char c) {
    if (text_.size() > kWindowTextLimit) {
        EmptyWindowText();
    }
    text_.push_back(c);
    MarkTextPending();
    if (fileLogEnabled_ && file_ != nullptr) {
        WriteToFile(std::string_view(&c, 1), false);
    }
}

void CommLog::LogReceivedLineEnd() {
    if (text_.size() > kWindowTextLimit) {
        EmptyWindowText();
    }
    AppendToWindow(kCommandEnd);
    if (fileLogEnabled_ && file_ != nullptr) {
        // Line by line, so a failing medium is noticed early and little is lost.
        WriteToFile(kFileLineEnd, true);
    }
}

void CommLog::LogNote(const std::string& text) {
    AppendToWindow(kCommandEnd);
    AppendToWindow(text);
}

LogTextUpdate CommLog::TakeTextUpdate() {
    LogTextUpdate update;
    update.cleared = viewMustClear_;
    update.appended = std::string_view(text_).substr(viewLength_);
    viewMustClear_ = false;
    viewLength_ = text_.size();
    textPending_ = false;
    return update;
}

void CommLog::TypeKey(char key) {
    if (s_.link.XmitQueueOverride) {
        s_.port.Write(std::string_view(&key, 1));
        if (key == kCarriageReturn) {
            s_.port.Write(std::string_view(&kLineFeed, 1));
        }
        return;
    }
    if (key == kCarriageReturn) {
        std::string command = typedLine_ + kCommandEnd;
        typedLine_.clear();
        s_.commands.QueueCommand(command);
        return;
    }
    typedLine_.push_back(key);
}

void CommLog::Terse() {
    s_.commands.QueueCommand(kTerse);
}

void CommLog::Verbose() {
    s_.commands.QueueCommand(kVerbose);
}

void CommLog::DisableChecking() {
    s_.commands.QueueCommand(kCheckingOff);
    checkOffShown_ = false;
    RefreshControls();
}

void CommLog::EnableChecking() {
    s_.commands.QueueCommand(kCheckingOn);
    checkOffShown_ = true;
    RefreshControls();
}

void CommLog::ReConnect() {
    s_.status.SetMonitorOffline();
    if (s_.hooks.restartConnectionAttempt) {
        s_.hooks.restartConnectionAttempt();
    }
}

void CommLog::ClearXmitQueue() {
    if (s_.hooks.clearTransmitQueue) {
        s_.hooks.clearTransmitQueue();
    }
}

void CommLog::SetXmitQueueBypass(bool checked) {
    s_.link.XmitQueueOverride = checked;
    RefreshControls();
}

void CommLog::SwitchAutoPing() {
    if (s_.link.AutoPingEnabled) {
        s_.link.AutoPingEnabled = false;
    } else {
        s_.link.AutoPingEnabled = true;
        if (s_.hooks.startKeepAlive) {
            s_.hooks.startKeepAlive(kKeepAliveAfterAutoPingMs);
        }
    }
    RefreshControls();
}

void CommLog::ClearLogWindow() {
    EmptyWindowText();
}

void CommLog::SetWindowLogEnabled(bool checked) {
    windowLogEnabled_ = checked;
    s_.link.CommLogEnabled = checked;
    RefreshControls();
}

void CommLog::SetFileLogEnabled(bool checked) {
    fileLogEnabled_ = file_ != nullptr && checked;
    RefreshControls();
}

std::string CommLog::ProposedFileName() const {
    return ProposedLogFileName(s_.clock.Now());
}

CommLog::FileOpenResult CommLog::OpenLogFile(const std::string& path) {
    if (file_ != nullptr || path.empty()) {
        return {};
    }
    auto creation = s_.files.Create(path);
    if (creation.file == nullptr) {
        return {false, "The log file " + path + " could not be created (" + creation.error +
                           "). File logging is unchanged."};
    }
    file_ = std::move(creation.file);
    filePath_ = path;
    fileLogEnabled_ = false;
    fileBoxEnabled_ = true;
    RefreshControls();
    return {true, {}};
}

std::string CommLog::CloseLogFile() {
    if (file_ == nullptr) {
        return {};
    }
    std::string message;
    if (!file_->Close()) {
        message = "The end of the log file could not be written (" + file_->LastError() + ").";
    }
    StopFileLog();
    return message;
}

void CommLog::SetIndicatorOnline(bool online) {
    indicatorOnline_ = online;
    RefreshControls();
}

void CommLog::RefreshControls() {
    if (view_ != nullptr) {
        view_->ShowControls(Controls());
    }
}

CommLogControls CommLog::Controls() const {
    CommLogControls c;
    c.checkOffShown = checkOffShown_;
    c.autoPingCaption = s_.link.AutoPingEnabled ? kDisableAutoPing : kEnableAutoPing;
    c.bypassChecked = s_.link.XmitQueueOverride;
    // The receive path logs only while CommLogEnabled is on, so that is what the box means.
    c.windowLogChecked = s_.link.CommLogEnabled && windowLogEnabled_;
    c.fileBoxEnabled = fileBoxEnabled_;
    c.fileBoxChecked = fileLogEnabled_;
    c.logToFileEnabled = file_ == nullptr;
    c.closeLogFileEnabled = file_ != nullptr;
    c.indicatorOnline = indicatorOnline_;
    // An open file is written only while its box is ticked; say which it is.
    c.fileLogStatus = file_ == nullptr ? "File log: none"
                      : fileLogEnabled_
                          ? "File log: writing to " + filePath_
                          : "File log: " + filePath_ + " open, not writing (tick File Log Enabled)";
    return c;
}

void CommLog::AppendToWindow(std::string_view text) {
    text_.append(text);
    MarkTextPending();
}

void CommLog::EmptyWindowText() {
    text_.clear();
    viewLength_ = 0;
    viewMustClear_ = true;
    MarkTextPending();
}

void CommLog::MarkTextPending() {
    if (textPending_) {
        return;
    }
    textPending_ = true;
    if (view_ != nullptr) {
        view_->LogTextPending();
    }
}

void CommLog::WriteToFile(std::string_view bytes, bool flush) {
    const bool ok = file_->Write(bytes) && (!flush || file_->Flush());
    if (ok) {
        return;
    }
    const std::string reason = file_->LastError();
    file_->Close();
    StopFileLog();
    if (view_ != nullptr) {
        view_->ShowFileLogFailure("Writing the log file failed (" + reason +
                                  "). File logging has stopped; the log window goes on.");
    }
}

void CommLog::StopFileLog() {
    file_.reset();
    fileLogEnabled_ = false;
    fileBoxEnabled_ = false;
    RefreshControls();
}

}  // namespace zorvex
