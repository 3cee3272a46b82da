#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CommLogFixture.h"
#include "core/link/StdioLogFile.h"

namespace zorvex::testing {
namespace {

using Texts = std::vector<std::string>;

TEST(CommLog, ReceivedTrafficReachesTheWindowAndTheFileFramedAsTheMonitorSentIt) {
    // As the port delivered it (CR is a line end, LF is dropped), whether the open file is
    // written, what the window shows and what the file holds.
    const std::tuple<const char*, bool, const char*, const char*> rows[] = {
        {"df\r\nV2.05\r\n#", true, "df\r\nV2.05\r\n#", "df\r\nV2.05\r\n#"},
        {"\n\nab\n", true, "ab", "ab"},
        {"#\r\r", true, "#\r\n\r\n", "#\r\n\r\n"},
        {"p\r\n#", false, "p\r\n#", ""},
        {"a\bb\x07", true, "a\bb\x07", "a\bb\x07"}};
    for (auto [received, fileLogging, window, file] : rows) {
        CommLogHarness h;
        auto& log = h.Make();
        ASSERT_TRUE(log.OpenLogFile("traffic.mcl").opened);
        log.SetFileLogEnabled(fileLogging);
        h.Receive(received);
        EXPECT_EQ(log.LogText(), window);
        EXPECT_EQ(h.files.Bytes("traffic.mcl"), file);
    }
}

TEST(CommLog, TheWindowEmptiesOnceItHoldsMoreThan31500CharactersWhileTheFileKeepsAllButNotes) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("long.mcl").opened);
    log.SetFileLogEnabled(true);
    const std::string full(31500, 'x');
    h.Receive(full + "y");  // 31500 is not longer than the limit: appended
    log.LogNote("n");       // on a new line, without a length check, and never in the file
    EXPECT_EQ(log.LogText(), full + "y\r\nn");
    h.Receive("z");  // now longer: emptied first, then appended
    EXPECT_EQ(log.LogText(), "z");
    h.Receive(full + "\r");  // a line end past the limit empties the window too
    EXPECT_EQ(log.LogText(), "\r\n");
    EXPECT_EQ(h.files.Bytes("long.mcl"), full + "yz" + full + "\r\n");
}

TEST(CommLog, TypedKeysGoThroughTheQueueByTheLineOrStraightToThePortWithTheBypass) {
    // Keys typed, "|" switching the bypass, with what is queued, written and left in the line.
    const std::tuple<const char*, Texts, Texts, const char*> rows[] = {
        {"p\rdx\bf\rdm", {"p\r\n", "dx\bf\r\n"}, {}, "dm"},
        {"|df\r", {}, {"d", "f", "\r", "\n"}, ""},
        {"d|x|f\r", {"df\r\n"}, {"x"}, ""}};
    for (const auto& [typed, queued, written, left] : rows) {
        CommLogHarness h;
        auto& log = h.Make();
        log.SetXmitQueueBypass(false);
        for (const char* k = typed; *k != '\0'; ++k) {
            if (*k == '|') {
                log.SetXmitQueueBypass(!h.link.XmitQueueOverride);
            } else {
                log.TypeKey(*k);
            }
        }
        EXPECT_EQ(h.commands.queued, queued) << typed;
        EXPECT_EQ(h.port.WrittenTexts(), written) << typed;
        EXPECT_EQ(log.TypedLine(), left) << typed;
        EXPECT_EQ(log.LogText(), "") << "typed keys are shown only as the monitor echoes them";
    }
}

TEST(CommLog, TheButtonsQueueTheirCommandsAndReachTheLink) {
    CommLogHarness h;
    auto& log = h.Make();
    log.Terse();
    log.Verbose();
    log.DisableChecking();
    log.EnableChecking();
    EXPECT_EQ(h.commands.queued, (Texts{"CU\r\n", "CV\r\n", "cz0\r\n", "cz1\r\n"}));
    log.SwitchAutoPing();  // off: no keep-alive is started
    log.SwitchAutoPing();
    log.ClearXmitQueue();
    log.ReConnect();
    EXPECT_EQ(h.hookCalls,
              (Texts{"keep-alive 2000", "clear queue", "restart attempt after offline"}));
}

