#include <gtest/gtest.h>

#include "CommLogFixture.h"

namespace zorvex::testing {
namespace {

struct TypedCase {
    const char* name;
    bool bypass;
    const char* typed;
    std::vector<std::string> queued;
    std::vector<std::string> written;
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

INSTANTIATE_TEST_SUITE_P(
    Cases, CommLogTypedKeys,
    ::testing::Values(
        TypedCase{"EnterQueuesTheTypedLine", false, "df\r", {"df\r\n"}, {}, ""},
        TypedCase{"KeysWaitInTheLineUntilEnter", false, "dm", {}, {}, "dm"},
        TypedCase{"BackspaceIsKeptAsTyped", false, "dx\bf\r", {"dx\bf\r\n"}, {}, ""},
        TypedCase{"EnterAloneQueuesALineEnd", false, "\r", {"\r\n"}, {}, ""},
        TypedCase{"TwoLinesGiveTwoCommands", false, "p\rdf\r", {"p\r\n", "df\r\n"}, {}, ""},
        TypedCase{"BypassWritesEachKeyAndALineFeedAfterEnter",
                  true,
                  "df\r",
                  {},
                  {"d", "f", "\r", "\n"},
                  ""},
        TypedCase{"BypassWritesControlCharactersToo", true, "a\b", {}, {"a", "\b"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommLogTypedKeys, SwitchingTheBypassOnKeepsTheKeysAlreadyTypedForTheNextQueuedLine) {
    CommLogHarness h;
    auto& log = h.Make();
    log.SetXmitQueueBypass(false);
    log.TypeKey('d');
    log.SetXmitQueueBypass(true);
    log.TypeKey('x');
    log.SetXmitQueueBypass(false);
    log.TypeKey('f');
    log.TypeKey('\r');
    EXPECT_EQ(h.commands.queued, std::vector<std::string>{"df\r\n"});
    EXPECT_EQ(h.port.WrittenTexts(), std::vector<std::string>{"x"});
}

struct ButtonCase {
    const char* name;
    void (CommLog::*action)();
    std::vector<std::string> queued;
};

class CommLogCommandButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(CommLogCommandButtons, EachCommandButtonQueuesItsCommand) {
    CommLogHarness h;
    auto& log = h.Make();
    (log.*GetParam().action)();
    EXPECT_EQ(h.commands.queued, GetParam().queued);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommLogCommandButtons,
    ::testing::Values(ButtonCase{"Terse", &CommLog::Terse, {"CU\r\n"}},
                      ButtonCase{"Verbose", &CommLog::Verbose, {"CV\r\n"}},
                      ButtonCase{"DisableChecking", &CommLog::DisableChecking, {"cz0\r\n"}},
                      ButtonCase{"EnableChecking", &CommLog::EnableChecking, {"cz1\r\n"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommLogChecking, DisableAndEnableCheckingAlternateSoOnlyOneIsShown) {
    CommLogHarness h;
    auto& log = h.Make();
    EXPECT_TRUE(h.view.controls.checkOffShown);
    log.DisableChecking();
    EXPECT_FALSE(h.view.controls.checkOffShown);
    log.EnableChecking();
    EXPECT_TRUE(h.view.controls.checkOffShown);
}

TEST(CommLogAutoPing, SwitchingAutoPingOnStartsTheKeepAliveWith2000MsAndOffStartsNothing) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(h.link.AutoPingEnabled);
    log.SwitchAutoPing();
    EXPECT_FALSE(h.link.AutoPingEnabled);
    EXPECT_EQ(h.view.controls.autoPingCaption, "Enable AutoPing");
    EXPECT_TRUE(h.hookCalls.empty());
    log.SwitchAutoPing();
    EXPECT_TRUE(h.link.AutoPingEnabled);
    EXPECT_EQ(h.view.controls.autoPingCaption, "Disable AutoPing");
    EXPECT_EQ(h.hookCalls, std::vector<std::string>{"keep-alive 2000"});
}

TEST(CommLogReConnect, ReConnectGoesOfflineBeforeStartingANewAttempt) {
    CommLogHarness h;
    auto& log = h.Make();
    log.ReConnect();
    EXPECT_EQ(h.hookCalls, std::vector<std::string>{"restart attempt after offline"});
}

TEST(CommLogDone, DoneClearsCommLogOpenButLoggingGoesOn) {
    CommLogHarness h;
    auto& log = h.Make();
    log.Activate();
    EXPECT_TRUE(log.CommLogOpen());
    log.Done();
    EXPECT_FALSE(log.CommLogOpen());
    h.Receive("a");
    EXPECT_EQ(log.LogText(), "a");
}

}  // namespace
}  // namespace zorvex::testing
