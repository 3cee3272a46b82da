#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "DataTestSupport.h"

namespace zorvex {
namespace {

using Outcome = MdfReadResult::Outcome;
using O = Outcome;
using testing::ReaderRig;
using F = DacFamily;
using K = DacTableKind;

// Header, version, creation date and a comment, then the records given: well over the
// hundred bytes a file needs.
std::string Mdv(const std::string& records) {
    return "\"Norvale Monitor DAC Value File\"\r\n\"Version 3.0\"\r\n"
           "\"File Created: \",\"6/14/2001 9:05:07 AM\"\r\n\"#\",\"written by hand for a "
           "test\"\r\n" +
           records;
}

// Header and version with a comment padded to make the file `size` bytes long.
std::string OfSize(std::size_t size) {
    const std::string head = "\"Norvale Monitor DAC Value File\"\r\n\"Version 3.0\"\r\n\"#\",\"";
    return head + std::string(size - head.size() - 3, 'x') + "\"\r\n";
}

std::string Replaced(std::string file, const std::string& from, const std::string& to) {
    return file.replace(file.find(from), from.size(), to);
}

// A file, where "@" marks the start of the bad record, the message with "P" for its 1-based
// position, and the outcome.

const std::string NotValid = "File mon1.mdv is not a valid .mdv file";
const std::string NotMdv = "File mon1.mdvis not in .mdv format";
const std::string NotFound = "Name Not Found: ";
const std::string TooLarge = " Value Too Large\rLine P";
const std::string Error = "In ReadMDF, Error # ";

// The largest accepted counts and scan set are read in the value cases below.
const std::tuple<std::string, std::string, Outcome> MessageCases[] = {
    // Below 100 bytes nothing else is looked at.
    {OfSize(99), NotValid, O::Rejected},
    {OfSize(100), "", O::Completed},
    {Replaced(Mdv(""), "Norvale", "Nirvana") + std::string(20, '\n'), NotMdv, O::Rejected},
    {"\"#\",\"note\"\r\n" + Mdv(""), NotMdv, O::Rejected},
    {Replaced(Mdv(""), "3.0", "2.0"), "File mon1.mdv is a wrong version number", O::Rejected},
    {Mdv("@\"NumNDacs\",9\r\n"), "Bad Input - NumNDacs" + TooLarge, O::Failed},
    {Mdv("@\"NumScanSets\",9\r\n"), "Bad Input - NumScanSets" + TooLarge, O::Failed},
    {Mdv("@\"ScanSet\",6\r\n"), "Bad Input - ScanSet" + TooLarge, O::Failed},
    {Mdv("\"ScanSet\",1\r\n@\"ScanSetName\",\"\"\r\n"),
     "Bad Input - ScanSetName Has No Name Assigned\rLine P", O::Failed},
    {Mdv("\"ScanSet\",3\r\n@\"Gamma Boost\",1,2,3\r\n"),
     NotFound + "Gamma Boost\r\nLine P\r\nScanSetReading: 3", O::Failed},
    {Mdv("@\"  Gamma \",1\r\n"), NotFound + "  Gamma \r\nLine P\r\nScanSetReading: 0", O::Failed},
    // A blank line is not a record; extra fields make a record.
    {Mdv("\"NumLDacs\",8\r\n@\r\n\"NumBDacs\",2\r\n"), NotFound + "\r\nLine P\r\nScanSetReading: 0",
     O::Failed},
    {Mdv("\"NumLDacs\",8,@7\r\n"), NotFound + "7\r\nLine P\r\nScanSetReading: 0", O::Failed},
    // One unnamed record more than family N's last slot has nowhere to go.
    {Mdv("\"ScanSet\",1\r\n\"North-South Phase\",4,4,4\r\n\"\",5,5,5\r\n\"\",6,6,6\r\n"
         "\"\",7,7,7\r\n@\"\",8,8,8\r\n"),
     NotFound + "\r\nLine P\r\nScanSetReading: 1", O::Failed},
    {Mdv("\"NumLDacs\",eight\r\n"), Error + "13: Type mismatch", O::Failed},
    {Mdv("\"NumLDacs\",40000\r\n"), Error + "6: Overflow", O::Failed},
    {Mdv("\"HV Upper Limit: \",\"32768\"\r\n"), Error + "6: Overflow", O::Failed},
    {Mdv("\"Master Contrast\",1,2"), Error + "62: Input past end of file", O::Failed},
    {Mdv("\"NumScanSets\",8\r\n\"ScanSet\",6\r\n\"ScanSetName\",\"Seven\"\r\n"),
     Error + "9: Subscript out of range", O::Failed},
    {Mdv("\"ScanSet\",-1\r\n\"Red Gain\",1,2,3\r\n"), Error + "9: Subscript out of range",
     O::Failed}};

TEST(MdfReader, EndsTheReadWithTheMessageAndThePositionOfTheBadRecord) {
    for (auto [file, message, outcome] : MessageCases) {
        if (const auto at = file.find('@'); at != std::string::npos) {
            file.erase(at, 1);
            message.replace(message.find('P'), 1, std::to_string(at + 1));
        }
        ReaderRig rig;
        const auto result = rig.Read(file);
        EXPECT_EQ(result.outcome, outcome) << message;
        EXPECT_EQ(result.message, message);
    }
}

// What, the file, the outcome, cells (family, table, slot, column, value), and a title.
using Cells = std::vector<std::tuple<F, K, int, int, int16_t>>;
using ValuesCase =
    std::tuple<const char*, std::string, Outcome, Cells, std::pair<int, std::string>>;
const ValuesCase ValuesCases[] = {
    {"a bad record keeps what came before and reads nothing after",
     Mdv("\"ScanSet\",2\r\n\"ScanSetName\",\"Kept\"\r\n\"White Level\",1,2,3\r\n\"Oops\",1\r\n"
         "\"Bias Adjust\",7,8,9\r\n"),
     Outcome::Failed,
     {{F::B, K::Factory, 0, 2, 2}, {F::B, K::Value, 1, 2, 0}},
     {2, "Kept"}},
    {"the limits of the checks",
     Mdv("\"NumLDacs\",8\r\n\"NumScanSets\",6\r\n\"ScanSet\",5\r\n"
         "\"ScanSetName\",\"Sixth\"\r\n\"Blue Offset\",255,-7,32767\r\n"),
     Outcome::Completed,
     {{F::L, K::Value, 7, 5, 255}, {F::L, K::Factory, 7, 5, -7}, {F::L, K::Initial, 7, 5, 32767}},
     {5, "Sixth"}},
    {"comments wherever they stand after the version line",
     "\"Norvale Monitor DAC Value File\"\r\n\"Version 3.0\"\r\n\"#\",\"first\"\r\n"
     "\"File Created: \",\"1/2/2003\"\r\n\"#\",\"Model Number: \"\r\n"
     "\"NumScanSets\",6\r\n\"#\",\"between counts\"\r\n\"NumBDacs\",2\r\n"
     "\"ScanSet\",1\r\n\"#\",\"inside a block\"\r\n\"ScanSetName\",\"Two\"\r\n"
     "\"White Level\",4,5,6\r\n\"#\",\"between DACs\"\r\n"
     "\"Bias Adjust\",7,8,9\r\n\"#\",\"last\"\r\n",
     Outcome::Completed,
     {{F::B, K::Initial, 1, 1, 9}},
     {1, "Two"}},
    // A record continues on the next line; unquoted fields lose their blanks; LF or CR alone
    // ends a line; what follows a closing quote up to the comma is skipped; a quoted text
    // keeps its commas and blanks; trailing blank lines are not records.
    {"fields as a stream",
     Mdv("\"Master Contrast\",1\r\n2,3\r\n  NumBDacs  ,  2  \nWhite Level, 10 ,\t11,12\n"
         "\"Bias Adjust\"  junk,13,14,15\r\"ScanSetName\",\" Night, Stroke \"\r\n\r\n  \r\n"),
     Outcome::Completed,
     {{F::L, K::Factory, 0, 0, 2},
      {F::B, K::Value, 0, 0, 10},
      {F::B, K::Factory, 0, 0, 11},
      {F::B, K::Initial, 1, 0, 15}},
     {0, " Night, Stroke "}}};

TEST(MdfReader, ReadsTheValuesOfTheRecords) {
    for (const auto& [what, file, outcome, cells, title] : ValuesCases) {
        ReaderRig rig;
        const auto result = rig.Read(file);
        EXPECT_EQ(result.outcome, outcome) << what << ": " << result.message;
        for (const auto& [family, kind, slot, column, value] : cells) {
            EXPECT_EQ(rig.data.Cell(family, kind, slot, column), value) << what << " " << slot;
        }
        EXPECT_EQ(rig.data.ScanSetName[title.first], title.second) << what;
    }
}

TEST(MdfReader, TakesTheLimitNumberAtTheStartRoundedHalfToEven) {
    const std::pair<const char*, int16_t> cases[] = {
        {"28", 28},     {"-3", -3}, {"27.5", 28}, {"26.5", 26},     {"26.51", 27},     {"-2.5", -2},
        {" 12 kV", 12}, {"kV", 0},  {"", 0},      {"32767", 32767}, {"-32768", -32768}};
    for (const auto& [text, value] : cases) {
        ReaderRig rig;
        rig.data.HvLowerLimit = 99;
        const auto result = rig.Read(Mdv("\"HV Upper Limit: \",\"" + std::string(text) +
                                         "\"\r\n\"HV Lower Limit: \",\"" + text + "\"\r\n"));
        EXPECT_EQ(result.outcome, Outcome::Completed) << result.message;
        EXPECT_EQ(rig.data.HvUpperLimit, value) << text;
        EXPECT_EQ(rig.data.HvLowerLimit, value) << text;
    }
}

}  // namespace
}  // namespace zorvex
