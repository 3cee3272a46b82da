#include <gtest/gtest.h>

#include <string>

#include "DataTestSupport.h"
#include "core/data/MdfReader.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace zorvex {
namespace {

using Outcome = MdfReadResult::Outcome;

// Header, version, creation date and a comment, then the records given: well over the
// hundred bytes a file needs.
std::string Mdv(const std::string& records) {
    return "\"Norvale Monitor DAC Value File\"\r\n"
           "\"Version 3.0\"\r\n"
           "\"File Created: \",\"6/14/2001 9:05:07 AM\"\r\n"
           "\"#\",\"written by hand for a test\"\r\n" +
           records;
}

// The 1-based position of the first byte of the record that begins with marker.
std::string LineOf(const std::string& file, const std::string& marker) {
    const auto at = file.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    return std::to_string(at + 1);
}

struct ReaderRig {
    MonitorData data;
    ResponseDispatcher dispatcher;
    testing::RecordingInfoLabels labels;
    IdentificationReplies identification{data, labels};
    MdfReader reader{data, dispatcher, labels};

    ReaderRig() { identification.Register(dispatcher); }
    MdfReadResult Read(const std::string& bytes) { return reader.Read(bytes, "mon1.mdv"); }
};

std::string Replaced(std::string file, const std::string& from, const std::string& to) {
    return file.replace(file.find(from), from.size(), to);
}

struct MessageCase {
    std::string file;
    std::string marker;   // where the bad record begins
    std::string message;  // with "P" for its position
    Outcome outcome = Outcome::Failed;
};

const std::string NotValid = "File mon1.mdv is not a valid .mdv file";
const std::string NotMdv = "File mon1.mdvis not in .mdv format";
const std::string NotFound = "Name Not Found: ";

const MessageCase MessageCases[] = {
    // Below 100 bytes nothing else is looked at.
    {Mdv("").substr(0, 99), "", NotValid, Outcome::Rejected},
    {std::string(99, 'x'), "", NotValid, Outcome::Rejected},
    {Replaced(Mdv(""), "Norvale", "Nirvana") + std::string(20, '\n'), "", NotMdv,
     Outcome::Rejected},
    {"\"#\",\"note\"\r\n" + Mdv(""), "", NotMdv, Outcome::Rejected},
    {Replaced(Mdv(""), "3.0", "2.0"), "", "File mon1.mdv is a wrong version number",
     Outcome::Rejected},
    {Mdv("\"NumLDacs\",8\r\n\"NumLDacs\",9\r\n"), "\"NumLDacs\",9",
     "Bad Input - NumLDacs Value Too Large\rLine P"},
    {Mdv("\"NumNDacs\",9\r\n"), "\"NumNDacs\",9", "Bad Input - NumNDacs Value Too Large\rLine P"},
    {Mdv("\"NumScanSets\",8\r\n\"NumScanSets\",9\r\n"), "\"NumScanSets\",9",
     "Bad Input - NumScanSets Value Too Large\rLine P"},
    {Mdv("\"ScanSet\",5\r\n\"ScanSet\",6\r\n"), "\"ScanSet\",6",
     "Bad Input - ScanSet Value Too Large\rLine P"},
    {Mdv("\"ScanSet\",1\r\n\"ScanSetName\",\"\"\r\n"), "\"ScanSetName\"",
     "Bad Input - ScanSetName Has No Name Assigned\rLine P"},
    {Mdv("\"ScanSet\",3\r\n\"Gamma Boost\",1,2,3\r\n"), "\"Gamma Boost\"",
     NotFound + "Gamma Boost\r\nLine P\r\nScanSetReading: 3"},
    {Mdv("\"  Gamma \",1\r\n"), "\"  Gamma \"",
     NotFound + "  Gamma \r\nLine P\r\nScanSetReading: 0"},
    // A blank line is not a record; labels are case-sensitive; extra fields make a record.
    {Mdv("\"NumLDacs\",8\r\n\r\n\"NumBDacs\",2\r\n"), "\r\n\"NumBDacs\"",
     NotFound + "\r\nLine P\r\nScanSetReading: 0"},
    {Mdv("\"numldacs\",8\r\n"), "\"numldacs\"",
     NotFound + "numldacs\r\nLine P\r\nScanSetReading: 0"},
    {Mdv("\"NumLDacs\",8,7\r\n"), "7\r\n", NotFound + "7\r\nLine P\r\nScanSetReading: 0"},
    // One unnamed record more than family N's last slot has nowhere to go.
    {Mdv("\"ScanSet\",1\r\n\"North-South Phase\",4,4,4\r\n\"\",5,5,5\r\n\"\",6,6,6\r\n"
         "\"\",7,7,7\r\n\"\",8,8,8\r\n"),
     "\"\",8", NotFound + "\r\nLine P\r\nScanSetReading: 1"},
    {Mdv("\"NumLDacs\",eight\r\n"), "", "In ReadMDF, Error # 13: Type mismatch"},
    {Mdv("\"NumLDacs\",40000\r\n"), "", "In ReadMDF, Error # 6: Overflow"},
    {Mdv("\"HV Upper Limit: \",\"32768\"\r\n"), "", "In ReadMDF, Error # 6: Overflow"},
    {Mdv("\"Master Contrast\",1,2"), "", "In ReadMDF, Error # 62: Input past end of file"},
    {Mdv("\"NumScanSets\",8\r\n\"ScanSet\",6\r\n\"ScanSetName\",\"Seven\"\r\n"), "",
     "In ReadMDF, Error # 9: Subscript out of range"},
    {Mdv("\"NumScanSets\",8\r\n\"ScanSet\",7\r\n\"Red Gain\",1,2,3\r\n"), "",
     "In ReadMDF, Error # 9: Subscript out of range"},
    {Mdv("\"ScanSet\",-1\r\n\"Red Gain\",1,2,3\r\n"), "",
     "In ReadMDF, Error # 9: Subscript out of range"}};

class MdfReaderMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MdfReaderMessages, EndTheReadWithTheMessageAndThePosition) {
    const MessageCase& c = GetParam();
    std::string expected = c.message;
    if (!c.marker.empty()) {
        expected.replace(expected.find('P'), 1, LineOf(c.file, c.marker));
    }
    ReaderRig rig;
    const auto result = rig.Read(c.file);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.message, expected);
}

