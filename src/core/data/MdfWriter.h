#pragma once

#include <string>

#include "core/data/MonitorData.h"
#include "core/support/SystemServices.h"

namespace zorvex {

// Record labels of the monitor data file, written exactly (the trailing blanks included).
namespace mdf {
inline constexpr const char* FileCreated = "File Created: ";
inline constexpr const char* ModelNumber = "Model Number: ";
inline constexpr const char* SerialNumber = "Serial Number: ";
inline constexpr const char* PartNumber = "Part Number: ";
inline constexpr const char* CrtSerialNumber = "CRT Serial Number: ";
inline constexpr const char* CrtPartNumber = "CRT Part Number: ";
inline constexpr const char* FirmwareVersion = "Firmware Version: ";
inline constexpr const char* RomVersion = "ROM Version: ";
inline constexpr const char* OperatingHours = "Operating Hours: ";
inline constexpr const char* OperatingCycles = "Operating Cycles: ";
inline constexpr const char* HvUpperLimit = "HV Upper Limit: ";
inline constexpr const char* HvLowerLimit = "HV Lower Limit: ";
inline constexpr const char* NumScanSets = "NumScanSets";
inline constexpr const char* NumLDacs = "NumLDacs";
inline constexpr const char* NumBDacs = "NumBDacs";
inline constexpr const char* NumHDacs = "NumHDacs";
inline constexpr const char* NumVDacs = "NumVDacs";
inline constexpr const char* NumNDacs = "NumNDacs";
inline constexpr const char* ScanSet = "ScanSet";
inline constexpr const char* ScanSetName = "ScanSetName";
inline constexpr const char* Comment = "#";
// The H slot that is saved after the counted H DACs, whatever their count.
inline constexpr int HorizSCapSlot = 8;
}  // namespace mdf

// The date and time as the general date format shows them ("6/14/2001 9:05:07 AM"); at
// midnight the date alone.
std::string GeneralDateText(const LocalDateTime& when);

// The whole monitor data file for the model as it is now, byte for byte: identity records
// only while a monitor is online (the CRT numbers only for firmware 100 to 299), the counts,
// and one block for each enabled scan set. Scan sets beyond the enable flags count as not
// enabled.
std::string BuildMdfContent(const MonitorData& data, const LocalDateTime& created);

}  // namespace zorvex
