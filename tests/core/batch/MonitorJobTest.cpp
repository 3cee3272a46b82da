#include <gtest/gtest.h>

#include <tuple>

#include "DataTestSupport.h"
#include "FakeSerialPort.h"
#include "FakeServices.h"
#include "VirtualClock.h"
#include "core/batch/MonitorJob.h"

namespace zorvex {
namespace {

// How the job ended, and the last step it reported.
struct Ending : MonitorJobView {
    void Connected(const MonitorData&) override {}
    void StepSent(int step, const MonitorData&) override { lastStep = step; }
    void Finished(JobExit e, const std::string& text) override {
        exit = e;
        message = text;
    }
    int lastStep = -1;
    std::optional<JobExit> exit;
    std::string message;
};

TEST(MonitorJob, ABackupIsSavedOnlyAfterAWholePassAnsweredThroughout) {
    // What, how many commands the monitor answers before it falls silent, its prompt, whether
    // the port fails to open, and how the job ends, saying what.
    const std::tuple<const char*, int, const char*, bool, JobExit, const char*> cases[] = {
        {"answers throughout", 1000, "#", false, JobExit::Done, ""},
        {"silent from the start", 0, "#", false, JobExit::NoMonitor, "No monitor answered on"},
        {"silent in the middle of the pass", 20, "#", false, JobExit::NoMonitor,
         "stopped answering after step"},
        {"in boot mode", 1000, "$", false, JobExit::NoMonitor, "boot mode"},
        {"a port that cannot be opened", 0, "#", true, JobExit::PortFailed, "No such file"},
    };
    for (const auto& [what, answers, prompt, failOpen, exit, says] : cases) {
        testing::VirtualClock clock;
        testing::FakeSerialPort port(&clock);
        port.failOpen = failOpen;
        testing::MemoryFiles files;
        testing::FakeBeeper beeper;
        testing::FakeWallClock wallClock;
        Ending ending;
        MonitorJob job({port, clock, beeper, files, wallClock}, ending);
        job.Start({.kind = MonitorJobSetup::Kind::Backup,
                   .filePath = "/site/mon1.mdv",
                   .fileTitle = "mon1.mdv"});
        // Each command echoed and closed by the prompt while the monitor still answers; the
        // firmware answer names version 2.05.
        for (std::size_t answered = 0; !job.Over() && clock.NowMs() < 120000;) {
            clock.Advance(50);
            for (; answered < port.writes.size() && static_cast<int>(answered) < answers;
                 ++answered) {
                const std::string& command = port.writes[answered].bytes;
                port.Receive(command + (command == "df\r\n" ? "V 2.05\r\n" : "") + prompt);
            }
        }
        EXPECT_EQ(ending.exit, std::optional(exit)) << what << ": " << ending.message;
        EXPECT_NE(ending.message.find(says), std::string::npos) << what << ": " << ending.message;
        EXPECT_EQ(files.files.count("/site/mon1.mdv"), exit == JobExit::Done ? 1u : 0u) << what;
        EXPECT_EQ(ending.lastStep == UpdateAllDataSteps - 1, exit == JobExit::Done) << what;
        // A monitor in boot mode has no firmware running: its number is 0.
        EXPECT_EQ(job.Data().FirmwareVersionNumber, answers > 0 && prompt[0] == '#' ? 205 : 0)
            << what;
    }
}

}  // namespace
}  // namespace zorvex
