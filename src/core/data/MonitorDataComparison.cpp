#include "core/data/MonitorDataComparison.h"

#include <algorithm>

#include "core/data/MdfReader.h"
#include "core/data/MdfWriter.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/LinkReplyHandlers.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {

namespace {

constexpr DacFamily FileOrder[] = {DacFamily::L, DacFamily::B, DacFamily::H, DacFamily::V,
                                   DacFamily::N};
constexpr DacTableKind Tables[] = {DacTableKind::Value, DacTableKind::Factory,
                                   DacTableKind::Initial};

// A reply may leave a line end on an identity text; it means nothing to a reader.
std::string Shown(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

std::string Label(const char* fileLabel) {
    std::string label = fileLabel;
    while (!label.empty() && (label.back() == ' ' || label.back() == ':')) {
        label.pop_back();
    }
    return label;
}

// The scan sets the writer would save: enabled, below NumScanSets and within the flags.
bool Saved(const MonitorData& data, int scanSet) {
    return scanSet < data.NumScanSets && data.IsScanSetEnabled(scanSet).value_or(false);
}

// The slots a scan-set block holds for a family on either side.
std::vector<int> SavedSlots(const MonitorData& a, const MonitorData& b, DacFamily family) {
    const int count =
        std::clamp<int>(std::max(a.DacCount(family), b.DacCount(family)), 0, MaxDacsPerFamily);
    std::vector<int> slots;
    for (int slot = 0; slot < count; ++slot) {
        slots.push_back(slot);
    }
    if (family == DacFamily::H && count <= mdf::HorizSCapSlot) {
        slots.push_back(mdf::HorizSCapSlot);
    }
    return slots;
}

class NoLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel, const std::string&) override {}
};

}  // namespace

char FamilyLetter(DacFamily family) {
    return "LBHVN"[static_cast<int>(family)];
}

const char* TableName(DacTableKind table) {
    switch (table) {
        case DacTableKind::Factory:
            return "factory";
        case DacTableKind::Initial:
            return "initial";
        case DacTableKind::Value:
            break;
    }
    return "value";
}

std::vector<IdentityRecord> IdentityRecords(const MonitorData& data, bool withCrtNumbers) {
    std::vector<IdentityRecord> records = {
        {"Model Number", "model", Shown(data.ModelNumber)},
        {"Serial Number", "serial", Shown(data.SerialNumber)},
        {"Part Number", "part", Shown(data.PartNumber)},
        {"CRT Serial Number", "crtSerial", Shown(data.CrtSerialNumber)},
        {"CRT Part Number", "crtPart", Shown(data.CrtPartNumber)},
        {"Firmware Version", "firmware", Shown(data.FirmwareVersion)},
        {"ROM Version", "rom", Shown(data.RomVersion)},
        {"Operating Hours", "operatingHours", Shown(data.OperatingHours)},
        {"Operating Cycles", "operatingCycles", Shown(data.OperatingCycles)},
        {"HV Upper Limit", "hvUpperLimit", std::to_string(data.HvUpperLimit)},
        {"HV Lower Limit", "hvLowerLimit", std::to_string(data.HvLowerLimit)},
    };
    if (!withCrtNumbers) {
        std::erase_if(records, [](const IdentityRecord& r) { return r.key[0] == 'c'; });
    }
    return records;
}

