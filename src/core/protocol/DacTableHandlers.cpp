#include "core/protocol/DacTableHandlers.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "core/protocol/ReplyReaders.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {

namespace {

// The firmware whose family N answers put the pair in slots 0-1 and the quad in 2-5.
constexpr int16_t SplitNLayoutFirmware = 224;
constexpr int32_t MaxReportedValue = 255;
constexpr int32_t MaxNValue = 63;

bool ColumnInTables(const MonitorData& data) {
    return data.CurrentScanSet >= 0 && data.CurrentScanSet < MaxScanSetSlots;
}

// A family N value as stored, or nothing when the reading must stop here.
bool ReadNValue(std::string_view text, int16_t& value) {
    const int32_t v = ReadDecimal(text);
    if (v < 0 || v > MaxReportedValue) {
        return false;
    }
    value = static_cast<int16_t>(std::min(v, MaxNValue));
    return true;
}

}  // namespace

void StoreCountedList(MonitorData& data, DacFamily family, DacTableKind kind,
                      std::string_view text) {
    const int count = data.DacCount(family);
    if (!ColumnInTables(data) || count > MaxDacsPerFamily) {
        return;
    }
    const int column = data.CurrentScanSet;
    text = SkipLeadingBlanks(text);
    for (int slot = 0; slot < count; ++slot) {
        const int32_t v = ReadDecimal(text);
        if (v < 0 || v > MaxReportedValue) {
            return;  // for H the slot 8 number is not read either
        }
        data.SetCell(family, kind, slot, column, static_cast<int16_t>(v));
        text = AfterComma(text);
    }
    if (family == DacFamily::H) {
        // Slot 8 is taken as the monitor sends it, a missing number as -1; a number beyond
        // the 16-bit cell, either way, is not stored.
        const int32_t v = ReadDecimal(text);
        if (v >= INT16_MIN && v <= INT16_MAX) {
            data.SetCell(family, kind, 8, column, static_cast<int16_t>(v));
        }
    }
}

void StoreFamilyNPair(MonitorData& data, DacTableKind kind, std::string_view text) {
    if (!ColumnInTables(data)) {
        return;
    }
    const int column = data.CurrentScanSet;
    text = AfterLineBreak(text);
    int16_t value = 0;
    if (!ReadNValue(text, value)) {
        return;
    }
    data.SetCell(DacFamily::N, kind, 0, column, value);
    text = AfterComma(AfterComma(text));
    if (!ReadNValue(text, value)) {
        return;
    }
    data.SetCell(DacFamily::N, kind, 1, column, value);
}

void StoreFamilyNQuad(MonitorData& data, DacTableKind kind, int firstSlot, std::string_view text) {
    if (!ColumnInTables(data)) {
        return;
    }
    const int column = data.CurrentScanSet;
    text = AfterLineBreak(text);
    for (int slot = firstSlot; slot < firstSlot + 4; ++slot) {
        int16_t value = 0;
        if (!ReadNValue(text, value)) {
            return;
        }
        data.SetCell(DacFamily::N, kind, slot, column, value);
        text = AfterComma(text);
    }
}

void StoreFamilyNFactory(MonitorData& data, char letter, std::string_view text) {
    const bool split = data.FirmwareVersionNumber == SplitNLayoutFirmware;
    if (letter == 'S') {
        StoreFamilyNPair(data, DacTableKind::Factory, text);
    } else if (letter == 'T') {
        StoreFamilyNQuad(data, DacTableKind::Factory, split ? 2 : 0, text);
    }
}

void StoreFamilyNInitial(MonitorData& data, char letter, std::string_view text) {
    const bool split = data.FirmwareVersionNumber == SplitNLayoutFirmware;
    if (letter == 'S') {
        if (split) {
            StoreFamilyNPair(data, DacTableKind::Initial, text);
        } else {
            StoreFamilyNQuad(data, DacTableKind::Initial, 0, text);
        }
    } else if (letter == 'T') {
        StoreFamilyNQuad(data, DacTableKind::Initial, split ? 2 : 0, text);
    }
}

void StoreFamilyNNamedTable(MonitorData& data, char letter, std::string_view text) {
    if (text.empty()) {
        return;
    }
    DacTableKind kind;
    switch (std::toupper(static_cast<unsigned char>(text.front()))) {
        case 'P':
            kind = DacTableKind::Initial;
            break;
        case 'F':
            kind = DacTableKind::Factory;
            break;
        default:
            return;
    }
    if (letter == 'S') {
        if (data.FirmwareVersionNumber == SplitNLayoutFirmware) {
            StoreFamilyNPair(data, kind, text);
        } else {
            StoreFamilyNQuad(data, kind, 0, text);
        }
    } else if (letter == 'T') {
        StoreFamilyNQuad(data, kind, 2, text);
    }
}

void RegisterDacTableHandlers(ResponseDispatcher& dispatcher, MonitorData& data) {
    using H = ReplyHandlerId;
    struct Counted {
        H id;
        DacFamily family;
        DacTableKind kind;
    };
    // The answers without F or P carry the DAC values the monitor holds now.
    static constexpr Counted counted[] = {
        {H::CurrentL, DacFamily::L, DacTableKind::Value},
        {H::CurrentB, DacFamily::B, DacTableKind::Value},
        {H::CurrentH, DacFamily::H, DacTableKind::Value},
        {H::CurrentV, DacFamily::V, DacTableKind::Value},
        {H::FactoryL, DacFamily::L, DacTableKind::Factory},
        {H::FactoryB, DacFamily::B, DacTableKind::Factory},
        {H::FactoryH, DacFamily::H, DacTableKind::Factory},
        {H::FactoryV, DacFamily::V, DacTableKind::Factory},
        {H::InitialL, DacFamily::L, DacTableKind::Initial},
        {H::InitialB, DacFamily::B, DacTableKind::Initial},
        {H::InitialH, DacFamily::H, DacTableKind::Initial},
        {H::InitialV, DacFamily::V, DacTableKind::Initial},
    };
    for (const Counted& entry : counted) {
        dispatcher.Register(entry.id, [&data, entry](std::string_view text) {
            StoreCountedList(data, entry.family, entry.kind, text);
        });
    }
    dispatcher.RegisterLettered(H::FactoryN, [&data](char letter, std::string_view text) {
        StoreFamilyNFactory(data, letter, text);
    });
    dispatcher.RegisterLettered(H::InitialN, [&data](char letter, std::string_view text) {
        StoreFamilyNInitial(data, letter, text);
    });
    dispatcher.RegisterLettered(H::FamilyNTable, [&data](char letter, std::string_view text) {
        StoreFamilyNNamedTable(data, letter, text);
    });
}

}  // namespace zorvex
