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
        colours[bit] = shown && data.CapabilityFlags[bit] ? IndicatorGreen : IndicatorRed;
    }
    return colours;
}

}  // namespace zorvex
