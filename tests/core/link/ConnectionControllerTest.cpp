#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

class ConnectionTest : public ::testing::Test {
  protected:
    // Start-up: the connection window is created and starts the first attempt.
    void Start(bool autoReconnect) {
        rig.ctl.SetAutoReconnect(autoReconnect);
        rig.ctl.Create();
    }
    // Runs the clock and answers every ping written on the way, as a monitor would.
    void RunAnswering(int64_t ms, const std::string& prompt = "#") {
        const int64_t until = rig.clock.NowMs() + ms;
        while (rig.clock.NowMs() < until) {
            const std::size_t before = rig.port.writes.size();
            rig.clock.Advance(1);
            for (std::size_t i = before; i < rig.port.writes.size(); ++i) {
                const std::string w = rig.port.writes[i].bytes;
                rig.Answer(w.substr(0, w.size() - 2), prompt, w == "df\r\n" ? "V 2.05\r\n" : "");
            }
        }
    }
    int Pings() const { return rig.Count("p\r\n"); }
    const std::string& Status() const { return rig.status.status; }
    // What the user sees: status, indicator, the windows shown and whether an attempt runs.
    std::string Seen() const {
        std::string seen = Status() + (rig.connectView.green ? ", green" : ", red");
        if (rig.logGreen != rig.connectView.green) {
            seen += " (the log's indicator differs)";
        }
        const std::pair<bool, const char*> parts[] = {{rig.connectView.shown, ", connect"},
                                                      {rig.tryingView.shown, ", trying"},
                                                      {rig.timedOutView.shown, ", timed out"},
                                                      {rig.ctl.Trying(), ", attempt"}};
        for (auto [on, name] : parts) {
            if (on) {
                seen += name;
            }
        }
        return seen;
    }

    LinkRig rig;
};

TEST_F(ConnectionTest, GivesUpAfterFiveSilentPingsWithFourBeepsAndShowsTheNotice) {
    Start(false);
    EXPECT_EQ(rig.connectView.selected, 1);
    EXPECT_EQ(rig.connectView.status, "Trying port 1");
    EXPECT_EQ(Seen(), "No monitor, red, trying, attempt");
    EXPECT_EQ(rig.tryingView.limit, "5");
    rig.clock.Advance(9999);
    EXPECT_EQ(Pings(), 5);
    EXPECT_EQ(rig.beeper.beeps.size(), 4u);
    EXPECT_EQ(rig.tryingView.toGo, (std::vector<std::string>{"?", "5", "4", "3", "2", "1"}));
    EXPECT_EQ(Seen(), "No monitor, red, trying, attempt");
    rig.clock.Advance(1);
    EXPECT_EQ(Seen(), "No monitor, red, timed out");
    EXPECT_EQ(rig.connectView.status, UnableToConnectText);
    rig.clock.Advance(4999);
    EXPECT_TRUE(rig.timedOutView.shown);
    rig.clock.Advance(1);
    EXPECT_EQ(Seen(), "No monitor, red");
    rig.clock.Advance(60000);
    EXPECT_EQ(Pings(), 5);
}

TEST_F(ConnectionTest, GivesUpAtTheFirstTickWithALimitOfZero) {
    rig.link.ConnectRetryLimit = 0;
    Start(false);
    rig.clock.Advance(2000);
    EXPECT_EQ(Pings(), 1);
    EXPECT_TRUE(rig.beeper.beeps.empty());
    EXPECT_TRUE(rig.timedOutView.shown);
}

TEST_F(ConnectionTest, TriesWithoutEndWithAutoReConnectAndNeverCountsBelowZero) {
    Start(true);
    rig.clock.Advance(60100);
    EXPECT_EQ(Pings(), 31);
    EXPECT_EQ(rig.tryingView.limit, NoLimitText);
    EXPECT_EQ(rig.ToGo(), NoLimitText);
    for (int i = 0; i < 33000; ++i) {
        rig.clock.Advance(2000);
        ASSERT_GE(rig.ctl.TriesRemaining(), 0);
    }
    EXPECT_EQ(Seen(), "No monitor, red, trying, attempt");
    // Switched off after such a run, the attempt gives up at the next tick.
    rig.ctl.SetAutoReconnect(false);
    rig.clock.Advance(2000);
    EXPECT_TRUE(rig.timedOutView.shown);
}

TEST_F(ConnectionTest, GoesOnlineWhenThePingIsAnsweredAndAsksForTheFirmwareVersion) {
    Start(false);
    RunAnswering(2000);
    EXPECT_EQ(Seen(), "online, green");
    EXPECT_TRUE(rig.status.goOfflineEnabled);
    EXPECT_EQ(rig.connectView.status, ConnectedText);
    EXPECT_EQ(rig.ctl.KeepAliveTimer().Interval(), 2000);
    RunAnswering(200);
    EXPECT_EQ(rig.Count("df\r\n"), 1);
    EXPECT_EQ(rig.port.writes.back().atMs, 2100);
}

