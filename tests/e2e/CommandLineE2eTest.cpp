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
    int status;
    std::string out, err;
};

class CommandLine : public ::testing::Test {
  protected:
    // The tool with the arguments, its settings here (Com1 = the simulator), until it ends by
    // itself; stopped (status -1) when it runs past 20 s.
    ToolRun Run(const std::vector<std::string>& args) {
        std::filesystem::create_directories(dir.File("config/Zorvex"));
        std::ofstream(dir.File("config/Zorvex/" ZORVEX_APP_TITLE ".conf"))
            << "[Ports]\nCom1=" << sim.Port() << "\n";
        Process tool;
        tool.Start(ZORVEX_TOOL_PATH, args, {"XDG_CONFIG_HOME=" + dir.File("config")},
                   dir.File("out"), dir.File("err"));
        const int status = tool.Stop(20s);
        return {status, ReadFile(dir.File("out")), ReadFile(dir.File("err"))};
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
    const ToolRun differ = Run({"--compare", fileA, fileB, "--json"});
    EXPECT_EQ(differ.status, 1) << differ.err;
    const QJsonDocument named(
        QJsonDocument::fromJson(QByteArray::fromStdString(differ.out))["differences"].toArray());
    EXPECT_EQ(named.toJson(QJsonDocument::Compact).toStdString(),
              R"([{"a":"SIM0042","b":"SIM0043","kind":"record","record":"Serial Number",)"
              R"("what":"Serial Number"},{"a":0,"b":77,"family":"V","kind":"cell",)"
              R"("name":"Horiz Bow","scanSet":0,"slot":6,"table":"initial",)"
              R"("what":"ScanSet 0 V6 Horiz Bow initial"}])");
    // Equal files; refusals: the reader's own words for a bad file, options it cannot take.
    const std::tuple<std::vector<std::string>, int, std::string> runs[] = {
        {{"--compare", fileA, fileA}, 0, "no differences"},
        {{"--compare", fileA, File("bad.mdv", "not a monitor data file")},
         2,
         "is not a valid .mdv file"},
        {{"--backup"}, 2, "Missing value after '--backup'"},
        {{"--identify", "--port", "1", "--device", "x"}, 2, "give one of them"},
        {{"--frobnicate"}, 2, "Unknown option 'frobnicate'"}};
    for (const auto& [args, status, words] : runs) {
        const ToolRun run = Run(args);
        EXPECT_EQ(run.status, status) << args.back();
        EXPECT_NE((run.out + run.err).find(words), std::string::npos) << run.out << run.err;
    }
}

TEST_F(CommandLine, IdentifyPrintsTheMonitorsIdentityAsJson) {
    ASSERT_TRUE(sim.Start());
    const ToolRun run = Run({"--identify", "--json", "--device", sim.Port()});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject id = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(QStringList({id["model"].toString(), id["firmware"].toString(),
                           QString::number(id["hvUpperLimit"].toInt())}),
              QStringList({"ZX-5120", "V 2.05", "28"}))
        << run.out;
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