std::vector<MonitorDataDifference> CompareMonitorData(const MonitorData& a, const MonitorData& b) {
    std::vector<MonitorDataDifference> out;
    auto record = [&](std::string label, std::string va, std::string vb, int scanSet = -1) {
        if (va != vb) {
            MonitorDataDifference d;
            d.record = std::move(label);
            d.scanSet = scanSet;
            d.a = std::move(va);
            d.b = std::move(vb);
            out.push_back(std::move(d));
        }
    };
    const auto identityA = IdentityRecords(a, true);
    const auto identityB = IdentityRecords(b, true);
    for (std::size_t i = 0; i < identityA.size(); ++i) {
        record(identityA[i].label, identityA[i].value, identityB[i].value);
    }
    record(mdf::NumScanSets, std::to_string(a.NumScanSets), std::to_string(b.NumScanSets));
    for (DacFamily family : FileOrder) {
        record(std::string("Num") + FamilyLetter(family) + "Dacs",
               std::to_string(a.DacCount(family)), std::to_string(b.DacCount(family)));
    }
    for (int s = 0; s < ScanSetTitleSlots; ++s) {
        const bool inA = Saved(a, s);
        const bool inB = Saved(b, s);
        if (inA != inB) {
            MonitorDataDifference d;
            d.kind = MonitorDataDifference::Kind::ScanSet;
            d.scanSet = s;
            d.a = inA ? "present" : "absent";
            d.b = inB ? "present" : "absent";
            out.push_back(std::move(d));
        }
        if (!inA || !inB) {
            continue;
        }
        record(mdf::ScanSetName, a.ScanSetName[s], b.ScanSetName[s], s);
        for (DacFamily family : FileOrder) {
            for (int slot : SavedSlots(a, b, family)) {
                for (DacTableKind table : Tables) {
                    const int16_t va = a.Cell(family, table, slot, s).value_or(0);
                    const int16_t vb = b.Cell(family, table, slot, s).value_or(0);
                    if (va == vb) {
                        continue;
                    }
                    MonitorDataDifference d;
                    d.kind = MonitorDataDifference::Kind::Cell;
                    d.scanSet = s;
                    d.family = family;
                    d.slot = slot;
                    const std::string nameA = a.DacName(family, slot).value_or("");
                    d.name = nameA.empty() ? b.DacName(family, slot).value_or("") : nameA;
                    d.table = table;
                    d.a = std::to_string(va);
                    d.b = std::to_string(vb);
                    out.push_back(std::move(d));
                }
            }
        }
    }
    return out;
}

std::string DifferenceSubject(const MonitorDataDifference& d) {
    using Kind = MonitorDataDifference::Kind;
    const std::string scanSet = std::string(mdf::ScanSet) + " " + std::to_string(d.scanSet);
    switch (d.kind) {
        case Kind::Record:
            return d.scanSet < 0 ? d.record : scanSet + " " + Label(mdf::ScanSetName);
        case Kind::ScanSet:
            return scanSet;
        case Kind::Cell:
            break;
    }
    std::string subject = scanSet + " " + FamilyLetter(d.family) + std::to_string(d.slot);
    if (!d.name.empty()) {
        subject += " " + d.name;
    }
    return subject + " " + TableName(d.table);
}

LoadedMonitorData LoadMonitorData(std::string_view bytes, const std::string& title) {
    LoadedMonitorData loaded;
    MonitorData& data = loaded.data;
    // Only the blocks of the file make a scan set saved.
    data.ScanSetEnabled.fill(false);
    NoLabels labels;
    ResponseDispatcher dispatcher;
    IdentificationReplies identity(data, labels);
    identity.Register(dispatcher);
    RegisterLinkReplyHandlers(dispatcher, data, labels);
    RegisterDacTableHandlers(dispatcher, data);
    MdfReader reader(data, dispatcher, labels);
    MdfReadResult result = reader.Read(bytes, title);
    loaded.ok = result.outcome == MdfReadResult::Outcome::Completed;
    loaded.message = std::move(result.message);
    return loaded;
}

LoadedMonitorData LoadMonitorDataFile(MonitorDataFiles& files, const std::string& path,
                                      const std::string& title) {
    FileBytes file = files.ReadWhole(path);
    if (!file.ok) {
        LoadedMonitorData failed;
        failed.message = "The file " + path + " could not be read: " + file.reason;
        return failed;
    }
    return LoadMonitorData(file.bytes, title);
}

}  // namespace zorvex
