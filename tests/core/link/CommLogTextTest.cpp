#include <gtest/gtest.h>

#include "CommLogFixture.h"

namespace zorvex::testing {
namespace {

struct FramingCase {
    const char* name;
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
    EXPECT_EQ(h.files.files.at("traffic.mcl")->bytes, c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommLogFraming,
    ::testing::Values(
        FramingCase{"AnAnswerWithItsPrompt", "df\r\nV2.05\r\n#", true, "df\r\nV2.05\r\n#",
                    "df\r\nV2.05\r\n#"},
        FramingCase{"LineFeedsAloneLeaveNoTrace", "\n\nab\n", true, "ab", "ab"},
        FramingCase{"EveryCarriageReturnIsALineEnd", "#\r\r", true, "#\r\n\r\n", "#\r\n\r\n"},
        FramingCase{"AnOpenFileThatIsNotLoggingGetsNothing", "p\r\n#", false, "p\r\n#", ""},
        FramingCase{"ControlCharactersPassUnchanged", "a\bb\x07", true, "a\bb\x07", "a\bb\x07"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommLogNote, ANoteStartsOnANewLineInTheWindowAndNeverReachesTheFile) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("n.mcl").opened);
    log.SetFileLogEnabled(true);
    h.Receive("ab");
    log.LogNote("Received comEvSend");
    EXPECT_EQ(log.LogText(), "ab\r\nReceived comEvSend");
    EXPECT_EQ(h.files.files.at("n.mcl")->bytes, "ab");
}

TEST(CommLogLimit, TheWindowKeepsExactly31500CharactersBeforeEmptying) {
    CommLogHarness h;
    auto& log = h.Make();
    h.Receive(std::string(31500, 'x'));
    h.Receive("y");  // 31500 is not longer than the limit: appended
    EXPECT_EQ(log.LogText().size(), 31501u);
    h.Receive("z");  // now longer: emptied first, then appended
    EXPECT_EQ(log.LogText(), "z");
}

TEST(CommLogLimit, ALineEndPastTheLimitAlsoEmptiesTheWindowFirst) {
    CommLogHarness h;
    auto& log = h.Make();
    h.Receive(std::string(31501, 'x'));
    log.LogReceivedLineEnd();
    EXPECT_EQ(log.LogText(), "\r\n");
}

TEST(CommLogLimit, TheFileKeepsEverythingWhileTheWindowStartsAfresh) {
    CommLogHarness h;
    auto& log = h.Make();
    ASSERT_TRUE(log.OpenLogFile("long.mcl").opened);
    log.SetFileLogEnabled(true);
    const std::string burst(40000, 'q');
    h.Receive(burst);
    EXPECT_EQ(h.files.files.at("long.mcl")->bytes, burst);
    EXPECT_EQ(log.LogText(), std::string(40000 - 31501, 'q'));
}

TEST(CommLogLimit, ANoteIsAddedWithoutALengthCheck) {
    CommLogHarness h;
    auto& log = h.Make();
    h.Receive(std::string(31501, 'x'));  // already past the limit
    log.LogNote("Received comEvSend");
    EXPECT_EQ(log.LogText().size(), 31501u + 2 + 18);
}

TEST(CommLogView, ABurstOfCharactersAsksTheWindowToCatchUpOnce) {
    CommLogHarness h;
    auto& log = h.Make();
    h.view.CatchUp(log);
    const int before = h.view.pendingCalls;
    h.Receive(std::string(5000, 'a'));
    EXPECT_EQ(h.view.pendingCalls, before + 1);
    EXPECT_EQ(h.view.CatchUp(log), std::string(5000, 'a'));
    h.Receive("b");
    EXPECT_EQ(h.view.pendingCalls, before + 2);
}

TEST(CommLogView, TheWindowCatchingUpGetsOnlyTheNewTextThenAClearingWhenTheLimitIsPassed) {
    CommLogHarness h;
    auto& log = h.Make();
    h.Receive("abc");
    h.view.CatchUp(log);
    h.Receive("de");
    auto update = log.TakeTextUpdate();
    EXPECT_FALSE(update.cleared);
    EXPECT_EQ(update.appended, "de");

    h.Receive(std::string(31500, 'x'));
    h.Receive("tail");
    h.view.CatchUp(log);
    EXPECT_EQ(h.view.shown, log.LogText());
    EXPECT_GE(h.view.clears, 1);
}

TEST(CommLogView, ClearLogWindowEmptiesTheTextAndTellsTheWindow) {
    CommLogHarness h;
    auto& log = h.Make();
    h.Receive("abc\r");
    h.view.CatchUp(log);
    log.ClearLogWindow();
    EXPECT_EQ(log.LogText(), "");
    auto update = log.TakeTextUpdate();
    EXPECT_TRUE(update.cleared);
    EXPECT_EQ(update.appended, "");
}

TEST(CommLogView, AWindowAttachedLaterStartsFromTheWholeText) {
    CommLogHarness h;
    auto& log = h.Make();
    h.Receive("early\r");
    RecordingView late;
    log.SetView(&late);
    EXPECT_EQ(late.CatchUp(log), "early\r\n");
    EXPECT_EQ(late.clears, 1);
}

TEST(CommLogWindowBox, ClearingTheBoxSwitchesOffWindowAndCommLoggingAndCheckingSwitchesBothOn) {
    CommLogHarness h;
    auto& log = h.Make();
    log.SetWindowLogEnabled(false);
    EXPECT_FALSE(h.link.CommLogEnabled);
    EXPECT_FALSE(log.WindowLogEnabled());
    EXPECT_FALSE(h.view.controls.windowLogChecked);
    log.SetWindowLogEnabled(true);
    EXPECT_TRUE(h.link.CommLogEnabled);
    EXPECT_TRUE(log.WindowLogEnabled());
    EXPECT_TRUE(h.view.controls.windowLogChecked);
}

}  // namespace
}  // namespace zorvex::testing
