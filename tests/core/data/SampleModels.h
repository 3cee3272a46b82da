#pragma once

#include <string>

#include "core/data/MonitorData.h"

namespace zorvex::testing {

// A monitor that has answered everything: identity, versions, limits, and DAC tables in
// scan sets 0, 2 and 5 (scan set 1 holds values and a title too, but is not enabled).
inline MonitorData FullModel(int16_t firmware) {
    MonitorData data;
    data.MonitorOnline = true;
    data.ModelNumber = "KX-2100";
    data.SerialNumber = "SN 004711";
    data.PartNumber = "P/N 88-1234";
    data.CrtSerialNumber = "CRT 5521";
    data.CrtPartNumber = "CRT-PN 17";
    data.FirmwareVersion = "V " + std::to_string(firmware / 100) + "." +
                           std::to_string(firmware % 100 / 10) + std::to_string(firmware % 10);
    data.FirmwareVersionNumber = firmware;
    data.RomVersion = "V 1.10";
    data.OperatingHours = "1234:05:07:09";
    data.OperatingCycles = "42";
    data.HvUpperLimit = 28;
    data.HvLowerLimit = -3;
    data.ScanSetName = {"Day 1280x1024", "Hidden Title", "Night Stroke", "", "", "Maintenance"};
    data.ScanSetEnabled = {true, false, true, false, false, true};
    for (int family = 0; family < static_cast<int>(data.Families.size()); ++family) {
        auto& f = data.Families[family];
        for (int slot = 0; slot < MaxDacsPerFamily; ++slot) {
            for (int column = 0; column < MaxScanSetSlots; ++column) {
                f.value[slot][column] = static_cast<int16_t>(100 + 10 * family + slot + column);
                f.factory[slot][column] = static_cast<int16_t>(family * 16 + slot * 3 + column);
                f.initial[slot][column] = static_cast<int16_t>(255 - slot - column * 7);
            }
        }
    }
    data.Family(DacFamily::H).factory[8][0] = -1;  // as a slot 8 answer without a number
    return data;
}

}  // namespace zorvex::testing
