// The command line of the real tool: --compare on files, --identify and --backup on the
// simulator, and the exit status of each. The backup's file against the windows' own save is
// in FileRoundTripTest.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "E2eHarness.h"
#include "core/data/MdfWriter.h"

namespace zorvex::e2e {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CommandLine : public ::testing::Test {
  protected:
    // The tool with the arguments, its settings here (Com1 = the simulator), until it ends by
    // itself; stopped (status -1) when it stays silent for 20 s.
    ToolRun Run(const std::vector<std::string>& args) {
        std::filesystem::create_directories(dir.File("config/Zorvex"));
        std::ofstream(dir.File("config/Zorvex/" ZORVEX_APP_TITLE ".conf"))
            << "[Ports]\nCom1=" << sim.Port() << "\n";
        Process tool;
        ToolRun run;
        if (tool.Start(ZORVEX_TOOL_PATH, args, {"XDG_CONFIG_HOME=" + dir.File("config")},
                       dir.File("stderr"))) {
            for (std::string line; !(line = tool.ReadLine(20s)).empty();) {
                run.out += line;
            }
            run.status = tool.Stop();
            run.err = ReadFile(dir.File("stderr"));
        }
        return run;
    }
    std::string File(const std::string& name, const std::string& bytes) {
        std::ofstream(dir.File(name), std::ios::binary) << bytes;
        return dir.File(name);
    }
    void TearDown() override {
        if (HasFailure()) {
            sim.PrintLog();
        }
    }
    TempDir dir;
    Simulator sim{dir};
};

TEST_F(CommandLine, CompareNamesExactlyWhatDiffersAndRefusesWhatItCannotRead) {
    MonitorData a;
    a.MonitorOnline = true;
    a.SerialNumber = "SIM0042";
    MonitorData b = a;
    b.SerialNumber = "SIM0043";
    b.SetCell(DacFamily::V, DacTableKind::Initial, 6, 0, 77);
    const std::string fileA = File("a.mdv", BuildMdfContent(a, {}));
    const std::string fileB = File("b.mdv", BuildMdfContent(b, {}));
    const ToolRun same = Run({"--compare", fileA, fileA});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "no differences");
    const ToolRun differ = Run({"--compare", fileA, fileB, "--json"});
    EXPECT_EQ(differ.status, 1) << differ.err;
    const QJsonDocument named(
        QJsonDocument::fromJson(QByteArray::fromStdString(differ.out))["differences"].toArray());
    EXPECT_EQ(named.toJson(QJsonDocument::Compact).toStdString(),
              R"([{"a":"SIM0042","b":"SIM0043","kind":"record","record":"Serial Number",)"
              R"("what":"Serial Number"},{"a":0,"b":77,"family":"V","kind":"cell",)"
              R"("name":"Horiz Bow","scanSet":0,"slot":6,"table":"initial",)"
              R"("what":"ScanSet 0 V6 Horiz Bow initial"}])");
    // Refusals: the reader's own words for a bad file, and options it cannot take.
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--compare", fileA, File("bad.mdv", "not a monitor data file")},
         "is not a valid .mdv file"},
        {{"--backup"}, "Missing value after '--backup'"},
        {{"--identify", "--port", "1", "--device", "x"}, "give one of them"},
        {{"--frobnicate"}, "Unknown option 'frobnicate'"}};
    for (const auto& [args, words] : refused) {
        const ToolRun run = Run(args);
        EXPECT_EQ(run.status, 2) << args.front();
        EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
    }
}

TEST_F(CommandLine, IdentifyPrintsTheMonitorsIdentityAsJson) {
    ASSERT_TRUE(sim.Start());
    const ToolRun run = Run({"--identify", "--json", "--device", sim.Port()});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject identity =
        QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(identity["model"].toString(), "ZX-5120") << run.out;
    EXPECT_EQ(identity["firmware"].toString(), "V 2.05");
    EXPECT_EQ(identity["hvUpperLimit"].toInt(), 28);
}

TEST_F(CommandLine, ASilentMonitorEndsABackupWithinItsTimeLimitAndKeepsTheOldFile) {
    ASSERT_TRUE(sim.Start({"--silent-after", "0"}));
    const std::string file = File("mon.mdv", "the earlier backup");
    // Com1 through the port map of the settings, as the windows use it.
    const ToolRun run = Run({"--backup", file, "--port", "1", "--timeout", "1"});
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.err.find("zorvex: No monitor answered on " + sim.Port() + " within 1 second."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ReadFile(file), "the earlier backup");
}

}  // namespace
}  // namespace zorvex::e2e