INSTANTIATE_TEST_SUITE_P(Records, MdfReaderMessages, ::testing::ValuesIn(MessageCases));

TEST(MdfReader, ReadsAFileOfExactlyAHundredBytes) {
    std::string file = "\"Norvale Monitor DAC Value File\"\r\n\"Version 3.0\"\r\n\"#\",\"";
    file += std::string(100 - file.size() - 3, 'x') + "\"\r\n";
    ASSERT_EQ(file.size(), 100u);
    ReaderRig rig;
    const auto result = rig.Read(file);
    EXPECT_EQ(result.outcome, Outcome::Completed) << result.message;
}

TEST(MdfReader, KeepsWhatWasReadBeforeABadRecord) {
    ReaderRig rig;
    const auto result =
        rig.Read(Mdv("\"NumBDacs\",5\r\n\"ScanSet\",2\r\n\"White Level\",1,2,3\r\n\"Oops\",1\r\n"
                     "\"NumVDacs\",1\r\n"));
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(rig.data.DacCount(DacFamily::B), 5);
    EXPECT_EQ(rig.data.Cell(DacFamily::B, DacTableKind::Factory, 0, 2), 2);
    EXPECT_EQ(rig.data.DacCount(DacFamily::V), 7);  // after the bad record: not read
}

TEST(MdfReader, AcceptsTheLimitsOfItsChecks) {
    ReaderRig rig;
    const auto result =
        rig.Read(Mdv("\"NumLDacs\",8\r\n\"NumScanSets\",6\r\n\"ScanSet\",5\r\n"
                     "\"ScanSetName\",\"Sixth\"\r\n\"Blue Offset\",255,-7,32767\r\n"));
    EXPECT_EQ(result.outcome, Outcome::Completed) << result.message;
    EXPECT_EQ(rig.data.ScanSetName[5], "Sixth");
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Value, 7, 5), 255);
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Factory, 7, 5), -7);
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Initial, 7, 5), 32767);
    EXPECT_EQ(rig.reader.ScanSetReading(), 5);
}

