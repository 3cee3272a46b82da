#include <gtest/gtest.h>

#include "core/panels/stroke/ReadKeyedValue.h"

namespace zorvex {
namespace {

struct KeyedCase {
    const char* name;
    const char* text;
    const char* key;
    const char* terminator;
    const char* expected;
};

class ReadKeyedValueCases : public ::testing::TestWithParam<KeyedCase> {};

TEST_P(ReadKeyedValueCases, GiveTheValueAfterTheFirstWholeKey) {
    const auto& c = GetParam();
    EXPECT_EQ(ReadKeyedValue(c.text, c.key, c.terminator), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReadKeyedValueCases,
    ::testing::Values(
        KeyedCase{"plain item", "x_offset=1;plus_minus_x=20;", "plus_minus_x=", ";", "20"},
        KeyedCase{"missing key", "x_offset=1;", "y_offset=", ";", ""},
        KeyedCase{"missing terminator", "x_offset=1;plus_minus_x=20", "plus_minus_x=", ";", ""},
        KeyedCase{"dollar dropped", "frame_cnt=1$2;", "frame_cnt=", ";", "12"},
        KeyedCase{"dollar inside the key", "fra$me_cnt=4;", "frame_cnt=", ";", "4"},
        KeyedCase{"whole names only, short items first", "short_defined_hor_width=7;hor_width=3;",
                  "hor_width=", ";", "3"},
        KeyedCase{"only inside a longer name", "short_defined_hor_width=7;", "hor_width=", ";", ""},
        KeyedCase{"terminator at once", "lcd_test=;", "lcd_test=", ";", ""},
        KeyedCase{"case-sensitive key", "X_OFFSET=1;", "x_offset=", ";", ""},
        KeyedCase{"junk between items kept out", "a=1;\r\n junk b=2;", "b=", ";", "2"},
        KeyedCase{"dump word across a line break", "TYR28a\r\n3F)\r\n#", "TYR28a", ")", "\r\n3F"},
        KeyedCase{"dump without closing bracket", "TYR28a\r\n3F\r\n#", "TYR28a", ")", ""},
        KeyedCase{"terminator also inside the key", "TYR28a5a", "TYR28a", "a", "5"}));

}  // namespace
}  // namespace zorvex
