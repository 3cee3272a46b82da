// The simulator as a process: how it starts, ends and refuses a bad command line. What it
// answers on its pseudo-terminal is seen by the Qt serial port and the tool's own tests.
#include <gtest/gtest.h>

#include "E2eHarness.h"

namespace zorvex::e2e {
namespace {

TEST(SimProcess, PrintsItsDeviceLinksItAndRemovesTheLinkWhenEndedByTermOrInt) {
    for (int signo : {SIGTERM, SIGINT}) {
        TempDir dir;
        Simulator sim(dir);
        ASSERT_TRUE(sim.Start());
        EXPECT_EQ(sim.Device().rfind("/dev/pts/", 0), 0u) << sim.Device();
        std::error_code ec;
        EXPECT_EQ(std::filesystem::read_symlink(sim.Link(), ec).string(), sim.Device());
        sim.process().Signal(signo);
        EXPECT_TRUE(WaitUntil([&] { return !sim.process().Running(); }, 3000ms)) << signo;
        EXPECT_EQ(sim.process().Stop(), 0) << signo;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.Link())));
    }
    Process bad;  // a bad option ends it with status 2
    ASSERT_TRUE(bad.Start(SimulatorPath(), {"--reject", "x"}, {}, true));
    EXPECT_TRUE(WaitUntil([&] { return !bad.Running(); }, 3000ms));
    EXPECT_EQ(bad.Stop(), 2);
}

}  // namespace
}  // namespace zorvex::e2e
