#include <gtest/gtest.h>

#include "LinkRig.h"

namespace zorvex::testing {
namespace {

struct Tool : LinkRig {
    // Start-up: the connection window is created and starts the first attempt.
    void Start(bool autoReconnect) {
        ctl.SetAutoReconnect(autoReconnect);
        ctl.Create();
    }
    // Runs the clock and answers every command written on the way, as a monitor would.
    void RunAnswering(int64_t ms, const std::string& prompt = "#") {
        const int64_t until = clock.NowMs() + ms;
        while (clock.NowMs() < until) {
            const std::size_t before = port.writes.size();
            clock.Advance(1);
            for (std::size_t i = before; i < port.writes.size(); ++i) {
                const std::string w = port.writes[i].bytes;
                Answer(w.substr(0, w.size() - 2), prompt, w == "df\r\n" ? "V 2.05\r\n" : "");
            }
        }
    }
    int Pings() const { return Count("p\r\n"); }
    // What the user sees: status, indicator, the windows shown and whether an attempt runs.
    std::string Seen() const {
        return status.status + (connectView.green ? ", green" : ", red") +
               (logGreen != connectView.green ? " (the log's indicator differs)" : "") +
               (connectView.shown ? ", connect" : "") + (tryingView.shown ? ", trying" : "") +
               (timedOutView.shown ? ", timed out" : "") + (ctl.Trying() ? ", attempt" : "");
    }
};

TEST(Connection, GivesUpAfterTheLimitOfSilentTriesTwoSecondsApartAndShowsTheNoticeFiveSeconds) {
    for (int16_t limit : {0, 1, 5}) {
        Tool t;
        t.link.ConnectRetryLimit = limit;
        t.Start(false);
        const int tries = std::max<int>(limit, 1);
        t.clock.Advance(2000 * tries - 1);
        EXPECT_EQ(t.Seen(), "No monitor, red, trying, attempt");
        t.clock.Advance(1);
        EXPECT_EQ(t.Seen(), "No monitor, red, timed out");
        EXPECT_EQ(t.beeper.beeps.size(), tries - 1u);  // each unanswered ping cleared by a try
        t.clock.Advance(4999);
        EXPECT_TRUE(t.timedOutView.shown);
        t.clock.Advance(60001);
        EXPECT_EQ(t.Seen(), "No monitor, red");
        EXPECT_EQ(t.Pings(), tries);
        if (limit == 5) {
            EXPECT_EQ(t.tryingView.toGo, (std::vector<std::string>{"?", "5", "4", "3", "2", "1"}));
        }
    }
}

TEST(Connection, TriesWithoutEndWithAutoReConnectAndNeverCountsBelowZero) {
    Tool t;
    t.Start(true);
    EXPECT_EQ(t.tryingView.limit + t.ToGo(), std::string(NoLimitText) + NoLimitText);
    for (int i = 0; i < 33000; ++i) {
        t.clock.Advance(2000);
        ASSERT_GE(t.ctl.TriesRemaining(), 0);
    }
    EXPECT_EQ(t.Seen(), "No monitor, red, trying, attempt");
    // Switched off after such a run, the attempt gives up at the next tick.
    t.ctl.SetAutoReconnect(false);
    t.clock.Advance(2000);
    EXPECT_TRUE(t.timedOutView.shown);
}

TEST(Connection, GoesOnlineAtTheTickAfterAnAnswerAndAsksForTheFirmwareOutsideBootMode) {
    for (const char* prompt : {"#", "$"}) {
        const bool boot = *prompt == '$';
        Tool t;
        t.Start(false);
        t.RunAnswering(2000, prompt);
        EXPECT_EQ(t.Seen(), boot ? "boot, green" : "online, green");
        EXPECT_EQ(t.ctl.KeepAliveTimer().Interval(), 2000);
        // "Run from BOOT MODE": the answer comes from the firmware, and the status follows it.
        t.queue.QueueCommand("g\r\n");
        t.RunAnswering(200);
        EXPECT_EQ(t.Wire(), boot ? "p@100 g@2100 df@2200" : "p@100 df@2100 g@2200");
        EXPECT_EQ(t.status.status, "online");
        t.port.Receive("!");  // the keep-alive comes 2000 ms after a "!", 5000 after an answer
        EXPECT_EQ(t.ctl.KeepAliveTimer().Interval(), 2000);
        t.link.AutoPingEnabled = false;  // no keep-alive pings then, nor while offline
        t.clock.Advance(20000);
        t.link.AutoPingEnabled = true;
        t.data.MonitorOnline = false;
        t.clock.Advance(20000);
        EXPECT_EQ(t.Pings(), 1);
    }
}

TEST(Connection, KeepsALiveAndTakesAnUnansweredPingForALostMonitorWithOrWithoutAutoReConnect) {
    for (bool autoReconnect : {true, false}) {
        Tool t;
        t.Start(autoReconnect);
        t.RunAnswering(7200);           // online at 2000, "df" answered at 2100, keep-alive at 7100
        t.clock.Advance(14199 - 7200);  // the next keep-alive, at 12200, goes unanswered
        EXPECT_EQ(t.Seen(), "online, green");
        t.clock.Advance(1);
        EXPECT_EQ(t.Seen(), "No monitor, red, connect, trying, attempt");
        EXPECT_FALSE(t.ctl.KeepAliveTimer().IsActive());
        if (autoReconnect) {
            t.RunAnswering(5000);
            EXPECT_EQ(t.Wire(), "p@100 df@2100 p@7200 p@12300 p@16300 df@18300");
            EXPECT_EQ(t.beeper.beeps.size(), 1u);  // the unanswered ping, cleared by a try
        } else {
            t.clock.Advance(10000);  // the limited attempt runs out
            EXPECT_EQ(t.Seen(), "No monitor, red, connect, timed out");
        }
    }
}

TEST(Connection, AMonitorSilentWhileTheKeepAliveTicksEveryTwoSecondsIsLostAtTheReplyTimeout) {
    // Right after connecting, and after a "!", the keep-alive ticks as often as the reply
    // time-out runs: the time-out still counts from the first ping left unanswered.
    for (bool afterRetry : {false, true}) {
        Tool t;
        t.Start(true);
        t.RunAnswering(afterRetry ? 2200 : 2000);  // online at 2000, "df" written at 2100
        if (afterRetry) {
            t.Answer("", "!");
        }
        const int64_t lostAt = t.clock.NowMs() + 4000;  // first unanswered keep-alive + 2 s
        t.clock.Advance(lostAt - 1 - t.clock.NowMs());
        EXPECT_EQ(t.Seen(), "online, green") << afterRetry;
        t.clock.Advance(1);
        EXPECT_EQ(t.Seen(), "No monitor, red, connect, trying, attempt") << afterRetry;
    }
}

TEST(Connection, APortThatCannotBeOpenedSaysWhichDeviceAndWhyInsteadOfCountingDown) {
    const std::pair<PortFailure, const char*> rows[] = {
        {PortFailure::PermissionDenied,
         "permission denied. Add your user to the dialout group and log in again."},
        {PortFailure::NotFound,
         "no such device. Plug the adapter in, or pick one of the devices found."},
        {PortFailure::Busy, "in use by another program. Close that program, or pick another port."},
        {PortFailure::NotSerial, "not a serial port. Pick the device of the serial adapter."},
        {PortFailure::Other, "cannot be opened (No such file or directory)."}};
    for (auto [failure, why] : rows) {
        Tool t;
        t.port.failOpen = true;
        t.port.openFailure = failure;
        t.Start(false);
        EXPECT_EQ(t.connectView.status, std::string("Com1 (/dev/fake1): ") + why);
        t.ctl.Ok();  // says why again instead of counting tries down
        EXPECT_EQ(t.connectView.status, std::string("Com1 (/dev/fake1): ") + why);
        t.clock.Advance(20000);
        EXPECT_EQ(t.Seen() + t.Wire(), "none, red");  // no attempt, no notice, nothing written
        EXPECT_TRUE(t.connectView.messages.empty());
        EXPECT_EQ(t.ctl.SelectPort(3),
                  "Comm Port Error  on Com4 -> try another port\n\nCom4 (/dev/fake4): " +
                      std::string(why));
        EXPECT_EQ(t.ctl.SelectPort(8), PortErrorAnyText);
    }
}

TEST(Connection, ActivationStartsAnAttemptRefillsTheLimitAndRestartsTheNoticeTimer) {
    Tool t;
    t.Start(false);
    t.clock.Advance(4000);
    t.ctl.WindowActivated(LinkWindow::Trying);  // in front already: nothing new
    EXPECT_EQ(t.ToGo(), "3");
    t.changeView.text = "9";  // typed, never applied
    t.ctl.WindowActivated(LinkWindow::ChangeTries);
    EXPECT_EQ(t.changeView.text, "5");
    t.ctl.WindowActivated(LinkWindow::Trying);  // back after "Change ...": a new attempt
    EXPECT_EQ(t.ToGo(), "5");
    t.clock.Advance(14000);
    t.ctl.WindowActivated(LinkWindow::TimedOut);  // 4 s on, clicked: 5 s from now
    t.clock.Advance(4999);
    EXPECT_TRUE(t.timedOutView.shown);
    t.clock.Advance(1);
    EXPECT_FALSE(t.timedOutView.shown);
}

TEST(Connection, CancelStopsTheAttemptReConnectStartsAnotherAndOfflineHidesTheWindow) {
    Tool t;
    t.Start(false);
    t.clock.Advance(4100);
    t.ctl.Cancel();
    t.clock.Advance(20000);
    EXPECT_EQ(t.Seen() + "; " + t.Wire(), "No monitor, red; p@100 p@2100 p@4100");
    t.ctl.ReConnect();
    EXPECT_EQ(t.Seen(), "No monitor, red, connect, trying, attempt");
    t.RunAnswering(4000);
    t.ctl.Done();
    EXPECT_EQ(t.Seen(), "online, green");
    t.ctl.ShowConnectWindow();
    t.ctl.Offline();
    EXPECT_EQ(t.Seen(), "No monitor, red");
    // Taken offline, a lost port starts nothing, even with Auto ReConnect on.
    t.ctl.SetAutoReconnect(true);
    t.port.Fail("device removed");
    t.clock.Advance(20000);
    EXPECT_EQ(t.Seen(), "No monitor, red");
    EXPECT_TRUE(t.connectView.messages.empty());
}

TEST(Connection, TakesAWholeNumberFrom0To32767AsTheRetryLimitAndRefusesAnythingElse) {
    const std::pair<const char*, int16_t> rows[] = {
        {"7", 7},   {"0", 0},    {"32767", 32767}, {" 12 ", 12}, {"32768", -1},
        {"-1", -1}, {"abc", -1}, {"", -1},         {"1.5", -1},  {"99999999999999999999", -1}};
    for (auto [typed, limit] : rows) {
        Tool t;
        t.ctl.Change();
        const auto message = t.ctl.ApplyRetryLimit(typed);
        EXPECT_EQ(message.value_or("taken"), limit < 0 ? RetryLimitRangeText : "taken") << typed;
        EXPECT_EQ(t.link.ConnectRetryLimit, limit < 0 ? 5 : limit) << typed;
        EXPECT_EQ(t.changeView.shown, limit < 0) << typed;
    }
}

TEST(Connection, APortLostWithAutoReConnectIsToldOnceWithoutABoxAndReopenedWhenItReturns) {
    Tool t;
    t.Start(true);
    t.RunAnswering(2200);
    t.port.failOpen = true;
    t.port.Fail("device removed");
    t.port.Fail("device removed");
    EXPECT_EQ(t.notes, std::vector<std::string>{"The serial port Com1 (/dev/fake1) stopped "
                                                "working: device removed. The tool reconnects "
                                                "by itself when it is back."});
    EXPECT_EQ(t.connectView.status, t.notes[0]);
    EXPECT_EQ(t.Seen(), "No monitor, red, connect, trying, attempt");
    const int opens = t.port.openCount;
    t.clock.Advance(20000);
    EXPECT_EQ(t.port.openCount, opens + 10);  // one try per tick, no faster
    EXPECT_TRUE(t.beeper.beeps.empty());
    EXPECT_EQ(t.connectView.status,
              "Com1 (/dev/fake1): no such device. Plug the adapter in, or "
              "pick one of the devices found. Trying again every 2 s.");
    t.port.failOpen = false;
    t.RunAnswering(4000);
    EXPECT_EQ(t.status.status, "online");
    t.port.failWrite = true;  // a write that fails is a lost port too
    t.clock.Advance(6000);
    EXPECT_EQ(t.Seen(), "No monitor, red, connect, trying, attempt");
    t.port.failWrite = false;
    t.RunAnswering(4000);
    EXPECT_EQ(t.status.status, "online");
    EXPECT_TRUE(t.connectView.messages.empty());
}

TEST(Connection, APortLostWithoutAutoReConnectIsToldInOneMessageAndWaitsForTheUser) {
    Tool t;
    t.Start(false);
    t.RunAnswering(2200);
    t.port.Fail("connection refused by 127.0.0.1:4001");
    t.port.Fail("connection refused by 127.0.0.1:4001");
    EXPECT_EQ(t.connectView.messages.size(), 1u);
    EXPECT_EQ(t.Seen(), "No monitor, red");
    // The port's own words are what the technician acts on.
    EXPECT_EQ(t.connectView.status,
              "The serial port Com1 (/dev/fake1) stopped working: connection refused by "
              "127.0.0.1:4001. Click OK in Monitor Connection to try again.");
    t.clock.Advance(20000);
    EXPECT_FALSE(t.port.IsOpen());
    t.ctl.Ok();
    t.RunAnswering(4200);
    EXPECT_EQ(t.status.status, "online");
    // Choosing the port in use does nothing; one that cannot be opened leaves no monitor.
    const int opens = t.port.openCount;
    EXPECT_FALSE(t.ctl.SelectPort(0));
    EXPECT_EQ(t.port.openCount, opens);
    EXPECT_FALSE(t.ctl.SelectPort(2));  // another starts an attempt on it
    EXPECT_TRUE(t.ctl.Trying() && t.port.lastOpenedPort == 3 && t.link.CommPort == 3);
    t.RunAnswering(2200);
    t.port.failOpen = true;
    EXPECT_TRUE(t.ctl.SelectPort(4));
    EXPECT_EQ(t.Seen(), "No monitor, red");
}

}  // namespace
}  // namespace zorvex::testing
