#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zorvex::fuzzing {

// A broken rule stops the run with the rule's own words, so the crash report says which
// rule the input broke before libFuzzer prints the input.
inline void Require(bool condition, const std::string& rule) {
    if (!condition) {
        std::fprintf(stderr, "\nBROKEN RULE: %s\n", rule.c_str());
        std::abort();
    }
}

}  // namespace zorvex::fuzzing
