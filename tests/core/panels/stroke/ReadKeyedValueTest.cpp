#include <gtest/gtest.h>

#include "core/panels/stroke/ReadKeyedValue.h"

namespace zorvex {
namespace {

TEST(ReadKeyedValue, GivesTheValueAfterTheFirstWholeKeyUpToTheTerminatorWithoutDollars) {
    struct Case {
        const char* text;
        const char* key;
        const char* expected;
        const char* terminator = ";";
    };
    const Case cases[] = {{"x_offset=1;plus_minus_x=20;", "plus_minus_x=", "20"},
                          {"x_offset=1;", "y_offset=", ""},
                          {"x_offset=1;plus_minus_x=20", "plus_minus_x=", ""},  // no terminator
                          {"frame_cnt=1$2;", "frame_cnt=", "12"},
                          {"fra$me_cnt=4;", "frame_cnt=", "4"},
                          {"short_defined_hor_width=7;hor_width=3;", "hor_width=", "3"},
                          {"short_defined_hor_width=7;", "hor_width=", ""},
                          {"lcd_test=;", "lcd_test=", ""},
                          {"X_OFFSET=1;", "x_offset=", ""},
                          {"a=1;\r\n junk b=2;", "b=", "2"},
                          // Dump words: across a line break, only with the closing bracket.
                          {"TYR28a\r\n3F)\r\n#", "TYR28a", "\r\n3F", ")"},
                          {"TYR28a\r\n3F\r\n#", "TYR28a", "", ")"},
                          {"TYR28a5a", "TYR28a", "5", "a"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ReadKeyedValue(c.text, c.key, c.terminator), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace zorvex
