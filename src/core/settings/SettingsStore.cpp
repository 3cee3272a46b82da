#include "core/settings/SettingsStore.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/support/Text.h"

namespace zorvex {

namespace {
constexpr std::string_view kAbsent = "\x01" "absent" "\x01";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}  // namespace

long long ReadWholeNumber(const SettingsStore& store, std::string_view section,
                          std::string_view key, long long defaultValue) {
    auto text = store.Read(section, key, kAbsent);
    if (text == kAbsent) {
        return defaultValue;
    }
    if (auto whole = ParseWholeNumber(text)) {
        return *whole;
    }
    // A stored single such as "4725.5" still reads as a number, rounded as the tool stores it.
    // One too large for a whole number is no number the tool wrote: the default, rather than
    // a conversion whose result is undefined.
    constexpr double kWholeLimit = 9.2e18;
    if (auto decimal = ParseDecimalNumber(text); decimal && std::abs(*decimal) < kWholeLimit) {
        return static_cast<long long>(*decimal + (*decimal < 0 ? -0.5 : 0.5));
    }
    return defaultValue;
}

double ReadSingle(const SettingsStore& store, std::string_view section, std::string_view key,
                  double defaultValue) {
    auto text = store.Read(section, key, kAbsent);
    if (text == kAbsent) {
        return defaultValue;
    }
    return ParseDecimalNumber(text).value_or(defaultValue);
}

bool ReadTrueFalse(const SettingsStore& store, std::string_view section, std::string_view key,
                   bool defaultValue) {
    auto text = Lower(store.Read(section, key, defaultValue ? "True" : "False"));
    if (text == "true") {
        return true;
    }
    if (text == "false") {
        return false;
    }
    return defaultValue;
}

void WriteWholeNumber(SettingsStore& store, std::string_view section, std::string_view key,
                      long long value) {
    store.Write(section, key, std::to_string(value));
}

void WriteSingle(SettingsStore& store, std::string_view section, std::string_view key,
                 double value) {
    store.Write(section, key, FormatSingle(value));
}

void WriteTrueFalse(SettingsStore& store, std::string_view section, std::string_view key,
                    bool value) {
    store.Write(section, key, value ? "True" : "False");
}

void WriteOneZero(SettingsStore& store, std::string_view section, std::string_view key,
                  bool value) {
    store.Write(section, key, value ? "1" : "0");
}

}  // namespace zorvex