TEST(CommLog, CreationReadsAutoPingAndBypassWhereOnlyOneMeansOn) {
    const std::pair<const char*, bool> rows[] = {
        {nullptr, true}, {"1", true}, {"0", false}, {"True", false}, {"", false}};
    for (auto [stored, on] : rows) {
        CommLogHarness h;
        if (stored != nullptr) {
            h.settings.Write("Configs", "AutoPingEnabled", stored);
            h.settings.Write("Configs", "BypassTransmitQueue", stored);
        }
        h.link.AutoPingEnabled = h.link.XmitQueueOverride = !on;
        h.Make();
        EXPECT_EQ(h.link.AutoPingEnabled, on);
        EXPECT_EQ(h.link.XmitQueueOverride, on);
    }
}

TEST(CommLog, TheControlsFollowTheLinkFlagsAndClosingStoresThemAndClosesTheFile) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("exit.mcl").opened);
    h.link.XmitQueueOverride = false;  // changed behind its back: activation shows it
    h.link.CommLogEnabled = false;
    log.Activate();
    EXPECT_FALSE(h.view.controls.bypassChecked || h.view.controls.windowLogChecked);
    log.SetWindowLogEnabled(true);  // the window box switches the receive path's logging too
    EXPECT_TRUE(h.link.CommLogEnabled && log.WindowLogEnabled() &&
                h.view.controls.windowLogChecked);
    log.SwitchAutoPing();
    log.Close();
    const auto stored = [&](const char* key) { return h.settings.Get("Configs", key); };
    EXPECT_EQ(stored("BypassTransmitQueue") + stored("AutoPingEnabled") + stored("CommLogOpen"),
              "001");
    EXPECT_TRUE(h.files.files.at("exit.mcl")->closed && !log.FileLogOpen());
    log.Done();  // stops no logging
    log.Close();
    h.Receive("a");
    EXPECT_EQ(stored("CommLogOpen") + log.LogText(), "0a");
}

TEST(CommLogFile, ARealFileIsEmptiedWhenOpenedHoldsTheReceivedTextAndNothingAfterClosing) {
    auto path = std::filesystem::temp_directory_path() /
                ("zorvex_commlog_" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".mcl");
    const auto read = [&] {
        std::ostringstream s;
        s << std::ifstream(path, std::ios::binary).rdbuf();
        return s.str();
    };
    std::ofstream(path) << "old content";
    StdioLogFileCreator files;
    CommLogHarness h;
    h.realFiles = &files;
    auto& log = h.Make();
    // The file buttons: L "Log to File ..." enabled, B the file box enabled, K the box
    // checked (file logging), X "Close Log File" enabled (a file open).
    const auto buttons = [&v = h.view.controls] {
        return std::string(v.logToFileEnabled ? "L" : "") + (v.fileBoxEnabled ? "B" : "") +
               (v.fileBoxChecked ? "K" : "") + (v.closeLogFileEnabled ? "X" : "");
    };
    log.SetFileLogEnabled(true);  // no file to log to yet
    EXPECT_EQ(buttons(), "LB");
    ASSERT_TRUE(log.OpenLogFile(path.string()).opened);
    EXPECT_EQ(buttons(), "BX");
    log.SetFileLogEnabled(true);
    EXPECT_EQ(buttons(), "BKX");
    h.Receive("OK\r");
    EXPECT_EQ(read(), "OK\r\n") << "a line end flushes the line";
    h.Receive("#");
    EXPECT_EQ(log.CloseLogFile(), "");
    EXPECT_EQ(buttons(), "L");
    h.Receive("x");
    EXPECT_EQ(read(), "OK\r\n#");
    std::filesystem::remove(path);
    EXPECT_FALSE(files.Create("/nonexistent-folder-zorvex/x.mcl").error.empty());
    // A full medium is noticed at the first line end, with the system's reason.
    CommLogHarness full;
    full.realFiles = &files;
    ASSERT_TRUE(full.Make().OpenLogFile("/dev/full").opened);
    full.log->SetFileLogEnabled(true);
    full.Receive("a\r");
    ASSERT_EQ(full.view.failures.size(), 1u);
    EXPECT_NE(full.view.failures[0].find("(No space left on device)"), std::string::npos);
}

}  // namespace
}  // namespace zorvex::testing
