#pragma once

#include <string>

namespace zorvex {

// The value labels of the information windows that replies write into directly.
enum class InfoLabel {
    Model,            // frmID.lblModel
    Part,             // frmID.lblPart
    Serial,           // frmID.lblSerial
    RomVersion,       // frmVersion.lblMonitorEpromVersionValue
    FirmwareVersion,  // frmVersion.lblMonitorFirmwareVersionValue
    OperatingTime,    // frmOperatingTime.lblOperatingTimeValue
    OperatingCycles,  // frmOperatingTime.lblOperatingCyclesValue
};

// The windows implement it. Writing a label of a window that does not exist yet creates
// that window hidden; a reply never shows a window by itself.
class InfoLabels {
public:
    virtual ~InfoLabels() = default;
    virtual void SetInfoLabel(InfoLabel label, const std::string& text) = 0;
};

}  // namespace zorvex
