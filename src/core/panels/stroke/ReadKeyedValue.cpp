#include "core/panels/stroke/ReadKeyedValue.h"

#include <algorithm>

namespace zorvex {

std::string ReadKeyedValue(std::string_view text, std::string_view key,
                           std::string_view terminator) {
    std::string cleaned(text);
    cleaned.erase(std::remove(cleaned.begin(), cleaned.end(), '$'), cleaned.end());

    const auto keyAt = cleaned.find(key);
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
