#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/data/MonitorData.h"
#include "core/data/MonitorDataFiles.h"

namespace zorvex {

// One thing in which two sets of monitor data differ, in the terms of the data file: a
// record (identity, limits, counts, a scan set's title), a scan set saved in one but not
// the other, or one DAC cell of a scan set both hold.
struct MonitorDataDifference {
    enum class Kind { Record, ScanSet, Cell };
    Kind kind = Kind::Record;
    std::string record;  // Record: the file's label without its colon, "Serial Number"
    int scanSet = -1;    // ScanSet, Cell, and the title record of a scan set
    DacFamily family = DacFamily::L;
    int slot = 0;
    std::string name;  // the DAC's name; empty for an unnamed slot
    DacTableKind table = DacTableKind::Value;
    std::string a;  // as the file writes it; "present" or "absent" for a scan set
    std::string b;
};

// What differs between a and b: the identity and limit records, the counts, which scan sets
// would be saved, and for each scan set both would save the titles and every saved DAC
// cell (the counted slots of either side, and H slot 8). Empty when they are alike.
std::vector<MonitorDataDifference> CompareMonitorData(const MonitorData& a, const MonitorData& b);

// The difference named for a reader: "Serial Number", "ScanSet 2",
// "ScanSet 0 L2 Red Gain value".
std::string DifferenceSubject(const MonitorDataDifference& difference);
char FamilyLetter(DacFamily family);
const char* TableName(DacTableKind table);  // "value", "factory", "initial"

// The identity of a monitor as the data file records it, by the file's labels without the
// colon, in file order; the CRT numbers only for the families that have them.
struct IdentityRecord {
    const char* label;  // "Model Number"
    const char* key;    // "model", for machine-readable output
    std::string value;
};
std::vector<IdentityRecord> IdentityRecords(const MonitorData& data, bool withCrtNumbers);

// A data file read with the tool's reader into a model of its own, in which only the scan
// sets whose blocks the file holds count as saved.
struct LoadedMonitorData {
    bool ok = false;
    std::string message;  // the reader's or the system's words when not ok
    MonitorData data;
};
LoadedMonitorData LoadMonitorDataFile(MonitorDataFiles& files, const std::string& path,
                                      const std::string& title);
LoadedMonitorData LoadMonitorData(std::string_view bytes, const std::string& title);

}  // namespace zorvex
