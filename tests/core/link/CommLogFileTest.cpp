#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CommLogFixture.h"
#include "core/link/LogFileName.h"
#include "core/link/StdioLogFile.h"

namespace zorvex::testing {
namespace {

struct FileStateCase {
    const char* steps;  // o: open a file, f: an open that fails, c/u: check/uncheck, x: close
    // What is on, of: L "Log to File ..." enabled, B the file box enabled, K the box checked,
    // X "Close Log File" enabled, O a file open, G file logging.
    const char* on;
    const char* status = "File log: none";
};
constexpr const char* kPaused = "File log: a.mcl open, not writing (tick File Log Enabled)";
class CommLogFileStates : public ::testing::TestWithParam<FileStateCase> {};
TEST_P(CommLogFileStates, TheFileButtonsFollowTheFileLogState) {
    CommLogHarness h;
    auto& log = h.Make();
    for (const char* s = GetParam().steps; *s != '\0'; ++s) {
        h.files.refuse = *s == 'f';
        if (*s == 'o' || *s == 'f') {
            log.OpenLogFile("a.mcl");
        } else if (*s == 'x') {
            log.CloseLogFile();
        } else {
            log.SetFileLogEnabled(*s == 'c');
        }
    }
    const auto& v = h.view.controls;
    const std::pair<bool, char> flags[] = {{v.logToFileEnabled, 'L'}, {v.fileBoxEnabled, 'B'},
                                           {v.fileBoxChecked, 'K'},   {v.closeLogFileEnabled, 'X'},
                                           {log.FileLogOpen(), 'O'},  {log.FileLogEnabled(), 'G'}};
    std::string on;
    for (auto [flag, letter] : flags) {
        if (flag) {
            on += letter;
        }
    }
    EXPECT_EQ(on, GetParam().on) << "after " << GetParam().steps;
    EXPECT_EQ(v.fileLogStatus, GetParam().status) << "after " << GetParam().steps;
}
INSTANTIATE_TEST_SUITE_P(
    Table, CommLogFileStates,
    ::testing::Values(FileStateCase{"", "LB"}, FileStateCase{"c", "LB"},
                      FileStateCase{"o", "BXO", kPaused},
                      FileStateCase{"oc", "BKXOG", "File log: writing to a.mcl"},
                      FileStateCase{"ocu", "BXO", kPaused}, FileStateCase{"ocx", "L"},
                      FileStateCase{"oxo", "BXO", kPaused}, FileStateCase{"f", "LB"},
                      FileStateCase{"oxf", "L"}));

TEST(CommLogFile, AFileThatCannotBeCreatedGivesAClearMessageNamingIt) {
    CommLogHarness h;
    auto& log = h.Make();
    h.files.refuse = true;
    auto result = log.OpenLogFile("/readonly/x.mcl");
    EXPECT_FALSE(result.opened);
    EXPECT_NE(result.message.find("/readonly/x.mcl"), std::string::npos);
    EXPECT_NE(result.message.find("Permission denied"), std::string::npos);
}

TEST(CommLogFile, ClosingTheLogFileClosesItAndStopsWritingToIt) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("c.mcl").opened);
    log.SetFileLogEnabled(true);
    h.Receive("a");
    EXPECT_EQ(log.CloseLogFile(), "");
    h.Receive("b");
    EXPECT_TRUE(h.files.files.at("c.mcl")->closed);
    EXPECT_EQ(h.files.Bytes("c.mcl"), "a");
}

TEST(CommLogFile, AFailingWriteIsReportedOnceStopsFileLoggingAndTheWindowGoesOn) {
    CommLogHarness h;
    auto& log = h.Make();
    h.files.failAfterBytes = 3;
    ASSERT_TRUE(log.OpenLogFile("full.mcl").opened);
    log.SetFileLogEnabled(true);
    h.Receive("abcdef\rghi");
    ASSERT_EQ(h.view.failures.size(), 1u);
    EXPECT_NE(h.view.failures[0].find("No space left on device"), std::string::npos);
    EXPECT_FALSE(log.FileLogOpen());
    EXPECT_FALSE(log.FileLogEnabled());
    EXPECT_EQ(h.files.Bytes("full.mcl"), "abc");
    EXPECT_TRUE(h.files.files.at("full.mcl")->closed);
    EXPECT_EQ(log.LogText(), "abcdef\r\nghi");
    // The window offers a new file, as after "Close Log File".
    EXPECT_TRUE(h.view.controls.logToFileEnabled);
    EXPECT_FALSE(h.view.controls.closeLogFileEnabled);
    EXPECT_FALSE(h.view.controls.fileBoxChecked);
}

TEST(LogFileName, TheProposedNameHasNoLeadingZeros) {
    EXPECT_EQ(ProposedLogFileName({2001, 6, 14, 9, 5, 7}), "Zorvex_LogFile_6_14_2001_9_5_7");
    EXPECT_EQ(ProposedLogFileName({2026, 12, 31, 23, 59, 59}),
              "Zorvex_LogFile_12_31_2026_23_59_59");
    EXPECT_EQ(ProposedLogFileName({2000, 1, 1, 0, 0, 0}), "Zorvex_LogFile_1_1_2000_0_0_0");
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(StdioLogFile, ARealFileIsEmptiedWhenOpenedAndHoldsTheReceivedText) {
    auto path = std::filesystem::temp_directory_path() /
                ("zorvex_commlog_" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".mcl");
    std::ofstream(path) << "old content";
    StdioLogFileCreator files;
    CommLogHarness h;
    h.realFiles = &files;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile(path.string()).opened);
    log.SetFileLogEnabled(true);
    h.Receive("OK\r");
    EXPECT_EQ(ReadFile(path), "OK\r\n") << "a line end flushes the line";
    h.Receive("#");
    EXPECT_EQ(log.CloseLogFile(), "");
    EXPECT_EQ(ReadFile(path), "OK\r\n#");
    std::filesystem::remove(path);
    EXPECT_FALSE(files.Create("/nonexistent-folder-zorvex/x.mcl").error.empty());
}

}  // namespace
}  // namespace zorvex::testing
