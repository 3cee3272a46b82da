// The command line of the real tool: --compare on files, --identify and --backup on the
// simulator. The backup's file against the windows' own save is in FileRoundTripTest.
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

// The tool with the arguments, its settings in dir (Com1 = com1Device), until it ends by
// itself; it is stopped (status -1) if it runs past `bound`.
ToolRun RunTool(const TempDir& dir, const std::vector<std::string>& args,
                const std::string& com1Device = "", std::chrono::seconds bound = 20s) {
    std::filesystem::create_directories(dir.File("config/Zorvex"));
    std::ofstream(dir.File("config/Zorvex/" ZORVEX_APP_TITLE ".conf"))
        << "[Ports]\nCom1=" << com1Device << "\n";
    Process tool;
    ToolRun run;
    if (!tool.Start(ZORVEX_TOOL_PATH, args, {"XDG_CONFIG_HOME=" + dir.File("config")}, true,
                    dir.File("stderr"))) {
        return run;
    }
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (tool.Running() && std::chrono::steady_clock::now() < deadline) {
        run.out += tool.ReadLine(100ms);
    }
    for (std::string line; !(line = tool.ReadLine(100ms)).empty();) {
        run.out += line;
    }
    run.status = tool.Stop();
    std::ifstream err(dir.File("stderr"));
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

QJsonObject Json(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(CommandLine, CompareNamesExactlyWhatDiffersAndRefusesWhatItCannotRead) {
    TempDir dir;
    MonitorData a;
    a.MonitorOnline = true;
    a.ModelNumber = "ZX-5120";
    a.SerialNumber = "SIM0042";
    MonitorData b = a;
    b.SerialNumber = "SIM0043";
    b.SetCell(DacFamily::V, DacTableKind::Initial, 6, 0, 77);
    WriteFile(dir.File("a.mdv"), BuildMdfContent(a, {}));
    WriteFile(dir.File("b.mdv"), BuildMdfContent(b, {}));
    WriteFile(dir.File("bad.mdv"), "not a monitor data file");

    const ToolRun same = RunTool(dir, {"--compare", dir.File("a.mdv"), dir.File("a.mdv")});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "no differences");
    const ToolRun differ =
        RunTool(dir, {"--compare", dir.File("a.mdv"), dir.File("b.mdv"), "--json"});
    EXPECT_EQ(differ.status, 1) << differ.err;
    const QJsonArray named = Json(differ.out)["differences"].toArray();
    ASSERT_EQ(named.size(), 2) << differ.out;
    EXPECT_EQ(named[0]["what"].toString(), "Serial Number");
    EXPECT_EQ(named[0]["b"].toString(), "SIM0043");
    EXPECT_EQ(named[1]["what"].toString(), "ScanSet 0 V6 Horiz Bow initial");
    EXPECT_EQ(named[1]["a"].toInt(), 0);
    EXPECT_EQ(named[1]["b"].toInt(), 77);
    // Refusals: the reader's own words for a bad file, and an option it does not know.
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--compare", dir.File("a.mdv"), dir.File("bad.mdv")}, "is not a valid .mdv file"},
        {{"--backup"}, "Missing value after '--backup'"},
        {{"--identify", "--port", "1", "--device", "x"}, "give one of them"},
        {{"--frobnicate"}, "Unknown option 'frobnicate'"}};
    for (const auto& [args, words] : refused) {
        const ToolRun run = RunTool(dir, args);
        EXPECT_EQ(run.status, 2) << args.front();
        EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
    }
}

class CommandLineOnSimulator : public ::testing::Test {
  protected:
    void TearDown() override {
        if (HasFailure()) {
            sim.PrintLog();
        }
    }
    TempDir dir;
    Simulator sim{dir};
};

TEST_F(CommandLineOnSimulator, IdentifyPrintsTheMonitorsIdentityAsJson) {
    ASSERT_TRUE(sim.Start());
    const ToolRun run = RunTool(dir, {"--identify", "--json", "--device", sim.Link()});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject identity = Json(run.out);
    EXPECT_EQ(identity["model"].toString(), "ZX-5120") << run.out;
    EXPECT_EQ(identity["firmware"].toString(), "V 2.05");
    EXPECT_EQ(identity["hvUpperLimit"].toInt(), 28);
}

TEST_F(CommandLineOnSimulator, ASilentMonitorEndsABackupWithinItsTimeLimitAndKeepsTheOldFile) {
    ASSERT_TRUE(sim.Start({"--silent-after", "0"}));
    WriteFile(dir.File("mon.mdv"), "the earlier backup");
    // Com1 through the port map of the settings, as the windows use it.
    const ToolRun run = RunTool(
        dir, {"--backup", dir.File("mon.mdv"), "--port", "1", "--timeout", "1"}, sim.Link(), 10s);
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.err.find("zorvex: No monitor answered on " + sim.Link() + " within 1 second."),
              std::string::npos)
        << run.err;
    std::ifstream file(dir.File("mon.mdv"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "the earlier backup");
}

}  // namespace
}  // namespace zorvex::e2e
