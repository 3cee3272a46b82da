#include "core/data/MonitorData.h"

namespace zorvex {

namespace {
bool ValidCell(int slot, int column) {
    return slot >= 0 && slot < MaxDacsPerFamily && column >= 0 && column < MaxScanSetSlots;
}
bool ValidTitleSlot(int slot) { return slot >= 0 && slot < ScanSetTitleSlots; }

DacTable& TableOf(DacFamilyData& data, DacTableKind kind) {
    switch (kind) {
        case DacTableKind::Factory:
            return data.factory;
        case DacTableKind::Initial:
            return data.initial;
        case DacTableKind::Value:
            break;
    }
    return data.value;
}
}  // namespace

std::optional<DacFamily> DacFamilyFromLetter(char letter) {
    switch (letter) {
        case 'L': case 'l': return DacFamily::L;
        case 'B': case 'b': return DacFamily::B;
        case 'H': case 'h': return DacFamily::H;
        case 'V': case 'v': return DacFamily::V;
        case 'N': case 'n': return DacFamily::N;
        default: return std::nullopt;
    }
}

void MonitorData::InitMonitorData() { *this = MonitorData(); }

void MonitorData::FillInitialTables() {
    for (int slot = 0; slot < ScanSetTitleSlots; ++slot) {
        ScanSetName[slot] = "Scan Set " + std::to_string(slot + 1) + " Title";
    }
    ScanSetEnabled.fill(false);
    ScanSetEnabled[0] = true;

    Family(DacFamily::L) = {8, {"Master Contrast", "Master Brightness", "Red Gain", "Green Gain",
                                "Blue Gain", "Red Offset", "Green Offset", "Blue Offset"}};
    Family(DacFamily::B) = {2, {"White Level", "Bias Adjust"}};
    Family(DacFamily::H) = {4, {"Horizontal Size", "Horizontal Center", "Horizontal Linearity",
                                "Trace Rotation", "", "", "", "", "Horiz S Cap"}};
    Family(DacFamily::V) = {7, {"Vertical Size", "Vertical Center", "Vert Linearity",
                                "E-W Correction", "Horiz Trapezoid", "Horiz Parabola",
                                "Horiz Bow"}};
    Family(DacFamily::N) = {6, {"North-South Correction", "North-South Trapezoid",
                                "North-South Phase"}};
    ClearCapabilityFlags();
}

void MonitorData::ClearCapabilityFlags() { CapabilityFlags.fill(false); }

std::optional<int16_t> MonitorData::Cell(DacFamily family, DacTableKind kind, int slot,
                                         int column) const {
    if (!ValidCell(slot, column)) {
        return std::nullopt;
    }
    auto& data = const_cast<DacFamilyData&>(Family(family));
    return TableOf(data, kind)[slot][column];
}

bool MonitorData::SetCell(DacFamily family, DacTableKind kind, int slot, int column,
                          int16_t value) {
    if (!ValidCell(slot, column)) {
        return false;
    }
    TableOf(Family(family), kind)[slot][column] = value;
    return true;
}

std::optional<std::string> MonitorData::DacName(DacFamily family, int slot) const {
    if (slot < 0 || slot >= MaxDacsPerFamily) {
        return std::nullopt;
    }
    return Family(family).names[slot];
}

std::optional<std::string> MonitorData::ScanSetTitle(int slot) const {
    if (!ValidTitleSlot(slot)) {
        return std::nullopt;
    }
    return ScanSetName[slot];
}

bool MonitorData::SetScanSetTitle(int slot, const std::string& title) {
    if (!ValidTitleSlot(slot)) {
        return false;
    }
    ScanSetName[slot] = title;
    return true;
}

std::optional<bool> MonitorData::IsScanSetEnabled(int slot) const {
    if (!ValidTitleSlot(slot)) {
        return std::nullopt;
    }
    return ScanSetEnabled[slot];
}

bool MonitorData::SetScanSetEnabled(int slot, bool enabled) {
    if (!ValidTitleSlot(slot)) {
        return false;
    }
    ScanSetEnabled[slot] = enabled;
    return true;
}

}  // namespace zorvex
