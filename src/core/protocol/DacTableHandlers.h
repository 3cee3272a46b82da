#pragma once

#include <string_view>

#include "core/data/MonitorData.h"

namespace zorvex {

class ResponseDispatcher;

// The monitor's current, factory and initial DAC tables, stored into the column
// CurrentScanSet.
// An answer that cannot be read, a column outside the tables or a family count above the
// table size leaves the tables as they were.

// Families L, B, H and V: one decimal number per counted slot, separated by ",". Family H
// carries one more number, for slot 8, after its counted slots.
void StoreCountedList(MonitorData& data, DacFamily family, DacTableKind kind,
                      std::string_view text);

// Family N: the values follow the first line of the answer. The pair reading fills slots 0
// and 1 (the second value taken after two commas); the quad reading fills four slots from
// firstSlot on.
void StoreFamilyNPair(MonitorData& data, DacTableKind kind, std::string_view text);
void StoreFamilyNQuad(MonitorData& data, DacTableKind kind, int firstSlot, std::string_view text);

// "ddfs"/"ddft" and "ddps"/"ddpt" (letter 'S' or 'T'), laid out by FirmwareVersionNumber.
void StoreFamilyNFactory(MonitorData& data, char letter, std::string_view text);
void StoreFamilyNInitial(MonitorData& data, char letter, std::string_view text);
// "dds"/"ddt": the table is named by the answer's first letter, "P" initial, "F" factory.
void StoreFamilyNNamedTable(MonitorData& data, char letter, std::string_view text);

// Hangs the handlers above at their letters of the dispatcher.
void RegisterDacTableHandlers(ResponseDispatcher& dispatcher, MonitorData& data);

}  // namespace zorvex
