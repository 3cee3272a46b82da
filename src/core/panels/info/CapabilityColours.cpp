#include "core/panels/info/CapabilityColours.h"

namespace zorvex {

bool CapabilityFlagsShown(int firmwareVersionNumber) {
    return (firmwareVersionNumber >= 209 && firmwareVersionNumber < 300) ||
           (firmwareVersionNumber >= 310 && firmwareVersionNumber < 400);
}

std::array<IndicatorColour, CapabilityFlagCount> CapabilityIndicatorColours(
    const MonitorData& data) {
    std::array<IndicatorColour, CapabilityFlagCount> colours;
    const bool shown = CapabilityFlagsShown(data.FirmwareVersionNumber);
    for (std::size_t bit = 0; bit < colours.size(); ++bit) {
        colours[bit] = !shown                      ? IndicatorGrey
                       : data.CapabilityFlags[bit] ? IndicatorGreen
                                                   : IndicatorRed;
    }
    return colours;
}

std::string CapabilityNotice(const MonitorData& data) {
    const int version = data.FirmwareVersionNumber;
    if (CapabilityFlagsShown(version)) {
        return {};
    }
    if (version <= 0) {
        return "The monitor's firmware version is not known yet, so its units cannot be shown.";
    }
    const int hundredths = version % 100;
    return "Firmware " + std::to_string(version / 100) + (hundredths < 10 ? ".0" : ".") +
           std::to_string(hundredths) + " does not report which units the monitor has.";
}

}  // namespace zorvex
