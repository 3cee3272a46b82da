// The simulator as a process: how it starts, ends and refuses a bad command line. What it
// answers on its pseudo-terminal is seen by the Qt serial port and the tool's own tests.
#include <signal.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "E2eHarness.h"

namespace zorvex::e2e {
namespace {

class SimProcess : public ::testing::TestWithParam<int> {};

TEST_P(SimProcess, PrintsItsDeviceLinksItAndRemovesTheLinkWhenEnded) {
    TempDir dir;
    Simulator sim(dir);
    ASSERT_TRUE(sim.Start());
    EXPECT_EQ(sim.Device().rfind("/dev/pts/", 0), 0u) << sim.Device();
    std::error_code ec;
    EXPECT_EQ(std::filesystem::read_symlink(sim.Link(), ec).string(), sim.Device());
    sim.process().Signal(GetParam());
    EXPECT_TRUE(WaitUntil([&] { return !sim.process().Running(); }, 3000ms));
    EXPECT_EQ(sim.process().Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.Link())));
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, SimProcess, ::testing::Values(SIGTERM, SIGINT));

TEST(SimProcessOptions, ABadOptionEndsItWithStatus2) {
    TempDir dir;
    Process process;
    ASSERT_TRUE(process.Start(SimulatorPath(), {"--reject", "x"}, {}, true, dir.File("err")));
    EXPECT_TRUE(WaitUntil([&] { return !process.Running(); }, 3000ms));
    EXPECT_EQ(process.Stop(), 2);
}

}  // namespace
}  // namespace zorvex::e2e