TEST(MdfReader, SkipsCommentRecordsWhereverTheyStandAfterTheVersionLine) {
    ReaderRig rig;
    const auto result = rig.Read(
        "\"Norvale Monitor DAC Value File\"\r\n\"Version 3.0\"\r\n"
        "\"#\",\"first\"\r\n"
        "\"File Created: \",\"1/2/2003\"\r\n"
        "\"#\",\"Model Number: \"\r\n"
        "\"NumScanSets\",6\r\n\"#\",\"between counts\"\r\n\"NumBDacs\",2\r\n"
        "\"ScanSet\",1\r\n\"#\",\"inside a block\"\r\n\"ScanSetName\",\"Two\"\r\n"
        "\"White Level\",4,5,6\r\n\"#\",\"between DACs\"\r\n\"Bias Adjust\",7,8,9\r\n"
        "\"#\",\"last\"\r\n");
    EXPECT_EQ(result.outcome, Outcome::Completed) << result.message;
    EXPECT_EQ(rig.data.ModelNumber, "");
    EXPECT_EQ(rig.data.ScanSetName[1], "Two");
    EXPECT_EQ(rig.data.Cell(DacFamily::B, DacTableKind::Initial, 1, 1), 9);
}

TEST(MdfReader, PutsDacRecordsBeforeAnyScanSetIntoTheColumnThePreviousReadLeft) {
    ReaderRig rig;
    EXPECT_EQ(rig.reader.ScanSetReading(), 0);
    ASSERT_EQ(rig.Read(Mdv("\"Red Gain\",1,2,3\r\n")).outcome, Outcome::Completed);
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Value, 2, 0), 1);

    ASSERT_EQ(rig.Read(Mdv("\"ScanSet\",4\r\n\"Red Gain\",4,5,6\r\n")).outcome, Outcome::Completed);
    EXPECT_EQ(rig.reader.ScanSetReading(), 4);
    // A new read does not reset the column.
    ASSERT_EQ(rig.Read(Mdv("\"Green Gain\",7,8,9\r\n")).outcome, Outcome::Completed);
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Value, 3, 4), 7);
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Value, 3, 0), 0);
}

TEST(MdfReader, ReadsFieldsAsAStream) {
    ReaderRig rig;
    const auto result = rig.Read(Mdv(
        // a record that continues on the next line
        "\"Master Contrast\",1\r\n2,3\r\n"
        // unquoted fields lose their blanks; LF alone ends a line
        "  NumBDacs  ,  2  \n"
        "White Level, 10 ,\t11,12\n"
        // what follows a closing quote up to the comma is skipped
        "\"Bias Adjust\"  junk,13,14,15\r"
        // a quoted text keeps its commas and blanks
        "\"ScanSetName\",\" Night, Stroke \"\r\n"
        // trailing blank lines at the end are not records
        "\r\n  \r\n"));
    EXPECT_EQ(result.outcome, Outcome::Completed) << result.message;
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Factory, 0, 0), 2);
    EXPECT_EQ(rig.data.Cell(DacFamily::L, DacTableKind::Initial, 0, 0), 3);
    EXPECT_EQ(rig.data.Cell(DacFamily::B, DacTableKind::Value, 0, 0), 10);
    EXPECT_EQ(rig.data.Cell(DacFamily::B, DacTableKind::Factory, 0, 0), 11);
    EXPECT_EQ(rig.data.Cell(DacFamily::B, DacTableKind::Initial, 1, 0), 15);
    EXPECT_EQ(rig.data.ScanSetName[0], " Night, Stroke ");
}

// The texts themselves are pinned by the write-then-read property.
TEST(MdfReader, StoresIdentityTextsAsWrittenAndShowsThemInTheInformationLabels) {
    ReaderRig rig;
    const auto result =
        rig.Read(Mdv("\"Model Number: \",\"KX-2100\"\r\n\"Serial Number: \",\"SN 7\"\r\n"
                     "\"Part Number: \",\"P/N 1\"\r\n\"CRT Serial Number: \",\"C 5\"\r\n"
                     "\"CRT Part Number: \",\"C-PN\"\r\n\"Firmware Version: \",\"V 2.05\"\r\n"
                     "\"ROM Version: \",\"V 1.10\"\r\n\"Operating Hours: \",\"101:00:00:05\"\r\n"
                     "\"Operating Cycles: \",\"42\"\r\n"));
    EXPECT_EQ(result.outcome, Outcome::Completed) << result.message;
    EXPECT_EQ(rig.data.CrtPartNumber, "C-PN");
    EXPECT_EQ(rig.data.FirmwareVersion, "V 2.05");
    EXPECT_EQ(rig.data.FirmwareVersionNumber, 205);
    EXPECT_TRUE(rig.data.PartNumberSupported);
    EXPECT_EQ(rig.labels.shown[InfoLabel::Model], "KX-2100");
    EXPECT_EQ(rig.labels.shown[InfoLabel::Part], "P/N 1");
    EXPECT_EQ(rig.labels.shown[InfoLabel::OperatingTime], "101:00:00:05");
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
