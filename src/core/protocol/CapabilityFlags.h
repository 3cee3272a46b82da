#pragma once

#include <array>
#include <string_view>

namespace zorvex {

// The functional units of the capability word, in bit order (bit 0 is the least
// significant); the value is the index into MonitorData::CapabilityFlags.
enum class CapabilityFlag {
    HasLowVoltagePowerSupply,
    HasPowerDistribution,
    HasVideo,
    HasDeflection,
    HasNorthSouthCorrection,
    HasConvergence,
    HasG2Adjustment,
    HasExpansionLeds,
};

// The caption under which the configuration window shows each unit, by bit.
inline constexpr std::array<std::string_view, 8> CapabilityUnitNames = {
    "Low Voltage Power Supply", "Power Distribution", "Video",         "Deflection",
    "North - South Correction", "Convergence",        "G2 Adjustment", "Expansion LEDs",
};

constexpr int CapabilityBit(CapabilityFlag flag) {
    return static_cast<int>(flag);
}

}  // namespace zorvex
