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
        {"  -12,3", -12}, {"-x", -1},          {"", -1},        {"65535", 6553}, {"65529", 65529},
        {"7000", 7000},   {"6552", 6552},      {"65530", 6553}, {"99999", 9999}, {"007", 7},
        {"- 5", -5},      {"\r\n42\r\n#", 42}, {"x1", -1},      {"--1", -1},     {"12a", 12}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadDecimal(text), expected) << text;
    }
}

TEST(ReadCNumber, ReadsDecimalOctalOrHexadecimal) {
    const NumberCase cases[] = {
        {"0x1F", 31},      {"0x1f", 31},      {"017", 15},        {"0", 0},        {"09", 0},
        {" 5", -1},        {"-0x10", -16},    {"0x", 0},          {"0X2d", 45},    {"0xFFFF", 4095},
        {"0xFFEF", 65519}, {"0177777", 8191}, {"0177767", 65527}, {"65535", 6553}, {"x", -1},
        {"", -1},          {"-", -1},         {"0xg", 0},         {"018", 1}};
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

struct VersionCase {
    const char* text;
    std::optional<std::string> version;
};
class VersionTextCases : public ::testing::TestWithParam<VersionCase> {};
TEST_P(VersionTextCases, TakesTheTextAfterTheCapitalVUpToItsLastDigit) {
    EXPECT_EQ(ReadVersionText(GetParam().text), GetParam().version) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(
    Readers, VersionTextCases,
    ::testing::Values(VersionCase{"V 2.05\r\n#", "2.05"}, VersionCase{"V2.05", ".05"},
                      VersionCase{"v 2.05", std::nullopt}, VersionCase{"V", std::nullopt},
                      VersionCase{"V ", std::nullopt}, VersionCase{"V x\r\n#", std::nullopt},
                      VersionCase{"Rom V 1.10 beta\r\n#", "1.10"},
                      VersionCase{"V 2.0.5\r\n#", "2.0.5"}, VersionCase{"", std::nullopt}));

struct HundredthsCase {
    const char* version;
    std::optional<int16_t> hundredths;
};
class VersionHundredthsCases : public ::testing::TestWithParam<HundredthsCase> {};
TEST_P(VersionHundredthsCases, RoundLikeTheFamilyNumbers) {
    EXPECT_EQ(VersionHundredths(GetParam().version), GetParam().hundredths) << GetParam().version;
}
INSTANTIATE_TEST_SUITE_P(
    Readers, VersionHundredthsCases,
    ::testing::Values(HundredthsCase{"2.05", 205}, HundredthsCase{"1.38", 138},
                      HundredthsCase{"3.1", 310}, HundredthsCase{"3", 300},
                      HundredthsCase{".05", 5}, HundredthsCase{"2.055", 205},
                      HundredthsCase{"2.056", 206}, HundredthsCase{"2.0559", 205},
                      HundredthsCase{"327.67", 32767}, HundredthsCase{"327.68", std::nullopt},
                      HundredthsCase{"99999999", std::nullopt},
                      HundredthsCase{"2.0.5", std::nullopt}, HundredthsCase{"", std::nullopt},
                      HundredthsCase{"2a", std::nullopt}));

struct IdentificationCase {
    const char* text;
    const char* label;
    std::optional<std::string> value;
};
class IdentificationValueCases : public ::testing::TestWithParam<IdentificationCase> {};
TEST_P(IdentificationValueCases, CutTheLabelThePromptAndTheLineEnd) {
    EXPECT_EQ(ReadIdentificationValue(GetParam().text, GetParam().label), GetParam().value)
        << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(
    Readers, IdentificationValueCases,
    ::testing::Values(IdentificationCase{"Model Number = 1234-5 #", "Model Number = ", "1234-5"},
                      IdentificationCase{"Serial Number = 7\r\n#", "Serial Number = ", "7"},
                      IdentificationCase{"Serial Number = 7\r\n$", "Serial Number = ", "7"},
                      IdentificationCase{"Serial Number = A 1\r\n\r\n#", "Serial Number = ", "A 1"},
                      IdentificationCase{"serial number = 7\r\n#",
                                         "Serial Number = ", std::nullopt},
                      IdentificationCase{"Model Number = 1", "Model Number = ", std::nullopt},
                      IdentificationCase{"Model Number = #", "Model Number = ", std::nullopt},
                      IdentificationCase{"Model Number = ab", "Model Number = ", ""},
                      // The label is taken to stand at the start, wherever it was found.
                      IdentificationCase{"xxModel Number = 12\r\n#", "Model Number = ", "= 12"}));

struct LimitCase {
    const char* text;  // after "Upper Limit = "
    bool found;
    bool fits;
    int16_t value;
};
class LimitValueCases : public ::testing::TestWithParam<LimitCase> {};
TEST_P(LimitValueCases, ReadTheNumberAfterTheLabelRoundedDown) {
    const std::string text = std::string("Upper Limit = ") + GetParam().text;
    const auto read = ReadLimitValue(text, "Upper Limit = ");
    EXPECT_EQ(read.found, GetParam().found) << text;
    EXPECT_EQ(read.fits, GetParam().fits) << text;
    EXPECT_EQ(read.value, GetParam().value) << text;
}
INSTANTIATE_TEST_SUITE_P(
    Readers, LimitValueCases,
    ::testing::Values(LimitCase{"28\r\nLower Limit = 12\r\n#", true, true, 28},
                      LimitCase{"27.9", true, true, 27}, LimitCase{"2 8", true, true, 28},
                      LimitCase{"\t2\n8\r9", true, true, 28}, LimitCase{"-3.5,", true, true, -4},
                      LimitCase{"+4", true, true, 4}, LimitCase{"x", true, true, 0},
                      LimitCase{"", true, true, 0}, LimitCase{"1.2.3", true, true, 1},
                      LimitCase{"32767", true, true, 32767},
                      LimitCase{"-32768", true, true, -32768},
                      LimitCase{"-32767.5", true, true, -32768}, LimitCase{"32768", true, false, 0},
                      LimitCase{"-32768.1", true, false, 0},
                      LimitCase{"99999999999999999999999", true, false, 0}));

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
