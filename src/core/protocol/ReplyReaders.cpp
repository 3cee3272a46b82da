#include "core/protocol/ReplyReaders.h"

#include <limits>

namespace zorvex {

namespace {

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigitChar(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Every digit of a base from the start of text; nothing when the number does not fit 32 bits,
// so a large number is never taken for a shorter one.
std::optional<int32_t> ReadDigits(std::string_view text, int base) {
    int64_t value = 0;
    for (char c : text) {
        const int digit = HexValue(c);
        if (digit < 0 || digit >= base) {
            break;
        }
        value = value * base + digit;
        if (value > std::numeric_limits<int32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> Signed(std::optional<int32_t> value, bool negative) {
    if (value && negative) {
        *value = -*value;
    }
    return value;
}

bool IsNumberBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The number that starts at text, blanks, TABs and LFs skipped inside it, rounded down.
LabelledLimit ReadLimitNumber(std::string_view text) {
    constexpr int64_t Cap = int64_t{1} << 40;  // far beyond 16 bits; stops growth
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && IsNumberBlank(text[i])) {
            ++i;
        }
    };
    skip();
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t whole = 0;
    bool fraction = false;
    bool inFraction = false;
    bool digits = false;
    for (skip(); i < text.size(); ++i, skip()) {
        const char c = text[i];
        if (IsDigitChar(c)) {
            digits = true;
            if (inFraction) {
                fraction = fraction || c != '0';
            } else if (whole < Cap) {
                whole = whole * 10 + (c - '0');
            }
        } else if (c == '.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    // Rounding down: a negative number with a fraction goes one further from zero.
    const int64_t value = negative ? -whole - (fraction ? 1 : 0) : whole;
    LabelledLimit result;
    result.found = digits;
    if (value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max()) {
        result.fits = false;
        return result;
    }
    result.value = static_cast<int16_t>(value);
    return result;
}

}  // namespace

std::string_view SkipLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() &&
           (text[i] == '\r' || text[i] == ' ' || text[i] == '\n' || text[i] == '\t')) {
        ++i;
    }
    return text.substr(i);
}

bool IsDecimalDigit(std::string_view text) {
    return !text.empty() && IsDigitChar(text[0]);
}

bool IsOctalDigit(std::string_view text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '7';
}

bool IsHexDigit(std::string_view text) {
    return !text.empty() && HexValue(text[0]) >= 0;
}

std::optional<int32_t> TryReadDecimal(std::string_view text) {
    text = SkipLeadingBlanks(text);
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text = SkipLeadingBlanks(text.substr(1));
    }
    if (!IsDecimalDigit(text)) {
        return std::nullopt;
    }
    return Signed(ReadDigits(text, 10), negative);
}

int32_t ReadDecimal(std::string_view text) {
    return TryReadDecimal(text).value_or(-1);
}

std::optional<int32_t> TryReadCNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (!IsDecimalDigit(text)) {
        return std::nullopt;
    }
    std::optional<int32_t> value = 0;
    if (text[0] != '0') {
        value = ReadDigits(text, 10);
    } else if (IsOctalDigit(text.substr(1))) {
        value = ReadDigits(text.substr(1), 8);
    } else if (text.size() > 1 && (text[1] == 'x' || text[1] == 'X')) {
        value = ReadDigits(text.substr(2), 16);
    }
    return Signed(value, negative);
}

int32_t ReadCNumber(std::string_view text) {
    return TryReadCNumber(text).value_or(-1);
}

std::string_view AfterComma(std::string_view text) {
    const auto comma = text.find(',');
    return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

std::string_view AfterLineBreak(std::string_view text) {
    const auto lf = text.find('\n');
    return lf == std::string_view::npos ? text : text.substr(lf + 1);
}

std::optional<std::string> ReadVersionText(std::string_view text) {
    const auto v = text.find('V');
    if (v == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view version = v + 2 <= text.size() ? text.substr(v + 2) : std::string_view();
    while (!version.empty() && !IsDigitChar(version.back())) {
        version.remove_suffix(1);
    }
    if (version.empty()) {
        return std::nullopt;
    }
    return std::string(version);
}

std::optional<int16_t> VersionHundredths(std::string_view version) {
    const auto point = version.find('.');
    const std::string_view whole = version.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : version.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    int32_t hundredths = 0;
    for (char c : whole) {
        if (!IsDigitChar(c)) {
            return std::nullopt;
        }
        hundredths = hundredths * 10 + (c - '0');
        if (hundredths > std::numeric_limits<int16_t>::max() / 100) {
            return std::nullopt;
        }
    }
    hundredths *= 100;
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        const char c = fraction[i];
        if (!IsDigitChar(c)) {
            return std::nullopt;
        }
        if (i == 0) {
            hundredths += (c - '0') * 10;
        } else if (i == 1) {
            hundredths += c - '0';
        }
    }
    // The +0.4 before rounding down adds one exactly when the digits past the hundredths
    // make 0.6 or more.
    if (fraction.size() > 2 && fraction[2] >= '6') {
        ++hundredths;
    }
    if (hundredths > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(hundredths);
}

std::optional<std::string> ReadIdentificationValue(std::string_view text, std::string_view label) {
    if (text.find(label) == std::string_view::npos || text.size() < label.size() + 2) {
        return std::nullopt;
    }
    std::string_view value = text.substr(label.size(), text.size() - label.size() - 2);
    // The answer's own line end is not part of the value.
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) {
        value.remove_suffix(1);
    }
    return std::string(value);
}

LabelledLimit ReadLimitValue(std::string_view text, std::string_view label) {
    const auto at = text.find(label);
    if (at == std::string_view::npos) {
        return {};
    }
    return ReadLimitNumber(text.substr(at + label.size()));
}

LabelledLimit ReadSecondLimitValue(std::string_view text, std::string_view label) {
    const auto at = text.find(label);
    if (at == std::string_view::npos) {
        return {};
    }
    const auto separator = text.find(", ", at);
    if (separator == std::string_view::npos) {
        return {};
    }
    return ReadLimitNumber(text.substr(separator + 2));
}

}  // namespace zorvex
