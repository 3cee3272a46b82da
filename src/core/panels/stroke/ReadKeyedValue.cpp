#include "core/panels/stroke/ReadKeyedValue.h"

#include <algorithm>
#include <cctype>

namespace zorvex {

namespace {
bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}
}  // namespace

std::string ReadKeyedValue(std::string_view text, std::string_view key,
                           std::string_view terminator) {
    std::string cleaned(text);
    cleaned.erase(std::remove(cleaned.begin(), cleaned.end(), '$'), cleaned.end());

    // A key is an item name only where no longer name runs into it: "hor_width=" inside
    // "short_defined_hor_width=" is not that item, whatever order the monitor lists them in.
    auto keyAt = cleaned.find(key);
    while (keyAt != std::string::npos && keyAt > 0 && IsNameCharacter(cleaned[keyAt - 1])) {
        keyAt = cleaned.find(key, keyAt + 1);
    }
    if (keyAt == std::string::npos) {
        return {};
    }
    const auto valueAt = keyAt + key.size();
    // Looked for after the key, so a terminator that also occurs inside the key cannot give a
    // value that ends before it starts.
    const auto endAt = cleaned.find(terminator, valueAt);
    if (endAt == std::string::npos) {
        return {};
    }
    return cleaned.substr(valueAt, endAt - valueAt);
}

}  // namespace zorvex
