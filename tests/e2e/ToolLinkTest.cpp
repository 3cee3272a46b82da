// The real tool, headless, against the simulator: what it sends over the line, on a
// pseudo-terminal and through network serial servers.
#include <signal.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "E2eHarness.h"

namespace zorvex::e2e {
namespace {

class ToolLink : public ::testing::Test {
  protected:
    // Index of the first command `text` received at or after `from` seconds; -1 if none.
    int FindCommand(const std::string& text, double from = 0) {
        const auto log = sim.Log();
        auto it = std::find_if(log.begin(), log.end(), [&](const SimRecord& r) {
            return r.kind == "RX" && r.text == text && r.seconds >= from;
        });
        return it == log.end() ? -1 : static_cast<int>(it - log.begin());
    }
    bool WaitForCommand(const std::string& text, double from, std::chrono::milliseconds timeout) {
        return WaitUntil([&] { return FindCommand(text, from) >= 0; }, timeout);
    }
    // When the simulator last logged `event`, once it has (within 2 s); -1 if it never did.
    double EventTime(const std::string& event) {
        double at = -1;
        WaitUntil(
            [&] {
                for (const auto& r : sim.Log()) {
                    if (r.kind == "EVENT" && r.text.rfind(event, 0) == 0) {
                        at = r.seconds;
                    }
                }
                return at >= 0;
            },
            2s);
        return at;
    }
    void StartBoth(const std::vector<std::string>& simArgs = {}) {
        ASSERT_TRUE(sim.Start(simArgs));
        ASSERT_TRUE(tool.Start(sim.Link()));
        ASSERT_TRUE(WaitForCommand("df", 0, 15s)) << "the tool never asked for \"df\"";
    }
    void TearDown() override {
        // Both are ended by their own process ids when the test objects go.
        if (HasFailure()) {
            sim.PrintLog();
        }
    }

    TempDir dir;
    Simulator sim{dir};
    Tool tool{dir};
};

TEST_F(ToolLink, GoesOnlineThroughARejectedPingAndSplitAnswersThenAsksForTheVersion) {
    // The first ping gets "!"; answers arrive one byte at a time.
    StartBoth({"--reject", "1", "--chunk", "1", "--chunk-delay", "3", "--reply-delay", "150"});
    const auto log = sim.Log();
    const int first = FindCommand("p");
    ASSERT_GE(first, 0);
    ASSERT_LT(first + 2, static_cast<int>(log.size()));
    EXPECT_EQ(log[first + 1].kind + log[first + 1].text, "PROMPT!");
    EXPECT_EQ(log[first + 2].kind + log[first + 2].text, "RXp");  // sent again
    // The answer to the resent ping (its "#") came before the tool asked for the version.
    const int df = FindCommand("df");
    ASSERT_GT(df, first + 2);
    EXPECT_TRUE(std::any_of(log.begin() + first + 2, log.begin() + df, [](const SimRecord& r) {
        return r.kind == "PROMPT" && r.text == "#";
    }));
    EXPECT_TRUE(tool.process().Running());
}

TEST_F(ToolLink, ASilentMonitorIsPingedUntilItAnswersAndTheLinkComesBack) {
    StartBoth();
    sim.process().Signal(SIGUSR1);
    const double silentAt = EventTime("silent");
    ASSERT_GE(silentAt, 0);
    // Keep-alive after 5 s idle, lost 2 s later, then a new attempt pings every 2 s.
    ASSERT_TRUE(WaitUntil(
        [&] {
            auto log = sim.Log();
            return std::count_if(log.begin(), log.end(), [&](const SimRecord& r) {
                       return r.kind == "RX" && r.text == "p" && r.seconds > silentAt;
                   }) >= 2;
        },
        20s))
        << "the tool did not keep pinging a silent monitor";
    sim.process().Signal(SIGUSR2);
    const double answeringAt = EventTime("answering");
    ASSERT_GE(answeringAt, 0);
    // Back online: the tool asks for the firmware version again.
    EXPECT_TRUE(WaitForCommand("df", answeringAt, 15s)) << "the link did not come back";
}

TEST_F(ToolLink, AnUnpluggedMonitorIsReconnectedWhenItIsPluggedInAgain) {
    StartBoth();
    sim.process().Signal(SIGHUP);
    ASSERT_GE(EventTime("unplugged"), 0);
    // Unplugged for a while: the tool must neither crash nor spin.
    WaitUntil([] { return false; }, 3s);
    EXPECT_TRUE(tool.process().Running());
    sim.process().Signal(SIGHUP);
    ASSERT_FALSE(sim.process().ReadLine(3000ms).empty());
    const double pluggedAt = EventTime("plugged");
    EXPECT_TRUE(WaitForCommand("df", pluggedAt, 20s)) << "the tool did not reopen the device";
    EXPECT_TRUE(tool.process().Running());
}

constexpr const char* kSer2net = "/usr/sbin/ser2net";

// rfc2217: ser2net's RFC 2217 port in front of the simulator's pseudo-terminal; otherwise the
// simulator's own raw TCP port. Either server is stopped and started again on the same port.
class ToolOverNetwork : public ToolLink, public ::testing::WithParamInterface<bool> {
  protected:
    bool StartServer() {
        if (!GetParam()) {
            sim.process().Signal(SIGHUP);
            return !sim.process().ReadLine(3000ms).empty();
        }
        return ser2net.Start(
            kSer2net, {"-n", "-u", "-c", dir.File("ser2net.yaml"), "-P", dir.File("ser2net.pid")},
            {}, false, dir.File("ser2net.stderr"));
    }
    void StopServer() { GetParam() ? (void)ser2net.Stop() : sim.process().Signal(SIGHUP); }
    Process ser2net;
};

TEST_P(ToolOverNetwork, GoesOnlineAndComesBackByItselfWhenTheServerReturns) {
    std::string device;
    if (GetParam()) {
        if (::access(kSer2net, X_OK) != 0) {
            GTEST_SKIP() << "ser2net is not installed (Debian package ser2net, installed by "
                            "scripts/install-deps.sh): RFC 2217 is not tried here";
        }
        ASSERT_TRUE(sim.Start());
        const int port = LoopbackSocket().Port();  // free again once it is closed
        device = "rfc2217://127.0.0.1:" + std::to_string(port);
        std::ofstream(dir.File("ser2net.yaml"))
            << "connection: &monitor\n  accepter: telnet(rfc2217),tcp,127.0.0.1," << port
            << "\n  connector: serialdev," << sim.Device() << ",9600n81,local\n";
        ASSERT_TRUE(StartServer());
    } else {
        ASSERT_TRUE(sim.Start({"--tcp", "0"}));
        device = sim.Device();
    }
    ASSERT_TRUE(tool.Start(device));
    ASSERT_TRUE(WaitForCommand("df", 0, 15s)) << "the tool never went online on " << device;
    StopServer();
    WaitUntil([] { return false; }, 3s);  // refused meanwhile: neither crash nor spin
    EXPECT_TRUE(tool.process().Running());
    const double back = sim.Log().back().seconds;
    ASSERT_TRUE(StartServer());
    EXPECT_TRUE(WaitForCommand("df", back, 20s)) << "the link did not come back on " << device;
}
INSTANTIATE_TEST_SUITE_P(RawAndRfc2217, ToolOverNetwork, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Rfc2217" : "RawTcp"; });

}  // namespace
}  // namespace zorvex::e2e
