#pragma once

#include <string>
#include <string_view>

namespace zorvex {

// The shared readers every response handler takes numbers and fields out of a reply with.
// Each takes a text and returns a value, without side effects.

// The text without its leading run of CR, blank, LF and TAB characters.
std::string_view SkipLeadingBlanks(std::string_view text);

}  // namespace zorvex
