#include "core/panels/info/InfoRequests.h"

namespace zorvex {

namespace {

void Queue(CommandSink& sink, const char* command) {
    sink.QueueCommand(std::string(command) + "\r\n");
}

}  // namespace

IdLayout ActivateIdWindow(const MonitorData& data, CommandSink& sink) {
    const int version = data.FirmwareVersionNumber;
    if (version >= 100 && version <= 199) {
        Queue(sink, "dm");
        Queue(sink, "ds");
    } else if (version >= 200 && version <= 299) {
        Queue(sink, "dms");
        Queue(sink, "dss");
    }
    IdLayout layout;
    layout.partRowVisible = data.PartNumberSupported;
    if (data.PartNumberSupported) {
        Queue(sink, "dmu");
        layout.heightTwips = IdHeightWithPart;
    } else {
        layout.heightTwips = IdHeightWithoutPart;
    }
    layout.doneTopTwips = IdDoneTop(layout.heightTwips);
    return layout;
}

void RequestVersions(CommandSink& sink) {
    Queue(sink, "de");
    Queue(sink, "df");
}

std::string ToolVersionText(int major, int minor, int revision) {
    return "V " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

std::string ToolVersionText() {
    return ToolVersionText(ZORVEX_VERSION_MAJOR, ZORVEX_VERSION_MINOR, ZORVEX_VERSION_PATCH);
}

void OperatingTimeRequests::OnLoad() {
    Queue(sink_, "dt");
    loadRequestPending_ = true;
}

void OperatingTimeRequests::OnActivate() {
    if (loadRequestPending_) {
        loadRequestPending_ = false;
        return;
    }
    Queue(sink_, "dt");
}

void OperatingTimeRequests::OnReRead() {
    loadRequestPending_ = false;
    Queue(sink_, "dt");
}

}  // namespace zorvex
