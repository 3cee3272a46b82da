#include <gtest/gtest.h>

#include "CommLogFixture.h"

namespace zorvex::testing {
namespace {

using Texts = std::vector<std::string>;

struct FramingCase {
    const char* received;  // as the port delivered it; CR is a line end, LF is dropped
    bool fileLogging;
    const char* window;
    const char* file;
};
class CommLogFraming : public ::testing::TestWithParam<FramingCase> {};
TEST_P(CommLogFraming, ReceivedTrafficReachesTheWindowAndTheFileFramedAsTheMonitorSentIt) {
    const auto& c = GetParam();
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("traffic.mcl").opened);
    log.SetFileLogEnabled(c.fileLogging);
    h.Receive(c.received);
    EXPECT_EQ(log.LogText(), c.window);
    EXPECT_EQ(h.view.CatchUp(log), c.window);
    EXPECT_EQ(h.files.Bytes("traffic.mcl"), c.file);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, CommLogFraming,
    ::testing::Values(FramingCase{"df\r\nV2.05\r\n#", true, "df\r\nV2.05\r\n#", "df\r\nV2.05\r\n#"},
                      FramingCase{"\n\nab\n", true, "ab", "ab"},
                      FramingCase{"#\r\r", true, "#\r\n\r\n", "#\r\n\r\n"},
                      FramingCase{"p\r\n#", false, "p\r\n#", ""},  // open but not logging
                      FramingCase{"a\bb\x07", true, "a\bb\x07", "a\bb\x07"}));

TEST(CommLog, TheWindowEmptiesOnceItHoldsMoreThan31500CharactersWhileTheFileKeepsAllButNotes) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("long.mcl").opened);
    log.SetFileLogEnabled(true);
    const std::string full(31500, 'x');
    h.Receive(full + "y");  // 31500 is not longer than the limit: appended
    EXPECT_EQ(log.LogText().size(), 31501u);
    log.LogNote("n");  // on a new line, without a length check, and never in the file
    EXPECT_EQ(log.LogText().substr(31500), "y\r\nn");
    h.Receive("z");  // now longer: emptied first, then appended
    EXPECT_EQ(log.LogText(), "z");
    h.Receive(full);
    log.LogReceivedLineEnd();  // a line end past the limit empties the window too
    EXPECT_EQ(log.LogText(), "\r\n");
    EXPECT_EQ(h.files.Bytes("long.mcl"), full + "yz" + full + "\r\n");
}

TEST(CommLog, TheWindowIsAskedToCatchUpOncePerBurstAndGetsOnlyWhatIsNew) {
    CommLogHarness h;
    auto& log = h.Make();
    h.Receive("early\r");
    RecordingView late;  // a window attached later starts from the whole text
    log.SetView(&late);
    EXPECT_EQ(late.CatchUp(log), "early\r\n");
    EXPECT_EQ(late.clears, 1);
    const int before = late.pendingCalls;
    h.Receive(std::string(5000, 'a'));
    EXPECT_EQ(late.pendingCalls, before + 1);
    auto update = log.TakeTextUpdate();
    EXPECT_FALSE(update.cleared);
    EXPECT_EQ(update.appended, std::string(5000, 'a'));
    h.Receive("b");
    EXPECT_EQ(late.pendingCalls, before + 2);
    h.Receive(std::string(31500, 'x'));
    EXPECT_EQ(late.CatchUp(log), log.LogText());
    EXPECT_EQ(late.clears, 2);
    log.ClearLogWindow();
    EXPECT_EQ(log.LogText(), "");
    EXPECT_EQ(late.CatchUp(log), "");
    EXPECT_EQ(late.clears, 3);
}

TEST(CommLog, TheWindowBoxSwitchesWindowAndCommLoggingTogetherAndDoneStopsNeither) {
    CommLogHarness h;
    auto& log = h.Make();
    for (bool on : {false, true}) {
        log.SetWindowLogEnabled(on);
        EXPECT_EQ(h.link.CommLogEnabled, on);
        EXPECT_EQ(log.WindowLogEnabled(), on);
        EXPECT_EQ(h.view.controls.windowLogChecked, on);
    }
    log.Activate();
    EXPECT_TRUE(log.CommLogOpen());
    log.Done();
    EXPECT_FALSE(log.CommLogOpen());
    h.Receive("a");
    EXPECT_EQ(log.LogText(), "a");
}

struct TypedCase {
    bool bypass;
    const char* typed;
    Texts queued;
    Texts written;
    const char* leftInLine;
};
class CommLogTypedKeys : public ::testing::TestWithParam<TypedCase> {};
TEST_P(CommLogTypedKeys, TypedKeysGoThroughTheQueueOrStraightToThePort) {
    const auto& c = GetParam();
    CommLogHarness h;
    auto& log = h.Make();
    log.SetXmitQueueBypass(c.bypass);
    for (const char* k = c.typed; *k != '\0'; ++k) {
        log.TypeKey(*k);
    }
    EXPECT_EQ(h.commands.queued, c.queued);
    EXPECT_EQ(h.port.WrittenTexts(), c.written);
    EXPECT_EQ(log.TypedLine(), c.leftInLine);
    EXPECT_EQ(log.LogText(), "") << "typed keys are shown only as the monitor echoes them";
}
INSTANTIATE_TEST_SUITE_P(Cases, CommLogTypedKeys,
                         ::testing::Values(TypedCase{false, "df\r", {"df\r\n"}, {}, ""},
                                           TypedCase{false, "dm", {}, {}, "dm"},
                                           TypedCase{false, "dx\bf\r", {"dx\bf\r\n"}, {}, ""},
                                           TypedCase{false, "\r", {"\r\n"}, {}, ""},
                                           TypedCase{false, "p\rdf\r", {"p\r\n", "df\r\n"}, {}, ""},
                                           TypedCase{true, "df\r", {}, {"d", "f", "\r", "\n"}, ""},
                                           TypedCase{true, "a\b", {}, {"a", "\b"}, ""}));

