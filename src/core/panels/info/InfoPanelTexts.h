#pragma once

namespace zorvex::info_texts {

// The information windows' own words, exactly as the tool has always shown them.

// frmID
inline constexpr const char* IdCaption = "Model & Serial Numbers";
inline constexpr const char* ModelLabel = "Model Number:";
inline constexpr const char* SerialLabel = "Serial Number:";
inline constexpr const char* PartLabel = "Part Number:";
inline constexpr const char* IdDone = "Done";
inline constexpr const char* IdDoneTip = "DIsmiss This Window";

// frmVersion
inline constexpr const char* VersionCaption = "Version";
inline constexpr const char* FirmwareVersionLabel = "Monitor Firmware Version:";
inline constexpr const char* EpromVersionLabel = "Monitor EPROM Version:";
inline constexpr const char* ToolVersionLabel = "Zorvex Version:";
inline constexpr const char* ReRead = "ReRead";
inline constexpr const char* Ok = "OK";
inline constexpr const char* VersionOkTip = "Dismiss This Window";

// frmOperatingTime
inline constexpr const char* OpTimeCaption = "Operating Time";
inline constexpr const char* OperatingTimeLabel = "Operating Time:";
inline constexpr const char* OperatingTimeUnits = "ddd:hh:mm:ss";
inline constexpr const char* OperatingCyclesLabel = "On-Off Cycles:";

// frmCapability (the unit captions are the capability names of the protocol)
inline constexpr const char* CapabilityCaption = "Monitor Configuration";
inline constexpr const char* CapabilityDone = "Done";

}  // namespace zorvex::info_texts
