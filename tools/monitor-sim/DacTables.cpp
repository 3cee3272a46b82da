#include "DacTables.h"

#include <cctype>

namespace zorvex::sim {

namespace {
int KindIndex(DacTables::Kind kind) {
    return static_cast<int>(kind);
}
}  // namespace

DacTables::DacTables()
    : families_{{{'l', 8, {}},
                 {'b', 2, {}},
                 {'h', 4, {}},
                 {'v', 7, {}},
                 {'s', 6, {}},  // family N, asked for as "dds"
                 {'a', 4, {}},
                 {'d', 4, {}},
                 {'e', 4, {}},
                 {'g', 4, {}},
                 {'i', 4, {}},
                 {'k', 4, {}}}} {
    // Distinct, recognisable values: factory = 100 + 10*family + slot, initial a little
    // above, current a little below. Family N stays within 0..63 as the monitor holds it.
    for (std::size_t f = 0; f < families_.size(); ++f) {
        Family& family = families_[f];
        for (int slot = 0; slot < kSlots; ++slot) {
            int factory =
                family.letter == 's' ? 20 + slot * 3 : 100 + 10 * static_cast<int>(f) + slot;
            family.values[KindIndex(Kind::Factory)][slot] = factory;
            family.values[KindIndex(Kind::Initial)][slot] = factory + 2;
            family.values[KindIndex(Kind::Current)][slot] = factory - 1;
        }
    }
}

const DacTables::Family* DacTables::Find(char letter) const {
    for (const Family& family : families_) {
        if (family.letter == letter) {
            return &family;
        }
    }
    return nullptr;
}

std::optional<int> DacTables::Value(char family, Kind kind, int slot) const {
    const Family* f = Find(static_cast<char>(std::tolower(static_cast<unsigned char>(family))));
    if (f == nullptr || slot < 0 || slot >= kSlots) {
        return std::nullopt;
    }
    return f->values[KindIndex(kind)][slot];
}

std::string DacTables::CountedList(const Family& family, Kind kind) const {
    // One number per counted slot; family H adds slot 8 after its counted slots.
    std::string text;
    for (int slot = 0; slot < family.count; ++slot) {
        if (slot > 0) {
            text += ',';
        }
        text += std::to_string(family.values[KindIndex(kind)][slot]);
    }
    if (family.letter == 'h') {
        text += ',' + std::to_string(family.values[KindIndex(kind)][8]);
    }
    return text;
}

std::string DacTables::NValues(const Family& family, Kind kind, char tableLetter) const {
    // A title line naming the table by its letter, then the values on the next line.
    std::string title = kind == Kind::Factory   ? "Factory"
                        : kind == Kind::Initial ? "Initial"
                                                : "Current";
    std::string text = std::string(1, tableLetter) + " " + title + " N-S values\r\n";
    for (int slot = 0; slot < family.count; ++slot) {
        if (slot > 0) {
            text += ',';
        }
        text += std::to_string(family.values[KindIndex(kind)][slot]);
    }
    return text;
}

std::optional<std::string> DacTables::Answer(std::string_view letters) const {
    if (letters.empty()) {
        return std::nullopt;
    }
    Kind kind = Kind::Current;
    std::string_view table = letters;
    if (letters.size() == 2 && (letters[0] == 'f' || letters[0] == 'p')) {
        kind = letters[0] == 'f' ? Kind::Factory : Kind::Initial;
        table = letters.substr(1);
    }
    if (table.size() != 1) {
        return std::nullopt;
    }
    char letter = table[0];
    if (letter == 'n') {
        // Scan-set names; the tool accepts and drops them.
        return std::string("1 Stroke 60Hz,2 Raster 60Hz,3 Raster 50Hz,4 Spare,5 Spare,6 Spare");
    }
    if (letter == 's' || letter == 't') {
        const Family* n = Find('s');
        // "dds"/"ddt" answer the initial values and say so with the letter "P".
        char tableLetter = kind == Kind::Factory ? 'F' : 'P';
        Kind shown = kind == Kind::Current ? Kind::Initial : kind;
        return NValues(*n, shown, tableLetter);
    }
    const Family* family = Find(letter);
    if (family == nullptr) {
        return std::nullopt;
    }
    return CountedList(*family, kind);
}

}  // namespace zorvex::sim
