#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorvex {

// A whole decimal number, with an optional sign and surrounding blanks; nothing else.
std::optional<long long> ParseWholeNumber(std::string_view text);
// A decimal number that may have a fraction ("4725", "4725.5", "-1E3" is refused).
std::optional<double> ParseDecimalNumber(std::string_view text);
// Decimal text as a single-precision value is stored: "4725", "4725.5".
std::string FormatSingle(double value);

}  // namespace zorvex