TEST_F(ConnectionTest, SendsNoFirmwareRequestToAMonitorInBootMode) {
    Start(false);
    RunAnswering(3000, "$");
    EXPECT_EQ(Status(), "boot");
    EXPECT_TRUE(rig.data.BootMode);
    EXPECT_EQ(rig.Count("df\r\n"), 0);
    // "Run from BOOT MODE": the answer comes from the firmware, and the status follows it.
    rig.queue.QueueCommand("g\r\n");
    RunAnswering(200);
    EXPECT_EQ(Status(), "online");
    EXPECT_FALSE(rig.data.BootMode);
    EXPECT_EQ(rig.Count("df\r\n"), 1);
}

TEST_F(ConnectionTest, KeepsALiveAndNoticesALostMonitorThenReconnectsWhenItAnswersAgain) {
    Start(true);
    RunAnswering(2200);  // online at 2000, df answered at 2100
    const int pings = Pings();
    RunAnswering(5000);  // keep-alive at 7100
    EXPECT_EQ(Pings(), pings + 1);
    EXPECT_FALSE(rig.ctl.ReplyTimer().IsActive());
    const int shows = rig.tryingView.showCount;
    rig.clock.Advance(8000);  // the next keep-alive ping goes unanswered
    EXPECT_EQ(Seen(), "No monitor, red, connect, trying, attempt");
    EXPECT_EQ(rig.connectView.status,
              "No answer from the monitor on Com1; trying again every 2 s. "
              "Check the cable and the monitor's power.");
    EXPECT_EQ(rig.tryingView.showCount, shows + 1);
    EXPECT_FALSE(rig.ctl.KeepAliveTimer().IsActive());
    RunAnswering(4000);
    EXPECT_EQ(Status(), "online");
    EXPECT_EQ(rig.beeper.beeps.size(), 1u);  // the unanswered ping, cleared by the first retry
}

TEST_F(ConnectionTest, KeepAlivePingsWithoutAutoReConnectButNotWithoutAutoPingOrOffline) {
    Start(false);
    RunAnswering(2200);
    int pings = Pings();
    rig.link.AutoPingEnabled = false;
    rig.clock.Advance(20000);
    EXPECT_FALSE(rig.ctl.ReplyTimer().IsActive());
    rig.link.AutoPingEnabled = true;
    rig.data.MonitorOnline = false;
    rig.clock.Advance(20000);
    EXPECT_EQ(Pings(), pings);
    rig.data.MonitorOnline = true;
    RunAnswering(2000);
    pings = Pings();
    // A monitor that falls silent is lost, and the limited attempt ends with the notice.
    rig.clock.Advance(5000);
    EXPECT_EQ(Pings(), pings + 1);
    EXPECT_EQ(Seen(), "No monitor, red, connect, trying, attempt");
    rig.clock.Advance(10000);
    EXPECT_EQ(Seen(), "No monitor, red, connect, timed out");
}

TEST_F(ConnectionTest, ChoosingThePortInUseDoesNothingAndAnotherOneStartsANewAttemptOnIt) {
    Start(true);
    const int opens = rig.port.openCount;
    const int shows = rig.tryingView.showCount;
    EXPECT_FALSE(rig.ctl.SelectPort(0));
    EXPECT_EQ(rig.port.openCount, opens);
    EXPECT_EQ(rig.tryingView.showCount, shows);
    EXPECT_FALSE(rig.ctl.SelectPort(2));
    EXPECT_EQ(rig.link.CommPort, 3);
    EXPECT_EQ(rig.port.lastOpenedPort, 3);
    EXPECT_TRUE(rig.ctl.Trying());
    // Online there, a port that then cannot be opened leaves the tool without a monitor.
    RunAnswering(2200);
    EXPECT_EQ(Status(), "online");
    rig.port.failOpen = true;
    EXPECT_TRUE(rig.ctl.SelectPort(4));
    EXPECT_EQ(Seen(), "No monitor, red");
}

