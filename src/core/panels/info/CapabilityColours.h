#pragma once

#include <array>
#include <string>

#include "core/app/ShellViews.h"
#include "core/data/MonitorData.h"

namespace zorvex {

// Whether the monitor family of a firmware version reports its units truthfully enough to
// show them: 2.09 to 2.99 and 3.10 to 3.99.
bool CapabilityFlagsShown(int firmwareVersionNumber);

// An indicator that tells nothing: neither "has it" nor "lacks it".
inline constexpr IndicatorColour IndicatorGrey{192, 192, 192};

// The indicators of frmCapability in bit order (btnLVPS ... btnExpLEDs): green for a unit
// the monitor has, red for one it lacks; all grey where the flags are not shown, since red
// lamps would read as eight failed units.
std::array<IndicatorColour, CapabilityFlagCount> CapabilityIndicatorColours(
    const MonitorData& data);

// What frmCapability says above its lamps when they show nothing (empty when they do).
std::string CapabilityNotice(const MonitorData& data);

}  // namespace zorvex
