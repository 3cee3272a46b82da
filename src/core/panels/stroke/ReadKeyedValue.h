#pragma once

#include <string>
#include <string_view>

namespace zorvex {

// The value that follows the first occurrence of key as a whole name (at the start of text or
// after a character that cannot be part of a name: a blank, ";", a line end), up to the first
// terminator after it. Every "$" is dropped from text first. Empty when the key is absent or
// no terminator follows it.
std::string ReadKeyedValue(std::string_view text, std::string_view key,
                           std::string_view terminator);

}  // namespace zorvex
