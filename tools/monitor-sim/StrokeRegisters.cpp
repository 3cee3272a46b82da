#include "StrokeRegisters.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "Memory.h"

namespace zorvex::sim {

namespace {
bool IsHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}
bool IsBank(char c) {
    return c == 'A' || c == 'a' || c == 'B' || c == 'b';
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// Register values are decimal as the tool formats them; "0x" hex is taken too for typed
// values. Registers are 16 bits wide.
std::optional<int> ParseValue(std::string_view text) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::string copy(text);
    char* end = nullptr;
    long value = std::strtol(copy.c_str(), &end, 0);
    if (end == copy.c_str() || *end != '\0' || value < 0 || value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string Hex2(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(value) & 0xFFFF);
    return buffer;
}

const char* const kBadRegister = "Bad register";
const char* const kBadValue = "Bad value, register unchanged";

// Power-up values of the stored parameter set, by register number.
struct StoredDefault {
    const char* number;
    int value;
};
constexpr StoredDefault kDefaults[] = {
    {"00", 1}, {"01", 1},   {"02", 3}, {"03", 2}, {"04", 3}, {"05", 20},   {"06", 3}, {"07", 20},
    {"0A", 2}, {"0B", 0},   {"0D", 6}, {"0E", 1}, {"11", 2}, {"12", 8},    {"13", 2}, {"14", 8},
    {"18", 2}, {"19", 0},   {"1D", 0}, {"2B", 0}, {"2C", 0}, {"2E", 128},  {"34", 0}, {"35", 639},
    {"36", 0}, {"37", 479}, {"39", 0}, {"3A", 0}, {"3D", 0}, {"3E", 1023}, {"3F", 0}, {"40", 767},
};

// Which live register a stored parameter is loaded into at power-up.
std::string LiveKeyOf(const std::string& number) {
    if (number == "2B" || number == "2C") {
        return std::string(1, '2') + static_cast<char>(std::tolower(number[1])) + "a";
    }
    return number + (number >= "34" ? "B" : "A");
}
}  // namespace

StrokeRegisters::StrokeRegisters(Memory& memory) : memory_(memory) {
    for (const StoredDefault& d : kDefaults) {
        stored_[d.number] = d.value;
        live_[LiveKeyOf(d.number)] = d.value;
    }
}

std::optional<int> StrokeRegisters::Live(const std::string& numberAndBank) const {
    auto it = live_.find(numberAndBank);
    return it == live_.end() ? std::nullopt : std::optional<int>(it->second);
}

std::optional<int> StrokeRegisters::Stored(const std::string& number) const {
    auto it = stored_.find(number);
    return it == stored_.end() ? std::nullopt : std::optional<int>(it->second);
}

int StrokeRegisters::StoredOr(const char* number, int fallback) const {
    return Stored(number).value_or(fallback);
}

std::string StrokeRegisters::LiveWrite(std::string_view args) {
    // number (two hex digits) + bank ("A", "B", either case) + value
    if (args.size() < 3 || !IsHex(args[0]) || !IsHex(args[1]) || !IsBank(args[2])) {
        return kBadRegister;
    }
    auto value = ParseValue(args.substr(3));
    if (!value) {
        return kBadValue;
    }
    std::string key(args.substr(0, 3));
    live_[key] = *value;
    AfterLiveWrite(key, *value);
    return "Reg " + key + " = " + Hex2(*value);
}

void StrokeRegisters::AfterLiveWrite(const std::string& key, int value) {
    // The memory access strobes of the engineering group: a read strobe loads the data
    // registers (27a low, 28a high) from the read address (33b high, 32b low); a write strobe
    // stores them at the write address (35b high, 34b low).
    auto reg = [this](const char* k) { return Live(k).value_or(0) & 0xFF; };
    if (key == "20a" && value == 1) {
        auto at = static_cast<uint16_t>(reg("33b") << 8 | reg("32b"));
        live_["27a"] = memory_.Byte(at);
        live_["28a"] = memory_.Byte(static_cast<uint16_t>(at + 1));
    } else if (key == "21a" && value == 1) {
        auto at = static_cast<uint16_t>(reg("35b") << 8 | reg("34b"));
        memory_.SetByte(at, static_cast<uint8_t>(reg("27a")));
        memory_.SetByte(static_cast<uint16_t>(at + 1), static_cast<uint8_t>(reg("28a")));
    }
}

std::string StrokeRegisters::LiveRead(std::string_view args) const {
    if (args.size() != 3 || !IsHex(args[0]) || !IsHex(args[1]) || !IsBank(args[2])) {
        return kBadRegister;
    }
    // The value closed by ")" is what the tool's memory dump looks for.
    return Hex2(Live(std::string(args)).value_or(0)) + ")";
}

std::string StrokeRegisters::Store(std::string_view args) {
    if (args.size() < 2 || !IsHex(args[0]) || !IsHex(args[1])) {
        return kBadRegister;
    }
    auto value = ParseValue(args.substr(2));
    if (!value) {
        return kBadValue;
    }
    std::string number = Upper(std::string(args.substr(0, 2)));
    stored_[number] = *value;
    return "Saved " + number + " = " + std::to_string(*value);
}

std::string StrokeRegisters::ParameterReadout() const {
    auto v = [this](const char* number, int fallback) {
        return std::to_string(StoredOr(number, fallback));
    };
    // Option keys share their registers with text boxes (04 with H width, 0D with Big
    // Delta); they are reported from the register when it holds a valid option, otherwise
    // as the monitor's "no setting" 255 or the first option.
    int averageOrder = StoredOr("04", 0);
    int testChannel = StoredOr("0D", 0);
    std::string ave = averageOrder >= 0 && averageOrder <= 3 ? std::to_string(averageOrder) : "255";
    std::string shift = testChannel >= 0 && testChannel <= 2 ? std::to_string(testChannel) : "0";

    std::string text;
    auto line = [&text](std::initializer_list<std::pair<const char*, std::string>> items) {
        bool first = true;
        for (const auto& [key, value] : items) {
            text += first ? "" : " ";
            text += std::string(key) + "=" + value + ";";
            first = false;
        }
        text += "\r\n";
    };
    line({{"x_offset", v("00", 1)},
          {"plus_minus_x", v("39", 0)},
          {"y_offset", v("01", 1)},
          {"plus_minus_y", v("3A", 0)}});
    line({{"green_gain", v("2E", 128)},
          {"x_flip", v("2B", 0)},
          {"y_flip", v("2C", 0)},
          {"lcd_test", v("19", 0)}});
    auto plain = [&] {
        line({{"hor_width", v("04", 3)},
              {"hor_long", v("05", 20)},
              {"ver_width", v("06", 3)},
              {"ver_long", v("07", 20)}});
    };
    auto shortItems = [&] {
        line({{"short_defined_hor_width", v("11", 2)},
              {"short_defined_hor_long", v("12", 8)},
              {"short_defined_ver_width", v("13", 2)},
              {"short_defined_ver_long", v("14", 8)}});
    };
    if (shortItemsFirst_) {
        shortItems();
        plain();
    } else {
        plain();
        shortItems();
    }
    line({{"small_delta", v("0A", 2)},
          {"big_delta", v("0D", 6)},
          {"frame_cnt", v("0E", 1)},
          {"frame_ave", v("0B", 0)}});
    line({{"filter_order", v("02", 3)},
          {"data_gap_limit", v("0A", 2)},
          {"ave_order", ave},
          {"divider_order", "2"}});
    line({{"sig_line_type", v("18", 2)}, {"xy_shift", shift}, {"reset_ram", shift}});
    line({{"AOI_x_start", v("34", 0)},
          {"AOI_x_end", v("35", 639)},
          {"AOI_y_start", v("36", 0)},
          {"AOI_y_end", v("37", 479)}});
    line({{"DES_x_start", v("3D", 0)},
          {"DES_x_end", v("3E", 1023)},
          {"DES_y_start", v("3F", 0)},
          {"DES_y_end", v("40", 767)}});
    // Without its final line break: the controller adds one to every answer line.
    text.resize(text.size() - 2);
    return text;
}

}  // namespace zorvex::sim
