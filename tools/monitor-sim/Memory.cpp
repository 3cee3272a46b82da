#include "Memory.h"

#include <cctype>
#include <cstdio>

namespace zorvex::sim {

namespace {
std::string Hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

const char* const kBadValue = "Bad value, nothing written";
}  // namespace

Memory::Memory() {
    // A banner at the bottom, then a pattern that tells addresses apart.
    const std::string banner = "ZORVEX MONITOR SIMULATOR";
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        bytes_[i] = static_cast<uint8_t>((i & 0xFF) ^ (i >> 8));
    }
    for (std::size_t i = 0; i < banner.size(); ++i) {
        bytes_[i] = static_cast<uint8_t>(banner[i]);
    }
}

std::optional<unsigned long> Memory::ParseHex(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        int digit = std::isdigit(static_cast<unsigned char>(c))
                        ? c - '0'
                        : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    return value;
}

std::string Memory::SetAddress(std::string_view text) {
    auto value = ParseHex(text);
    if (!value || *value > 0xFFFF) {
        return "Bad address, Addr = 0x" + Hex(address_, 4);
    }
    address_ = static_cast<uint16_t>(*value);
    return "Addr = 0x" + Hex(address_, 4);
}

std::string Memory::StepAddress(int delta) {
    address_ = static_cast<uint16_t>(address_ + delta);
    return "Addr = 0x" + Hex(address_, 4);
}

std::string Memory::ReadByte() const {
    return "Byte at " + Hex(address_, 4) + " := 0x" + Hex(bytes_[address_], 2);
}

std::string Memory::ReadWord() const {
    unsigned word =
        static_cast<unsigned>(bytes_[address_]) << 8 | bytes_[static_cast<uint16_t>(address_ + 1)];
    return "Word at " + Hex(address_, 4) + " := 0x" + Hex(word, 4);
}

std::string Memory::ReadChar() const {
    // A prompt character or a control character would break the tool's framing: shown as ".".
    unsigned char c = bytes_[address_];
    bool printable = c >= 0x20 && c < 0x7F && c != '#' && c != '$' && c != '!';
    return "Char at " + Hex(address_, 4) + " '" +
           std::string(1, printable ? static_cast<char>(c) : '.') + "'";
}

std::string Memory::WriteByte(std::string_view text) {
    auto value = ParseHex(text);
    if (!value || *value > 0xFF) {
        return kBadValue;
    }
    bytes_[address_] = static_cast<uint8_t>(*value);
    return "Byte at " + Hex(address_, 4) + " set to 0x" + Hex(bytes_[address_], 2);
}

std::string Memory::WriteWord(std::string_view text) {
    auto value = ParseHex(text);
    if (!value || *value > 0xFFFF) {
        return kBadValue;
    }
    bytes_[address_] = static_cast<uint8_t>(*value >> 8);
    bytes_[static_cast<uint16_t>(address_ + 1)] = static_cast<uint8_t>(*value & 0xFF);
    return "Word at " + Hex(address_, 4) + " set to 0x" + Hex(static_cast<unsigned>(*value), 4);
}

}  // namespace zorvex::sim
