#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "SampleModels.h"
#include "core/data/MdfWriter.h"

namespace zorvex {
namespace {

const LocalDateTime Created{2001, 6, 14, 9, 5, 7};

std::string Golden(const std::string& name) {
    std::ifstream in(std::string(ZORVEX_DATA_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

// The full model's scan set 1 holds values and a title but is not enabled: it leaves no trace.
// Scan sets 6 and 7 have no enable flag and count as not enabled: only their count is written.
TEST(MdfWriter, WritesTheInitialModelOfflineAndAFullModelOnlineByteForByte) {
    EXPECT_EQ(BuildMdfContent(MonitorData{}, Created), Golden("initial-offline.mdv"));
    for (int16_t firmware : {int16_t{150}, int16_t{250}, int16_t{310}}) {
        MonitorData data = testing::FullModel(firmware);
        const std::string golden = Golden("full-online-" + std::to_string(firmware) + ".mdv");
        EXPECT_EQ(BuildMdfContent(data, Created), golden);
        data.NumScanSets = 8;
        std::string eight = golden;
        EXPECT_EQ(BuildMdfContent(data, Created),
                  eight.replace(eight.find("\"NumScanSets\",6"), 15, "\"NumScanSets\",8"));
    }
}

TEST(MdfWriter, WritesTheCrtRecordsOnlyForTheTwoCrtFamilies) {
    const std::string crt =
        "\"CRT Serial Number: \",\"CRT 5521\"\r\n\"CRT Part Number: \",\"CRT-PN 17\"\r\n";
    std::string seen;  // for firmware 0, 99, 100, 299 and 300
    for (int16_t firmware : {0, 99, 100, 299, 300}) {
        const std::string file = BuildMdfContent(testing::FullModel(firmware), Created);
        seen += std::to_string(file.find(crt) != std::string::npos);
    }
    EXPECT_EQ(seen, "00110");
}

TEST(GeneralDate, ShowsMonthDayYearAndTwelveHourTime) {
    const std::pair<LocalDateTime, const char*> cases[] = {
        {{2001, 6, 14, 9, 5, 7}, "6/14/2001 9:05:07 AM"},
        {{2026, 12, 6, 0, 0, 1}, "12/6/2026 12:00:01 AM"},
        {{2026, 12, 6, 12, 10, 9}, "12/6/2026 12:10:09 PM"},
        {{2026, 1, 31, 23, 59, 59}, "1/31/2026 11:59:59 PM"},
        {{2026, 1, 31, 0, 0, 0}, "1/31/2026"}};
    for (const auto& [when, text] : cases) {
        EXPECT_EQ(GeneralDateText(when), text);
    }
}

}  // namespace
}  // namespace zorvex