TEST(CommLog, SwitchingTheBypassOnKeepsTheKeysAlreadyTypedForTheNextQueuedLine) {
    CommLogHarness h;
    auto& log = h.Make();
    log.SetXmitQueueBypass(false);
    log.TypeKey('d');
    log.SetXmitQueueBypass(true);
    log.TypeKey('x');
    log.SetXmitQueueBypass(false);
    log.TypeKey('f');
    log.TypeKey('\r');
    EXPECT_EQ(h.commands.queued, Texts{"df\r\n"});
    EXPECT_EQ(h.port.WrittenTexts(), Texts{"x"});
}

TEST(CommLog, TheButtonsQueueTheirCommandsAndReachTheLink) {
    CommLogHarness h;
    auto& log = h.Make();
    log.Terse();
    log.Verbose();
    EXPECT_TRUE(h.view.controls.checkOffShown);
    log.DisableChecking();
    EXPECT_FALSE(h.view.controls.checkOffShown);
    log.EnableChecking();
    EXPECT_TRUE(h.view.controls.checkOffShown);
    EXPECT_EQ(h.commands.queued, (Texts{"CU\r\n", "CV\r\n", "cz0\r\n", "cz1\r\n"}));
    ASSERT_TRUE(h.link.AutoPingEnabled);
    log.SwitchAutoPing();  // off: no keep-alive is started
    EXPECT_FALSE(h.link.AutoPingEnabled);
    EXPECT_EQ(h.view.controls.autoPingCaption, "Enable AutoPing");
    log.SwitchAutoPing();
    EXPECT_TRUE(h.link.AutoPingEnabled);
    EXPECT_EQ(h.view.controls.autoPingCaption, "Disable AutoPing");
    log.ReConnect();
    EXPECT_EQ(h.hookCalls, (Texts{"keep-alive 2000", "restart attempt after offline"}));
}

struct CreationCase {
    const char* stored;  // for both AutoPingEnabled and BypassTransmitQueue; nullptr: missing
    bool on;
};
class CommLogCreation : public ::testing::TestWithParam<CreationCase> {};
TEST_P(CommLogCreation, CreationReadsAutoPingAndBypassWhereOnlyOneMeansOn) {
    const auto& c = GetParam();
    CommLogHarness h;
    if (c.stored != nullptr) {
        h.settings.Write("Configs", "AutoPingEnabled", c.stored);
        h.settings.Write("Configs", "BypassTransmitQueue", c.stored);
    }
    h.link.AutoPingEnabled = h.link.XmitQueueOverride = !c.on;
    h.Make();
    EXPECT_EQ(h.link.AutoPingEnabled, c.on);
    EXPECT_EQ(h.link.XmitQueueOverride, c.on);
    EXPECT_EQ(h.view.controls.bypassChecked, c.on);
    EXPECT_EQ(h.view.controls.autoPingCaption, c.on ? "Disable AutoPing" : "Enable AutoPing");
}
INSTANTIATE_TEST_SUITE_P(Cases, CommLogCreation,
                         ::testing::Values(CreationCase{nullptr, true}, CreationCase{"1", true},
                                           CreationCase{"0", false}, CreationCase{"True", false},
                                           CreationCase{"", false}));

TEST(CommLog, TheControlsAndWhatClosingStoresFollowFlagsResetAfterCreation) {
    CommLogHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "1");
    h.settings.Write("Configs", "AutoPingEnabled", "0");
    auto& log = h.Make();
    // Start-up resets the link flags after the window was created.
    h.link.XmitQueueOverride = false;
    h.link.AutoPingEnabled = true;
    h.link.CommLogEnabled = false;  // the monitor data initialisation read "False"
    log.RefreshControls();
    EXPECT_FALSE(h.view.controls.bypassChecked);
    EXPECT_EQ(h.view.controls.autoPingCaption, "Disable AutoPing");
    EXPECT_FALSE(h.view.controls.windowLogChecked);
    log.SwitchAutoPing();
    log.Close();
    EXPECT_EQ(h.settings.Get("Configs", "BypassTransmitQueue"), "0");
    EXPECT_EQ(h.settings.Get("Configs", "AutoPingEnabled"), "0");
    EXPECT_EQ(h.settings.Get("Configs", "CommLogOpen"), "0");
}

TEST(CommLog, ActivationShowsAFlagChangedBehindItsBackAndClosingAtExitStoresItAndClosesTheFile) {
    CommLogHarness h;
    h.settings.Write("Configs", "BypassTransmitQueue", "0");
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("exit.mcl").opened);
    h.link.XmitQueueOverride = true;
    log.Activate();
    EXPECT_TRUE(h.view.controls.bypassChecked);
    log.Close();
    EXPECT_EQ(h.settings.Get("Configs", "BypassTransmitQueue"), "1");
    EXPECT_EQ(h.settings.Get("Configs", "CommLogOpen"), "1");
    EXPECT_TRUE(h.files.files.at("exit.mcl")->closed);
    EXPECT_FALSE(log.FileLogOpen());
}

}  // namespace
}  // namespace zorvex::testing
