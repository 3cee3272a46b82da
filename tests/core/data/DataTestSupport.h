#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/data/MdfReader.h"
#include "core/data/MonitorDataFiles.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"
#include "core/support/CommandSink.h"

namespace zorvex::testing {

struct RecordingSink : CommandSink {
    void QueueCommand(const std::string& text) override { commands.push_back(text); }
    std::vector<std::string> Take() { return std::exchange(commands, {}); }
    std::vector<std::string> commands;
};

struct RecordingInfoLabels : InfoLabels {
    void SetInfoLabel(InfoLabel label, const std::string& text) override { shown[label] = text; }
    std::map<InfoLabel, std::string> shown;
};

// Files in memory; a path can be made to fail reading or writing with a reason.
struct MemoryFiles : MonitorDataFiles {
    FileBytes ReadWhole(const std::string& path) override {
        if (auto it = readFailures.find(path); it != readFailures.end()) {
            return {false, {}, it->second};
        }
        auto it = files.find(path);
        return it == files.end() ? FileBytes{false, {}, "No such file or directory"}
                                 : FileBytes{true, it->second, {}};
    }
    FileOutcome ReplaceWhole(const std::string& path, std::string_view bytes) override {
        ++writes;
        if (auto it = writeFailures.find(path); it != writeFailures.end()) {
            return {false, it->second};
        }
        files[path] = std::string(bytes);
        return {};
    }
    std::map<std::string, std::string> files, readFailures, writeFailures;
    int writes = 0;
};

// A reader with the identity handlers it hands the version records to.
struct ReaderRig {
    MonitorData data;
    ResponseDispatcher dispatcher;
    RecordingInfoLabels labels;
    IdentificationReplies identification{data, labels};
    MdfReader reader{data, dispatcher, labels};

    ReaderRig() { identification.Register(dispatcher); }
    MdfReadResult Read(std::string_view bytes) { return reader.Read(bytes, "mon1.mdv"); }
};

}  // namespace zorvex::testing
