#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "core/protocol/ReplyReaders.h"

namespace zorvex {
namespace {

using TextCase = std::pair<const char*, const char*>;
using NumberCase = std::pair<const char*, int32_t>;
using Text = std::optional<std::string>;
constexpr std::nullopt_t None = std::nullopt;

// The text copied to the very end of readable memory: a reader that looks one character past
// the end of a reply crashes the test instead of reading what happens to lie there.
std::string_view AtPageEnd(std::string_view text) {
    static char* const end = [] {
        const long page = sysconf(_SC_PAGESIZE);
        auto* pages = static_cast<char*>(
            mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        mprotect(pages + page, page, PROT_NONE);
        return pages + page;
    }();
    std::memcpy(end - text.size(), text.data(), text.size());
    return {end - text.size(), text.size()};
}

TEST(ReadNumbers, ReadDecimalOrCNumbersAtTheStartOrMinusOne) {
    const NumberCase decimals[] = {{"  -12,3", -12}, {"-x", -1},         {"", -1},
                                   {"70000", 70000}, {"4294967296", -1}, {"007", 7},
                                   {"- 5", -5},      {"--1", -1},        {"\r\n42\r\n#", 42}};
    for (const auto& [text, expected] : decimals) {
        EXPECT_EQ(ReadDecimal(AtPageEnd(text)), expected) << text;
    }
    const NumberCase cNumbers[] = {
        {"0x1F", 31},       {"0x1f", 31},       {"017", 15},         {"09", 0},
        {" 5", -1},         {"-0x10", -16},     {"0x", 0},           {"0X2d", 45},
        {"0x12345", 74565}, {"0177777", 65535}, {"0x100000000", -1}, {"70000", 70000},
        {"-", -1},          {"0xg", 0},         {"018", 1},          {"0", 0}};
    for (const auto& [text, expected] : cNumbers) {
        EXPECT_EQ(ReadCNumber(AtPageEnd(text)), expected) << text;
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
    const std::pair<const char*, Text> cases[] = {
        // The label is taken to stand at the start, wherever it was found (the last case).
        {"SN = 1234-5 #", "1234-5"},
        {"SN = 7\r\n$", "7"},
        {"SN = A 1\r\n\r\n#", "A 1"},
        {"SN = 1", None},
        {"SN = #", None},
        {"SN = ab", ""},
        {"sn = 7\r\n#", None},
        {"xxSN = 12\r\n#", "= 12"}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ReadIdentificationValue(text, "SN = "), value) << text;
    }
}

// A limit as read: the value, "big" when it does not fit 16 bits, "?" first when no number.
std::string Limit(const LabelledLimit& read) {
    return (read.found ? "" : "?") + (read.fits ? std::to_string(read.value) : "big");
}

TEST(ReadLimitValue, ReadsTheNumberAfterTheLabelRoundedDown) {
    const TextCase cases[] = {
        {"28\r\n#", "28"}, {"27.9", "27"},      {"\t2\n8\r9", "28"},
        {"-3.5,", "-4"},   {"+4", "4"},         {"x", "?0"},
        {"1.2.3", "1"},    {"32767", "32767"},  {"-32767.5", "-32768"},
        {"32768", "big"},  {"-32768.1", "big"}, {"99999999999999999999", "big"},
        {"", "?0"},        {" -", "?0"}};
    for (const auto& [number, read] : cases) {
        const std::string text = std::string("Current Limit = 200\r\nUpper Limit = ") + number;
        EXPECT_EQ(Limit(ReadLimitValue(AtPageEnd(text), "Upper Limit = ")), read) << text;
    }
    EXPECT_EQ(Limit(ReadLimitValue("upper limit = 5", "Upper Limit = ")), "?0");
    EXPECT_EQ(Limit(ReadSecondLimitValue("a, 9\r\nFocus = 12, 34\r\n#", "Focus = ")), "34");
    EXPECT_EQ(Limit(ReadSecondLimitValue("x, 5", "G2 = ")), "?0");
    EXPECT_EQ(Limit(ReadSecondLimitValue("G2 = 5\r\n#", "G2 = ")), "?0");
}

}  // namespace
}  // namespace zorvex
