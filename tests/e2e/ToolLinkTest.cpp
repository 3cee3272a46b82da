// The real tool, headless, against the simulator: what it sends over the line.
#include <signal.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "E2eHarness.h"

namespace zorvex::e2e {
namespace {

using namespace std::chrono_literals;

class ToolLink : public ::testing::Test {
  protected:
    // Index of the first command `text` received at or after `from` seconds; -1 if none.
    static int FindCommand(const std::vector<SimRecord>& log, const std::string& text,
                           double from = 0) {
        for (std::size_t i = 0; i < log.size(); ++i) {
            if (log[i].kind == "RX" && log[i].text == text && log[i].seconds >= from) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    bool WaitForCommand(const std::string& text, double from, std::chrono::milliseconds timeout) {
        return WaitUntil([&] { return FindCommand(sim.Log(), text, from) >= 0; }, timeout);
    }
    double LastEventTime(const std::string& event) {
        double at = -1;
        for (const auto& r : sim.Log()) {
            if (r.kind == "EVENT" && r.text.rfind(event, 0) == 0) {
                at = r.seconds;
            }
        }
        return at;
    }
    void StartBoth(const std::vector<std::string>& simArgs = {}) {
        ASSERT_TRUE(sim.Start(simArgs));
        ASSERT_TRUE(tool.Start(sim.Link()));
    }
    void TearDown() override {
        // Both ended by their own process ids when the test objects go.
        if (HasFailure()) {
            for (const auto& r : sim.Log()) {
                std::printf("  sim %.3f %s %s\n", r.seconds, r.kind.c_str(), r.text.c_str());
            }
        }
    }

    TempDir dir;
    Simulator sim{dir};
    Tool tool{dir};
};

TEST_F(ToolLink, GoesOnlineWithAPingAndThenAsksForTheFirmwareVersion) {
    StartBoth();
    ASSERT_TRUE(WaitForCommand("df", 0, 15s)) << "the tool never asked for \"df\"";
    auto log = sim.Log();
    int ping = FindCommand(log, "p");
    int df = FindCommand(log, "df");
    ASSERT_GE(ping, 0);
    EXPECT_LT(ping, df);
    // The answer to the ping (its "#") came before the tool asked for the version.
    bool promptBetween = std::any_of(log.begin() + ping, log.begin() + df, [](const SimRecord& r) {
        return r.kind == "PROMPT" && r.text == "#";
    });
    EXPECT_TRUE(promptBetween);
    EXPECT_TRUE(tool.process().Running());
}

TEST_F(ToolLink, ASilentMonitorIsPingedUntilItAnswersAndTheLinkComesBack) {
    StartBoth();
    ASSERT_TRUE(WaitForCommand("df", 0, 15s));
    sim.process().Signal(SIGUSR1);
    ASSERT_TRUE(WaitUntil([&] { return LastEventTime("silent") >= 0; }, 2s));
    double silentAt = LastEventTime("silent");
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
    ASSERT_TRUE(WaitUntil([&] { return LastEventTime("answering") >= 0; }, 2s));
    double answeringAt = LastEventTime("answering");
    EXPECT_TRUE(WaitForCommand("p", answeringAt, 10s));
    // Back online: the tool asks for the firmware version again.
    EXPECT_TRUE(WaitForCommand("df", answeringAt, 15s)) << "the link did not come back";
}

TEST_F(ToolLink, ARejectedCommandIsSentAgain) {
    StartBoth({"--reject", "1"});
    ASSERT_TRUE(WaitForCommand("df", 0, 15s));
    auto log = sim.Log();
    // The first ping got "!", the same ping came again and was answered.
    int first = FindCommand(log, "p");
    ASSERT_GE(first, 0);
    ASSERT_LT(first + 2, static_cast<int>(log.size()));
    EXPECT_EQ(log[first + 1].kind, "PROMPT");
    EXPECT_EQ(log[first + 1].text, "!");
    EXPECT_EQ(log[first + 2].kind, "RX");
    EXPECT_EQ(log[first + 2].text, "p");
}

TEST_F(ToolLink, AnUnpluggedMonitorIsReconnectedWhenItIsPluggedInAgain) {
    StartBoth();
    ASSERT_TRUE(WaitForCommand("df", 0, 15s));
    sim.process().Signal(SIGHUP);
    ASSERT_TRUE(WaitUntil([&] { return LastEventTime("unplugged") >= 0; }, 2s));
    // Unplugged for a while: the tool must neither crash nor spin.
    WaitUntil([] { return false; }, 3s);
    EXPECT_TRUE(tool.process().Running());
    sim.process().Signal(SIGHUP);
    ASSERT_FALSE(sim.process().ReadLine(3000ms).empty());
    double pluggedAt = LastEventTime("plugged");
    EXPECT_TRUE(WaitForCommand("df", pluggedAt, 20s)) << "the tool did not reopen the device";
    EXPECT_TRUE(tool.process().Running());
}

TEST_F(ToolLink, AnswersArrivingOneByteAtATimeStillBringTheLinkOnline) {
    StartBoth({"--chunk", "1", "--chunk-delay", "3", "--reply-delay", "150"});
    EXPECT_TRUE(WaitForCommand("df", 0, 15s)) << "split answers were not framed into blocks";
}

TEST_F(ToolLink, AMonitorInItsBootLoaderIsKeptAliveButNotAskedForItsVersion) {
    StartBoth({"--boot"});
    // Online in boot mode: the next ping is the keep-alive (the try tick that brings the link
    // online 2 s after the first ping starts it with 2 s), not a retry 2 s after the first
    // ping; and no "df" is sent.
    ASSERT_TRUE(WaitUntil(
        [&] {
            auto commands = sim.Commands();
            return std::count(commands.begin(), commands.end(), "p") >= 2;
        },
        15s));
    auto log = sim.Log();
    std::vector<double> pings;
    for (const auto& r : log) {
        if (r.kind == "RX" && r.text == "p") {
            pings.push_back(r.seconds);
        }
    }
    EXPECT_GE(pings[1] - pings[0], 3.0);
    EXPECT_EQ(FindCommand(log, "df"), -1);
}
}  // namespace
}  // namespace zorvex::e2e
