#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CommLogFixture.h"
#include "core/link/LogFileName.h"
#include "core/link/StdioLogFile.h"

namespace zorvex::testing {
namespace {

enum class Step { Open, Check, Uncheck, CloseFile, FailedOpen };

struct FileStateCase {
    const char* name;
    std::vector<Step> steps;
    bool logToFile, boxEnabled, boxChecked, closeFile;
    bool fileOpen, fileLogging;
};

class CommLogFileStates : public ::testing::TestWithParam<FileStateCase> {};

TEST_P(CommLogFileStates, TheFileButtonsFollowTheFileLogState) {
    const auto& c = GetParam();
    CommLogHarness h;
    auto& log = h.Make();
    for (Step step : c.steps) {
        switch (step) {
            case Step::Open:
                h.files.refuse = false;
                log.OpenLogFile("a.mcl");
                break;
            case Step::FailedOpen:
                h.files.refuse = true;
                log.OpenLogFile("b.mcl");
                break;
            case Step::Check:
                log.SetFileLogEnabled(true);
                break;
            case Step::Uncheck:
                log.SetFileLogEnabled(false);
                break;
            case Step::CloseFile:
                log.CloseLogFile();
                break;
        }
    }
    const auto& v = h.view.controls;
    EXPECT_EQ(v.logToFileEnabled, c.logToFile);
    EXPECT_EQ(v.fileBoxEnabled, c.boxEnabled);
    EXPECT_EQ(v.fileBoxChecked, c.boxChecked);
    EXPECT_EQ(v.closeLogFileEnabled, c.closeFile);
    EXPECT_EQ(log.FileLogOpen(), c.fileOpen);
    EXPECT_EQ(log.FileLogEnabled(), c.fileLogging);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommLogFileStates,
    ::testing::Values(
        // name, steps, "Log to File ...", box enabled, box checked, "Close Log File", open, logging
        FileStateCase{"Created", {}, true, true, false, false, false, false},
        FileStateCase{"BoxCheckedWithoutAFileStaysCleared",
                      {Step::Check},
                      true,
                      true,
                      false,
                      false,
                      false,
                      false},
        FileStateCase{"FileChosen", {Step::Open}, false, true, false, true, true, false},
        FileStateCase{
            "FileLogging", {Step::Open, Step::Check}, false, true, true, true, true, true},
        FileStateCase{"BoxClearedAgain",
                      {Step::Open, Step::Check, Step::Uncheck},
                      false,
                      true,
                      false,
                      true,
                      true,
                      false},
        FileStateCase{"FileClosed",
                      {Step::Open, Step::Check, Step::CloseFile},
                      true,
                      false,
                      false,
                      false,
                      false,
                      false},
        FileStateCase{"ReopenedAfterClosing",
                      {Step::Open, Step::CloseFile, Step::Open},
                      false,
                      true,
                      false,
                      true,
                      true,
                      false},
        FileStateCase{
            "FailedOpenChangesNothing", {Step::FailedOpen}, true, true, false, false, false, false},
        FileStateCase{"FailedOpenAfterClosingChangesNothing",
                      {Step::Open, Step::CloseFile, Step::FailedOpen},
                      true,
                      false,
                      false,
                      false,
                      false,
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommLogFileOpen, AFileThatCannotBeCreatedGivesAClearMessageNamingIt) {
    CommLogHarness h;
    auto& log = h.Make();
    h.files.refuse = true;
    auto result = log.OpenLogFile("/readonly/x.mcl");
    EXPECT_FALSE(result.opened);
    EXPECT_NE(result.message.find("/readonly/x.mcl"), std::string::npos);
    EXPECT_NE(result.message.find("Permission denied"), std::string::npos);
}

TEST(CommLogFileOpen, ClosingTheLogFileClosesItAndStopsWritingToIt) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("c.mcl").opened);
    log.SetFileLogEnabled(true);
    h.Receive("a");
    EXPECT_EQ(log.CloseLogFile(), "");
    h.Receive("b");
    EXPECT_TRUE(h.files.files.at("c.mcl")->closed);
    EXPECT_EQ(h.files.files.at("c.mcl")->bytes, "a");
}

TEST(CommLogFileFailure, AFailingWriteIsReportedOnceStopsFileLoggingAndTheWindowGoesOn) {
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
    EXPECT_EQ(h.files.files.at("full.mcl")->bytes, "abc");
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
    {
        std::ofstream old(path);
        old << "old content";
    }
    StdioLogFileCreator files;
    CommLogHarness h;
    h.realFiles = &files;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile(path.string()).opened);
    log.SetFileLogEnabled(true);
    log.LogReceivedChar('O');
    log.LogReceivedChar('K');
    log.LogReceivedLineEnd();
    EXPECT_EQ(ReadFile(path), "OK\r\n") << "a line end flushes the line";
    log.LogReceivedChar('#');
    EXPECT_EQ(log.CloseLogFile(), "");
    EXPECT_EQ(ReadFile(path), "OK\r\n#");
    std::filesystem::remove(path);
}

TEST(StdioLogFile, AFolderThatDoesNotExistIsReportedWithTheSystemsWords) {
    StdioLogFileCreator files;
    auto creation = files.Create("/nonexistent-folder-zorvex/x.mcl");
    EXPECT_EQ(creation.file, nullptr);
    EXPECT_FALSE(creation.error.empty());
}

TEST(StdioLogFile, AFullDeviceStopsFileLoggingWithOneReport) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    StdioLogFileCreator files;
    CommLogHarness h;
    h.realFiles = &files;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("/dev/full").opened);
    log.SetFileLogEnabled(true);
    for (int line = 0; line < 3; ++line) {
        h.Receive("0123456789\r");
    }
    ASSERT_EQ(h.view.failures.size(), 1u);
    EXPECT_FALSE(log.FileLogOpen());
    EXPECT_EQ(log.LogText(), "0123456789\r\n0123456789\r\n0123456789\r\n");
}

}  // namespace
}  // namespace zorvex::testing