struct PortMessageCase {
    PortFailure failure;
    const char* why;  // after "Com2 (/dev/ttyUSB0): "
};
class PortMessages : public ::testing::TestWithParam<PortMessageCase> {};
TEST_P(PortMessages, SayWhichDeviceFailedAndWhyOnTheStatusLineAndInTheMessage) {
    LinkRig rig;
    rig.port.failOpen = true;
    rig.port.openFailure = GetParam().failure;
    rig.ctl.SetAutoReconnect(false);
    rig.ctl.Create();
    const std::string why = std::string("Com1 (/dev/fake1): ") + GetParam().why;
    EXPECT_EQ(rig.connectView.status, why);
    EXPECT_TRUE(rig.connectView.messages.empty());
    // OK on a port that cannot be opened says why again instead of counting tries down.
    rig.ctl.Ok();
    rig.clock.Advance(20000);
    EXPECT_EQ(rig.connectView.status, why);
    EXPECT_FALSE(rig.timedOutView.shown);
    EXPECT_TRUE(rig.port.writes.empty());
    EXPECT_EQ(rig.ctl.SelectPort(3),
              "Comm Port Error  on Com4 -> try another port\n\nCom4 (/dev/fake4): " +
                  std::string(GetParam().why));
    EXPECT_EQ(rig.ctl.SelectPort(8), PortErrorAnyText);
}
INSTANTIATE_TEST_SUITE_P(
    Link, PortMessages,
    ::testing::Values(
        PortMessageCase{PortFailure::PermissionDenied,
                        "permission denied. Add your user to the dialout group and log in again."},
        PortMessageCase{PortFailure::NotFound,
                        "no such device. Plug the adapter in, or pick one of the devices found."},
        PortMessageCase{PortFailure::Busy,
                        "in use by another program. Close that program, or pick another port."},
        PortMessageCase{PortFailure::NotSerial,
                        "not a serial port. Pick the device of the serial adapter."},
        PortMessageCase{PortFailure::Other, "cannot be opened (No such file or directory)."}));

TEST_F(ConnectionTest, ActivationStartsAnAttemptRefillsTheLimitAndRestartsTheNoticeTimer) {
    Start(false);
    rig.clock.Advance(4000);
    rig.ctl.WindowActivated(LinkWindow::Trying);  // in front already: nothing new
    EXPECT_EQ(rig.ToGo(), "3");
    rig.ctl.Change();
    rig.ctl.WindowActivated(LinkWindow::ChangeTries);
    rig.changeView.text = "9";  // typed, never applied
    rig.ctl.WindowActivated(LinkWindow::Other);
    rig.ctl.WindowActivated(LinkWindow::ChangeTries);
    EXPECT_EQ(rig.changeView.text, "5");
    rig.ctl.WindowActivated(LinkWindow::Trying);  // back after "Change ...": a new attempt
    EXPECT_EQ(rig.ToGo(), "5");
    rig.clock.Advance(14000);
    EXPECT_TRUE(rig.timedOutView.shown);
    rig.ctl.WindowActivated(LinkWindow::TimedOut);  // 4 s on, clicked: 5 s from now
    rig.clock.Advance(4999);
    EXPECT_TRUE(rig.timedOutView.shown);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.timedOutView.shown);
}

TEST_F(ConnectionTest, OkRestartsTheCountAndCancelStopsTheAttempt) {
    Start(false);
    rig.clock.Advance(4000);
    EXPECT_EQ(rig.ToGo(), "3");
    rig.ctl.Ok();
    EXPECT_EQ(rig.ToGo(), "5");
    EXPECT_EQ(rig.ctl.TriesRemaining(), 5);
    rig.clock.Advance(100);  // its ping is written
    rig.ctl.Cancel();
    const int pings = Pings();
    rig.clock.Advance(20000);
    EXPECT_EQ(Pings(), pings);
    EXPECT_EQ(Seen(), "No monitor, red");
}

TEST_F(ConnectionTest, DoneAndOfflineHideTheWindowAndReConnectShowsItWithANewAttempt) {
    Start(true);
    RunAnswering(2200);
    rig.ctl.ShowConnectWindow();
    rig.ctl.Done();
    EXPECT_EQ(Seen(), "online, green");
    rig.ctl.ReConnect();
    EXPECT_EQ(Seen(), "No monitor, red, connect, trying, attempt");
    RunAnswering(2000);
    rig.ctl.ShowConnectWindow();
    rig.ctl.Offline();
    EXPECT_EQ(Seen(), "No monitor, red");
}

