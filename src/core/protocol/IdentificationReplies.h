#pragma once

#include <string_view>

#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {

inline constexpr std::string_view ModelNumberLabel = "Model Number = ";
inline constexpr std::string_view SerialNumberLabel = "Serial Number = ";
inline constexpr std::string_view CapabilityLabel = "Capability = ";

// The handlers that take the monitor's identity out of its answers. Each receives the text
// after its dispatch letters, stores into MonitorData and writes the same text into the
// matching information label. An answer they cannot read changes nothing.
class IdentificationReplies {
  public:
    IdentificationReplies(MonitorData& data, InfoLabels& labels) : data_(data), labels_(labels) {}

    // DMS, DMU, DMT, DSS, DST and DE, DF and DX of the dispatcher.
    void Register(ResponseDispatcher& dispatcher);

    void HandleModelNumber(std::string_view text);      // DMS
    void HandlePartNumber(std::string_view text);       // DMU
    void HandleCrtPartNumber(std::string_view text);    // DMT
    void HandleSerialNumber(std::string_view text);     // DSS
    void HandleCrtSerialNumber(std::string_view text);  // DST
    void HandleRomVersion(std::string_view text);       // DE
    void HandleFirmwareVersion(std::string_view text);  // DF
    void HandleCapability(std::string_view text);       // DX

  private:
    MonitorData& data_;
    InfoLabels& labels_;
};

// Whether the monitor family of a firmware version has part numbers: false from 300 on and
// up to 138, true for 200 to 298; in between (139 to 199, and 299) it stays as it was.
bool PartNumberSupportedAfter(int firmwareVersionNumber, bool previous);

}  // namespace zorvex
