#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "core/protocol/ReplyReaders.h"

namespace zorvex {
namespace {

using TextCase = std::pair<const char*, const char*>;
using NumberCase = std::pair<const char*, int32_t>;
constexpr std::nullopt_t None = std::nullopt;

TEST(TextCutters, KeepWhatFollowsTheLeadingBlanksTheFirstCommaOrTheFirstLineBreak) {
    for (const auto& [text, rest] :
         {TextCase{"\r\n\t x", "x"}, {"   ", ""}, {"a b ", "a b "}, {"\v1", "\v1"}}) {
        EXPECT_EQ(SkipLeadingBlanks(text), rest) << text;
    }
    for (const auto& [text, rest] : {TextCase{"1,2,3", "2,3"}, {"1,", ""}, {"12", "12"}}) {
        EXPECT_EQ(AfterComma(text), rest) << text;
    }
    for (const auto& [text, rest] : {TextCase{"1,2\r\n3\r\n#", "3\r\n#"}, {"12\r", "12\r"}}) {
        EXPECT_EQ(AfterLineBreak(text), rest) << text;
    }
}

TEST(DigitTests, LookOnlyAtTheFirstCharacter) {
    // d: decimal, o: octal, h: hexadecimal
    const std::pair<const char*, std::string> cases[] = {
        {"0", "doh"}, {"7x", "doh"}, {"8", "dh"}, {"9", "dh"}, {"a", "h"}, {"F", "h"}, {"f", "h"},
        {"g", ""},    {"G", ""},     {"", ""},    {"/", ""},   {":", ""},  {"@", ""},  {"`", ""}};
    for (const auto& [text, kinds] : cases) {
        EXPECT_EQ(IsDecimalDigit(text), kinds.find('d') != std::string::npos) << text;
        EXPECT_EQ(IsOctalDigit(text), kinds.find('o') != std::string::npos) << text;
        EXPECT_EQ(IsHexDigit(text), kinds.find('h') != std::string::npos) << text;
    }
}

TEST(ReadNumbers, ReadDecimalOrCNumbersAtTheStartOrMinusOne) {
    const NumberCase decimals[] = {{"  -12,3", -12}, {"-x", -1},         {"", -1},
                                   {"70000", 70000}, {"4294967296", -1}, {"007", 7},
                                   {"- 5", -5},      {"--1", -1},        {"\r\n42\r\n#", 42}};
    for (const auto& [text, expected] : decimals) {
        EXPECT_EQ(ReadDecimal(text), expected) << text;
    }
    const NumberCase cNumbers[] = {
        {"0x1F", 31},        {"0x1f", 31},     {"017", 15},  {"09", 0},          {" 5", -1},
        {"-0x10", -16},      {"0x", 0},        {"0X2d", 45}, {"0x12345", 74565}, {"0177777", 65535},
        {"0x100000000", -1}, {"70000", 70000}, {"-", -1},    {"0xg", 0},         {"018", 1}};
    for (const auto& [text, expected] : cNumbers) {
        EXPECT_EQ(ReadCNumber(text), expected) << text;
    }
}

TEST(Versions, TakeTheTextAfterTheCapitalVAndRoundLikeTheFamilyNumbers) {
    const std::pair<const char*, std::optional<std::string>> texts[] = {
        {"V 2.05\r\n#", "2.05"},  {"V2.05", ".05"},
        {"v 2.05", None},         {"V", None},
        {"V x\r\n#", None},       {"Rom V 1.10 beta\r\n#", "1.10"},
        {"V 2.0.5\r\n#", "2.0.5"}};
    for (const auto& [text, version] : texts) {
        EXPECT_EQ(ReadVersionText(text), version) << text;
    }
    const std::pair<const char*, std::optional<int16_t>> numbers[] = {
        {"2.05", 205},   {"3.1", 310},    {"3", 300},        {".05", 5},       {"2.055", 205},
        {"2.056", 206},  {"2.0559", 205}, {"327.67", 32767}, {"327.68", None}, {"99999999", None},
        {"2.0.5", None}, {"", None},      {"2a", None}};
    for (const auto& [version, hundredths] : numbers) {
        EXPECT_EQ(VersionHundredths(version), hundredths) << version;
    }
}

TEST(ReadIdentificationValue, CutsTheLabelThePromptAndTheLineEnd) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"Serial Number = 1234-5 #", "1234-5"},
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

TEST(ReadLimitValue, ReadsTheNumberAfterTheLabelRoundedDown) {
    struct Case {
        const char* text;  // after "Upper Limit = "
        bool fits;
        int16_t value;
    };
    const Case cases[] = {{"28\r\nLower Limit = 12\r\n#", true, 28},
                          {"27.9", true, 27},
                          {"\t2\n8\r9", true, 28},
                          {"-3.5,", true, -4},
                          {"+4", true, 4},
                          {"x", true, 0},
                          {"1.2.3", true, 1},
                          {"32767", true, 32767},
                          {"-32767.5", true, -32768},
                          {"32768", false, 0},
                          {"-32768.1", false, 0},
                          {"99999999999999999999999", false, 0}};
    for (const Case& c : cases) {
        const std::string text = std::string("Current Limit = 200\r\nUpper Limit = ") + c.text;
        const auto read = ReadLimitValue(text, "Upper Limit = ");
        EXPECT_EQ(read.found, c.text[0] != 'x') << text;  // a number
        EXPECT_EQ(read.fits, c.fits) << text;
        EXPECT_EQ(read.value, c.value) << text;
    }
    EXPECT_FALSE(ReadLimitValue("upper limit = 5", "Upper Limit = ").found);
}

TEST(ReadSecondLimitValue, StartsAfterTheFirstCommaBlankBehindTheLabel) {
    const char* text = "a, 9\r\nFocus Control Value = 12, 34\r\n#";
    const auto second = ReadSecondLimitValue(text, "Focus Control Value = ");
    EXPECT_TRUE(second.found);
    EXPECT_EQ(second.value, 34);
    EXPECT_FALSE(ReadSecondLimitValue("x, 5", "G2 Control Value = ").found);
    EXPECT_FALSE(ReadSecondLimitValue("G2 Control Value = 5\r\n#", "G2 Control Value = ").found);
}

}  // namespace
}  // namespace zorvex
