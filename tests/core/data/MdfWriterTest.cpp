#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "SampleModels.h"
#include "core/data/MdfWriter.h"

namespace zorvex {
namespace {

const LocalDateTime Created{2001, 6, 14, 9, 5, 7};

std::string Golden(const std::string& name) {
    std::ifstream in(std::string(ZORVEX_DATA_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(MdfWriter, WritesTheInitialModelOfflineWithoutIdentityRecords) {
    const std::string expected =
        "\"Norvale Monitor DAC Value File\"\r\n"
        "\"Version 3.0\"\r\n"
        "\"File Created: \",\"6/14/2001 9:05:07 AM\"\r\n"
        "\"NumScanSets\",6\r\n"
        "\"NumLDacs\",8\r\n"
        "\"NumBDacs\",2\r\n"
        "\"NumHDacs\",4\r\n"
        "\"NumVDacs\",7\r\n"
        "\"NumNDacs\",6\r\n"
        "\"ScanSet\",0\r\n"
        "\"ScanSetName\",\"Scan Set 1 Title\"\r\n"
        "\"Master Contrast\",0,0,0\r\n"
        "\"Master Brightness\",0,0,0\r\n"
        "\"Red Gain\",0,0,0\r\n"
        "\"Green Gain\",0,0,0\r\n"
        "\"Blue Gain\",0,0,0\r\n"
        "\"Red Offset\",0,0,0\r\n"
        "\"Green Offset\",0,0,0\r\n"
        "\"Blue Offset\",0,0,0\r\n"
        "\"White Level\",0,0,0\r\n"
        "\"Bias Adjust\",0,0,0\r\n"
        "\"Horizontal Size\",0,0,0\r\n"
        "\"Horizontal Center\",0,0,0\r\n"
        "\"Horizontal Linearity\",0,0,0\r\n"
        "\"Trace Rotation\",0,0,0\r\n"
        "\"Horiz S Cap\",0,0,0\r\n"
        "\"Vertical Size\",0,0,0\r\n"
        "\"Vertical Center\",0,0,0\r\n"
        "\"Vert Linearity\",0,0,0\r\n"
        "\"E-W Correction\",0,0,0\r\n"
        "\"Horiz Trapezoid\",0,0,0\r\n"
        "\"Horiz Parabola\",0,0,0\r\n"
        "\"Horiz Bow\",0,0,0\r\n"
        "\"North-South Correction\",0,0,0\r\n"
        "\"North-South Trapezoid\",0,0,0\r\n"
        "\"North-South Phase\",0,0,0\r\n"
        "\"\",0,0,0\r\n"
        "\"\",0,0,0\r\n"
        "\"\",0,0,0\r\n";
    EXPECT_EQ(BuildMdfContent(MonitorData{}, Created), expected);
    EXPECT_EQ(BuildMdfContent(MonitorData{}, Created), Golden("initial-offline.mdv"));
}

struct GoldenCase {
    int16_t firmware;
    const char* file;
};

class MdfWriterGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(MdfWriterGolden, WritesAFullModelOnlineByteForByte) {
    EXPECT_EQ(BuildMdfContent(testing::FullModel(GetParam().firmware), Created),
              Golden(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Firmware, MdfWriterGolden,
                         ::testing::Values(GoldenCase{150, "full-online-150.mdv"},
                                           GoldenCase{250, "full-online-250.mdv"},
                                           GoldenCase{310, "full-online-310.mdv"}));

struct CrtCase {
    int16_t firmware;
    bool crtRecords;
};

class MdfWriterCrtRecords : public ::testing::TestWithParam<CrtCase> {};

TEST_P(MdfWriterCrtRecords, AreWrittenOnlyForTheTwoCrtFamilies) {
    const std::string file = BuildMdfContent(testing::FullModel(GetParam().firmware), Created);
    const bool serial = file.find("\"CRT Serial Number: \",\"CRT 5521\"\r\n") != std::string::npos;
    const bool part = file.find("\"CRT Part Number: \",\"CRT-PN 17\"\r\n") != std::string::npos;
    EXPECT_EQ(serial, GetParam().crtRecords) << GetParam().firmware;
    EXPECT_EQ(part, GetParam().crtRecords) << GetParam().firmware;
}

INSTANTIATE_TEST_SUITE_P(Bounds, MdfWriterCrtRecords,
                         ::testing::Values(CrtCase{0, false}, CrtCase{99, false},
                                           CrtCase{100, true}, CrtCase{199, true},
                                           CrtCase{200, true}, CrtCase{299, true},
                                           CrtCase{300, false}, CrtCase{310, false}));

TEST(MdfWriter, ADisabledScanSetLeavesNoTrace) {
    MonitorData data = testing::FullModel(250);
    data.ScanSetName[1] = "Hidden Title";
    const std::string file = BuildMdfContent(data, Created);
    EXPECT_EQ(file.find("Hidden Title"), std::string::npos);
    EXPECT_EQ(file.find("\"ScanSet\",1\r\n"), std::string::npos);
    // Column 1 holds values of its own (101.. for family L) that no other column has.
    EXPECT_EQ(file.find("\"Master Contrast\",101,"), std::string::npos);
    EXPECT_NE(file.find("\"ScanSet\",0\r\n"), std::string::npos);
    EXPECT_NE(file.find("\"ScanSet\",2\r\n"), std::string::npos);
    EXPECT_NE(file.find("\"ScanSet\",5\r\n"), std::string::npos);
}

TEST(MdfWriter, WritesTheWholeFileWithSevenOrEightScanSets) {
    for (int16_t scanSets : {int16_t{7}, int16_t{8}}) {
        MonitorData data = testing::FullModel(250);
        data.NumScanSets = scanSets;
        const std::string file = BuildMdfContent(data, Created);
        const std::string six = BuildMdfContent(testing::FullModel(250), Created);
        // Scan sets 6 and 7 have no enable flag and count as not enabled: only the count differs.
        std::string expected = six;
        expected.replace(six.find("\"NumScanSets\",6"), 15,
                         "\"NumScanSets\"," + std::to_string(scanSets));
        EXPECT_EQ(file, expected);
        // The last record: family N slot 5 of scan set 5.
        EXPECT_TRUE(file.ends_with("\"\",150,84,215\r\n"));
    }
}

struct DateCase {
    LocalDateTime when;
    const char* text;
};

class GeneralDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(GeneralDate, ShowsMonthDayYearAndTwelveHourTime) {
    EXPECT_EQ(GeneralDateText(GetParam().when), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Times, GeneralDate,
    ::testing::Values(DateCase{{2001, 6, 14, 9, 5, 7}, "6/14/2001 9:05:07 AM"},
                      DateCase{{2026, 12, 6, 0, 0, 1}, "12/6/2026 12:00:01 AM"},
                      DateCase{{2026, 12, 6, 12, 30, 0}, "12/6/2026 12:30:00 PM"},
                      DateCase{{2026, 1, 31, 23, 59, 59}, "1/31/2026 11:59:59 PM"},
                      DateCase{{2026, 1, 31, 0, 0, 0}, "1/31/2026"}));

}  // namespace
}  // namespace zorvex
