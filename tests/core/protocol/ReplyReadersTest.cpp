#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "core/protocol/ReplyReaders.h"

namespace zorvex {
namespace {

using NumberCase = std::pair<const char*, int32_t>;

TEST(SkipLeadingBlanks, DropsOnlyTheLeadingRunOfBlanks) {
    const std::pair<const char*, const char*> cases[] = {
        {"\r\n\t x", "x"}, {"   ", ""}, {"a b ", "a b "}, {"\v1", "\v1"}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(SkipLeadingBlanks(text), expected);
    }
}

TEST(DigitTests, LookOnlyAtTheFirstCharacter) {
    // d: decimal, o: octal, h: hexadecimal
    const std::pair<const char*, std::string> cases[] = {
        {"0", "doh"}, {"7x", "doh"}, {"8", "dh"}, {"a", "h"}, {"F", "h"}, {"f", "h"}, {"g", ""},
        {"G", ""},    {"", ""},      {" 1", ""},  {"/", ""},  {":", ""},  {"@", ""}};
    for (const auto& [text, kinds] : cases) {
        EXPECT_EQ(IsDecimalDigit(text), kinds.find('d') != std::string::npos) << text;
        EXPECT_EQ(IsOctalDigit(text), kinds.find('o') != std::string::npos) << text;
        EXPECT_EQ(IsHexDigit(text), kinds.find('h') != std::string::npos) << text;
    }
}

TEST(ReadDecimal, ReadsTheNumberAtTheStart) {
    const NumberCase cases[] = {
        {"  -12,3", -12}, {"-x", -1},          {"", -1},   {"65535", 65535}, {"70000", 70000},
        {"7000", 7000},   {"4294967296", -1},  {"007", 7}, {"- 5", -5},      {"x1", -1},
        {"--1", -1},      {"\r\n42\r\n#", 42}, {"12a", 12}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadDecimal(text), expected) << text;
    }
}

TEST(ReadCNumber, ReadsDecimalOctalOrHexadecimal) {
    const NumberCase cases[] = {
        {"0x1F", 31},        {"0x1f", 31},      {"017", 15},        {"0", 0},
        {"09", 0},           {" 5", -1},        {"-0x10", -16},     {"0x", 0},
        {"0X2d", 45},        {"0xFFFF", 65535}, {"0x12345", 74565}, {"0177777", 65535},
        {"0x100000000", -1}, {"70000", 70000},  {"x", -1},          {"", -1},
        {"-", -1},           {"0xg", 0},        {"018", 1}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadCNumber(text), expected) << text;
    }
}

TEST(AfterCommaAndLineBreak, ReturnTheTextAfterTheFirstSeparatorOrTheWholeText) {
    EXPECT_EQ(AfterComma("1,2,3"), "2,3");
    EXPECT_EQ(AfterComma("1,"), "");
    EXPECT_EQ(AfterComma("12"), "12");
    EXPECT_EQ(AfterComma(""), "");
    EXPECT_EQ(AfterLineBreak("1,2\r\n3\r\n#"), "3\r\n#");
    EXPECT_EQ(AfterLineBreak("12\r"), "12\r");
    EXPECT_EQ(AfterLineBreak("\n"), "");
}

constexpr std::nullopt_t None = std::nullopt;

TEST(ReadVersionText, TakesTheTextAfterTheCapitalVUpToItsLastDigit) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"V 2.05\r\n#", "2.05"},
        {"V2.05", ".05"},
        {"v 2.05", None},
        {"V", None},
        {"V ", None},
        {"V x\r\n#", None},
        {"Rom V 1.10 beta\r\n#", "1.10"},
        {"V 2.0.5\r\n#", "2.0.5"},
        {"", None}};
    for (const auto& [text, version] : cases) {
        EXPECT_EQ(ReadVersionText(text), version) << text;
    }
}

TEST(VersionHundredths, RoundLikeTheFamilyNumbers) {
    const std::pair<const char*, std::optional<int16_t>> cases[] = {
        {"2.05", 205},      {"1.38", 138},   {"3.1", 310},    {"3", 300},        {".05", 5},
        {"2.055", 205},     {"2.056", 206},  {"2.0559", 205}, {"327.67", 32767}, {"327.68", None},
        {"99999999", None}, {"2.0.5", None}, {"", None},      {"2a", None}};
    for (const auto& [version, hundredths] : cases) {
        EXPECT_EQ(VersionHundredths(version), hundredths) << version;
    }
}

TEST(ReadIdentificationValue, CutsTheLabelThePromptAndTheLineEnd) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"Serial Number = 1234-5 #", "1234-5"},
        {"Serial Number = 7\r\n#", "7"},
        {"Serial Number = 7\r\n$", "7"},
        {"Serial Number = A 1\r\n\r\n#", "A 1"},
        {"serial number = 7\r\n#", None},
        {"Serial Number = 1", None},
        {"Serial Number = #", None},
        {"Serial Number = ab", ""},
        // The label is taken to stand at the start, wherever it was found.
        {"xxSerial Number = 12\r\n#", "= 12"}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ReadIdentificationValue(text, "Serial Number = "), value) << text;
    }
}

struct LimitCase {
    const char* text;  // after "Upper Limit = "
    bool fits;
    int16_t value;
};

TEST(ReadLimitValue, ReadsTheNumberAfterTheLabelRoundedDown) {
    const LimitCase cases[] = {{"28\r\nLower Limit = 12\r\n#", true, 28},
                               {"27.9", true, 27},
                               {"2 8", true, 28},
                               {"\t2\n8\r9", true, 28},
                               {"-3.5,", true, -4},
                               {"+4", true, 4},
                               {"x", true, 0},
                               {"", true, 0},
                               {"1.2.3", true, 1},
                               {"32767", true, 32767},
                               {"-32768", true, -32768},
                               {"-32767.5", true, -32768},
                               {"32768", false, 0},
                               {"-32768.1", false, 0},
                               {"99999999999999999999999", false, 0}};
    for (const LimitCase& c : cases) {
        const std::string text = std::string("Upper Limit = ") + c.text;
        const auto read = ReadLimitValue(text, "Upper Limit = ");
        EXPECT_EQ(read.found, c.text[0] != 'x' && c.text[0] != '\0') << text;  // a number
        EXPECT_EQ(read.fits, c.fits) << text;
        EXPECT_EQ(read.value, c.value) << text;
    }
}

TEST(LimitValues, NeedTheLabelAndTheSecondStartsAfterTheFirstCommaBlank) {
    EXPECT_FALSE(ReadLimitValue("upper limit = 5", "Upper Limit = ").found);
    EXPECT_FALSE(ReadLimitValue("", "Upper Limit = ").found);
    EXPECT_EQ(ReadLimitValue("Current Limit = 200\r\nUpper Limit = 28\r\nLower Limit = 12\r\n#",
                             "Lower Limit = ")
                  .value,
              12);
    const char* text = "a, 9\r\nFocus Control Value = 12, 34\r\n#";
    EXPECT_EQ(ReadLimitValue(text, "Focus Control Value = ").value, 12);
    const auto second = ReadSecondLimitValue(text, "Focus Control Value = ");
    EXPECT_TRUE(second.found);
    EXPECT_EQ(second.value, 34);
    EXPECT_FALSE(ReadSecondLimitValue("x, 5", "G2 Control Value = ").found);
    EXPECT_FALSE(ReadSecondLimitValue("G2 Control Value = 5\r\n#", "G2 Control Value = ").found);
}

}  // namespace
}  // namespace zorvex
