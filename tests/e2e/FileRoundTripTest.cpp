// The monitor data file end to end: the tool runs "&Update All Data" on the simulator for a
// whole pass, saves the data with "S&ave As ...", and a second tool that has no monitor opens
// the file and holds the same values.
#include "AppOnSimulator.h"
#include "cli/CommandLine.h"
#include "core/data/MdfWriter.h"
#include "core/data/MonitorDataComparison.h"
#include "platform/QtMonitorDataFiles.h"

namespace zorvex::e2e {
namespace {

class FileRoundTrip : public OnSimulator {};

TEST_F(FileRoundTrip, APassSavedWhileOnlineOpensOfflineWithTheSameValues) {
    const QString file = QString::fromStdString(dir.File("pass.mdv"));
    StartTool();
    QAction* update = tool->app->MainWindow().Action(MenuCommand::MonitorUpdate);
    ASSERT_TRUE(Spin([&] { return update->isEnabled(); }, 5000));
    tool->Menu(MenuCommand::MonitorUpdate);
    // A whole pass: step 0 twice, then steps 1 to 44; its last request is "ddfs".
    ASSERT_TRUE(Spin([&] { return At("ddfs") >= 0; }, 30000)) << "no whole pass";
    Spin([] { return false; }, 1000);  // the last answer comes in
    const MonitorData passed = tool->app->Data();
    // The simulator's tables reached the model (family N read as quads at 2.05).
    EXPECT_EQ(passed.Cell(DacFamily::L, DacTableKind::Factory, 0, 0), 100);
    EXPECT_EQ(passed.Cell(DacFamily::N, DacTableKind::Initial, 3, 0), 31);
    tool->Menu(MenuCommand::FileSaveAs, file);
    EXPECT_TRUE(tool->messages.empty()) << tool->messages.front();
    tool.reset();
    // The command line's backup of the same monitor on the same timers: the same file to the
    // reader, but for the operating time, which the monitor's clock has run on meanwhile.
    const QString backup = QString::fromStdString(dir.File("backup.mdv"));
    ASSERT_EQ(RunCommandLine(
                  {"zorvex", "--backup", backup, "--device", QString::fromStdString(sim.Port())},
                  {&timers}),
              0);
    QtMonitorDataFiles files;
    const LoadedMonitorData saved = LoadMonitorDataFile(files, file.toStdString(), "pass.mdv");
    const LoadedMonitorData backedUp = LoadMonitorDataFile(files, backup.toStdString(), "b.mdv");
    ASSERT_TRUE(saved.ok && backedUp.ok) << saved.message << backedUp.message;
    for (const MonitorDataDifference& d : CompareMonitorData(saved.data, backedUp.data)) {
        EXPECT_EQ(DifferenceSubject(d), "Operating Hours") << d.a << " / " << d.b;
    }
    sim.process().Stop();

    // The second tool's monitor never answers, so it stays offline.
    Simulator silent(dir);
    ASSERT_TRUE(silent.Start({"--silent-after", "0"}));
    ToolInProcess offline(silent.Port(), &timers);
    offline.Menu(MenuCommand::FileOpen, file);
    EXPECT_TRUE(offline.messages.empty()) << offline.messages.front();
    const MonitorData& read = offline.app->Data();
    EXPECT_FALSE(read.MonitorOnline);
    // Every record the file holds, written again from what was read, is what was saved.
    MonitorData reread = read;
    reread.MonitorOnline = true;
    EXPECT_EQ(BuildMdfContent(reread, {}), BuildMdfContent(passed, {}));
    EXPECT_EQ(read.FirmwareVersionNumber, passed.FirmwareVersionNumber);
}

}  // namespace
}  // namespace zorvex::e2e
