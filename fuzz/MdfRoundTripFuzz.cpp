// A model with arbitrary texts and values saved and reopened: every record the file holds
// reads back as written. The format carries any text but one with a double quote, which is
// saved with an apostrophe in its place; the versions take the road of the monitor's own
// answers, so they read back as those answers make them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "NullServices.h"
#include "core/data/MdfReader.h"
#include "core/data/MdfWriter.h"
#include "core/data/MonitorData.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace {

using namespace zorvex;
using zorvex::fuzzing::Require;

// A model with its version replies handled as the monitor's answers would be.
struct AnsweredModel {
    MonitorData data;
    testing::NullLabels labels;
    ResponseDispatcher dispatcher;
    IdentificationReplies identification{data, labels};
    AnsweredModel() { identification.Register(dispatcher); }
};

std::string AsSaved(std::string text) {
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

// A text as C++ would write it, so the report shows blanks, quotes and line ends.
std::string Shown(const std::string& text) {
    std::string shown = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            shown += '\\';
        }
        if (c < 0x20 || c >= 0x7f) {
            static constexpr char Hex[] = "0123456789abcdef";
            shown += std::string("\\x") + Hex[c >> 4] + Hex[c & 15];
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown + "\"";
}

void Same(const std::string& read, const std::string& written, const char* what) {
    Require(read == AsSaved(written), std::string(what) + " " + Shown(written) +
                                          " should read back as " + Shown(AsSaved(written)) +
                                          ", reads back as " + Shown(read));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider in(bytes, size);
    AnsweredModel written;
    MonitorData& w = written.data;
    w.MonitorOnline = in.ConsumeBool();
    for (auto text :
         {&MonitorData::ModelNumber, &MonitorData::SerialNumber, &MonitorData::PartNumber,
          &MonitorData::CrtSerialNumber, &MonitorData::CrtPartNumber, &MonitorData::OperatingHours,
          &MonitorData::OperatingCycles}) {
        w.*text = in.ConsumeRandomLengthString(24);
    }
    written.dispatcher.Dispatch("df\r\n" + in.ConsumeRandomLengthString(16));
    written.dispatcher.Dispatch("de\r\n" + in.ConsumeRandomLengthString(16));
    w.HvUpperLimit = in.ConsumeIntegral<int16_t>();
    w.HvLowerLimit = in.ConsumeIntegral<int16_t>();
    w.NumScanSets = in.ConsumeIntegralInRange<int16_t>(-1, 8);
    for (int s = 0; s < ScanSetTitleSlots; ++s) {
        w.ScanSetEnabled[s] = in.ConsumeBool();
        const std::string title = in.ConsumeRandomLengthString(24);
        w.ScanSetName[s] = title.empty() ? "T" : title;  // the tool never holds an empty title
    }
    for (auto& family : w.Families) {
        family.count = in.ConsumeIntegralInRange<int16_t>(0, 8);
        for (auto* table : {&family.value, &family.factory, &family.initial}) {
            for (auto& row : *table) {
                for (auto& cell : row) {
                    cell = in.ConsumeIntegral<int16_t>();
                }
            }
        }
    }

    const std::string file = BuildMdfContent(w, {2026, 12, 6, 13, 5, 7});
    AnsweredModel read;
    MonitorData& r = read.data;
    const auto result = MdfReader(r, read.dispatcher, read.labels).Read(file, "round.mdv");
    Require(result.outcome == MdfReadResult::Outcome::Completed,
            "a saved file reopens whole, not: " + result.message);

    if (w.MonitorOnline) {
        Same(r.ModelNumber, w.ModelNumber, "the model number");
        Same(r.SerialNumber, w.SerialNumber, "the serial number");
        Same(r.PartNumber, w.PartNumber, "the part number");
        if (w.FirmwareVersionNumber >= 100 && w.FirmwareVersionNumber < 300) {
            Same(r.CrtSerialNumber, w.CrtSerialNumber, "the CRT serial number");
            Same(r.CrtPartNumber, w.CrtPartNumber, "the CRT part number");
        }
        Same(r.OperatingHours, w.OperatingHours, "the operating hours");
        Same(r.OperatingCycles, w.OperatingCycles, "the operating cycles");
        // The saved versions, answered again as the monitor's replies.
        AnsweredModel expected;
        expected.dispatcher.Dispatch("df\r\n" + AsSaved(w.FirmwareVersion));
        expected.dispatcher.Dispatch("de\r\n" + AsSaved(w.RomVersion));
        Require(r.FirmwareVersion == expected.data.FirmwareVersion &&
                    r.FirmwareVersionNumber == expected.data.FirmwareVersionNumber &&
                    r.RomVersion == expected.data.RomVersion,
                "the versions read back as their answers make them");
        Require(r.HvUpperLimit == w.HvUpperLimit && r.HvLowerLimit == w.HvLowerLimit,
                "the high-voltage limits read back");
    }
    Require(r.NumScanSets == w.NumScanSets, "the scan-set count reads back");
    for (auto family : {DacFamily::L, DacFamily::B, DacFamily::H, DacFamily::V, DacFamily::N}) {
        Require(r.DacCount(family) == w.DacCount(family), "the DAC counts read back");
    }
    for (int s = 0; s < std::min<int>(w.NumScanSets, ScanSetTitleSlots); ++s) {
        if (!w.ScanSetEnabled[s]) {
            continue;
        }
        Require(r.ScanSetEnabled[s], "a saved scan set is enabled when reopened");
        Same(r.ScanSetName[s], w.ScanSetName[s], "a scan-set title");
        for (auto family : {DacFamily::L, DacFamily::B, DacFamily::H, DacFamily::V, DacFamily::N}) {
            const auto& wf = w.Family(family);
            const auto& rf = r.Family(family);
            for (int slot = 0; slot < MaxDacsPerFamily; ++slot) {
                const bool saved = slot < wf.count || (family == DacFamily::H && slot == 8);
                if (saved) {
                    Require(rf.value[slot][s] == wf.value[slot][s] &&
                                rf.factory[slot][s] == wf.factory[slot][s] &&
                                rf.initial[slot][s] == wf.initial[slot][s],
                            "DAC " + std::string(1, "LBHVN"[static_cast<int>(family)]) +
                                std::to_string(slot) + " of scan set " + std::to_string(s) +
                                " reads back");
                }
            }
        }
    }
    return 0;
}
