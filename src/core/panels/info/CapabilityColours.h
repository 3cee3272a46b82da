#pragma once

#include <array>

#include "core/app/ShellViews.h"
#include "core/data/MonitorData.h"

namespace zorvex {

// Whether the monitor family of a firmware version reports its units truthfully enough to
// show them: 2.09 to 2.99 and 3.10 to 3.99.
bool CapabilityFlagsShown(int firmwareVersionNumber);

// The indicators of frmCapability in bit order (btnLVPS ... btnExpLEDs): green for a unit
// the monitor has, red for one it lacks; all red where the flags are not shown.
std::array<IndicatorColour, CapabilityFlagCount> CapabilityIndicatorColours(
    const MonitorData& data);

}  // namespace zorvex