struct LimitCase {
    const char* typed;
    bool accepted;
    int16_t limit;  // 5, the limit before, where the text is refused
};
class RetryLimitEntry : public ::testing::TestWithParam<LimitCase> {};
TEST_P(RetryLimitEntry, AppliesAWholeNumberFromZeroTo32767AndRefusesAnythingElse) {
    LinkRig rig;
    rig.ctl.Change();
    EXPECT_TRUE(rig.changeView.shown);
    EXPECT_EQ(rig.changeView.text, "5");
    const auto message = rig.ctl.ApplyRetryLimit(GetParam().typed);
    const bool accepted = GetParam().accepted;
    EXPECT_EQ(message, accepted ? std::nullopt : std::optional<std::string>(RetryLimitRangeText));
    EXPECT_EQ(rig.link.ConnectRetryLimit, GetParam().limit);
    EXPECT_EQ(rig.changeView.shown, !accepted);
}
INSTANTIATE_TEST_SUITE_P(Link, RetryLimitEntry,
                         ::testing::Values(LimitCase{"7", true, 7}, LimitCase{"0", true, 0},
                                           LimitCase{"32767", true, 32767},
                                           LimitCase{" 12 ", true, 12},
                                           LimitCase{"32768", false, 5}, LimitCase{"-1", false, 5},
                                           LimitCase{"abc", false, 5}, LimitCase{"", false, 5},
                                           LimitCase{"1.5", false, 5},
                                           LimitCase{"99999999999999999999", false, 5}));

TEST_F(ConnectionTest, APortThatFailsIsReportedOnceAndReopenedWhenItReturns) {
    Start(true);
    RunAnswering(2200);
    rig.port.failOpen = true;
    rig.port.Fail("device removed");
    rig.port.Fail("device removed");
    // Reconnecting by itself, the loss is told without a box to dismiss.
    EXPECT_TRUE(rig.connectView.messages.empty());
    EXPECT_EQ(rig.notes, std::vector<std::string>{"The serial port Com1 (/dev/fake1) stopped "
                                                  "working: device removed. The tool reconnects "
                                                  "by itself when it is back."});
    EXPECT_EQ(rig.connectView.status, rig.notes[0]);
    EXPECT_EQ(Seen(), "No monitor, red, connect, trying, attempt");
    const int opens = rig.port.openCount;
    const std::size_t writes = rig.port.writes.size();
    rig.clock.Advance(20000);
    EXPECT_EQ(rig.port.openCount, opens + 10);  // one try per tick, no faster
    EXPECT_EQ(rig.port.writes.size(), writes);
    EXPECT_TRUE(rig.beeper.beeps.empty());
    EXPECT_EQ(rig.connectView.status,
              "Com1 (/dev/fake1): no such device. Plug the adapter in, or "
              "pick one of the devices found. Trying again every 2 s.");
    rig.port.failOpen = false;
    RunAnswering(4000);
    EXPECT_EQ(Status(), "online");
    EXPECT_FALSE(rig.ctl.PortLost());
    // A second loss is told the same way: still nothing to dismiss.
    rig.port.Fail("device removed");
    RunAnswering(4000);
    EXPECT_EQ(Status(), "online");
    EXPECT_TRUE(rig.connectView.messages.empty());
}

TEST_F(ConnectionTest, APortFailureWithoutAutoReConnectWaitsForTheUser) {
    Start(false);
    RunAnswering(2200);
    rig.port.Fail("connection refused by 127.0.0.1:4001");
    EXPECT_EQ(rig.connectView.messages.size(), 1u);
    EXPECT_EQ(Seen(), "No monitor, red");
    // The port's own words are what the technician acts on.
    EXPECT_NE(rig.connectView.status.find(": connection refused by 127.0.0.1:4001."),
              std::string::npos)
        << rig.connectView.status;
    rig.clock.Advance(20000);
    EXPECT_FALSE(rig.port.IsOpen());
    rig.ctl.Ok();
    RunAnswering(4200);
    EXPECT_EQ(Status(), "online");
}

TEST_F(ConnectionTest, APortFailureWhileOfflineStartsNoAttempt) {
    Start(true);
    rig.ctl.Cancel();
    rig.ctl.Offline();
    rig.port.Fail("device removed");
    EXPECT_TRUE(rig.connectView.messages.empty());
    EXPECT_EQ(Seen(), "No monitor, red");
    rig.clock.Advance(20000);
    EXPECT_EQ(Pings(), 0);  // the first ping was still waiting for its write when the port went
    EXPECT_EQ(rig.port.openCount, 2);  // start-up's two openings, no more
}

TEST_F(ConnectionTest, AWriteThatFailsCountsAsALostPort) {
    Start(true);
    RunAnswering(2200);
    rig.port.failWrite = true;
    rig.clock.Advance(6000);  // the keep-alive ping cannot be written
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(Seen(), "No monitor, red, connect, trying, attempt");
    rig.port.failWrite = false;
    RunAnswering(4000);
    EXPECT_EQ(Status(), "online");
    EXPECT_TRUE(rig.connectView.messages.empty());
}

}  // namespace
}  // namespace zorvex::testing
