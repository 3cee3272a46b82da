#include "cli/CommandLine.h"

#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>

#include "cli/CliReports.h"
#include "core/app/DisplayConfiguration.h"
#include "core/link/SerialPortMap.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/WindowPlacement.h"
#include "platform/QtMappedPort.h"
#include "platform/QtMonitorDataFiles.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtSystemServices.h"
#include "platform/QtTimerFactory.h"

namespace zorvex {

namespace {

constexpr int ExitDiffer = 1;
constexpr int ExitUsage = 2;

// The toolkit's own options of the windows, with whether a value follows.
const std::map<std::string, bool>& ToolkitOptions() {
    static const std::map<std::string, bool> options{
        {"platform", true},        {"platformpluginpath", true},
        {"platformtheme", true},   {"plugin", true},
        {"qwindowgeometry", true}, {"qwindowicon", true},
        {"qwindowtitle", true},    {"style", true},
        {"stylesheet", true},      {"display", true},
        {"geometry", true},        {"session", true},
        {"reverse", false},        {"nograb", false},
        {"dograb", false},         {"sync", false},
        {"widgetcount", false}};
    return options;
}

// Settings read from a store (or none) with the port map's own entries kept in memory, so
// that nothing the command line does is stored for the tool.
class OverlaySettings : public SettingsStore {
  public:
    explicit OverlaySettings(const SettingsStore* base) : base_(base) {}
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override {
        auto it = values_.find(std::string(section) + "/" + std::string(key));
        if (it != values_.end()) {
            return it->second;
        }
        return base_ != nullptr ? base_->Read(section, key, defaultValue)
                                : std::string(defaultValue);
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        values_[std::string(section) + "/" + std::string(key)] = std::string(value);
    }

  private:
    const SettingsStore* base_;
    std::map<std::string, std::string> values_;
};

// No bell on a terminal that runs a batch of backups.
class SilentBeeper : public Beeper {
  public:
    void Beep(int, int) override {}
};

std::string S(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

void Print(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int Fail(int exit, const std::string& message) {
    std::fprintf(stderr, "zorvex: %s\n", OneLine(message).c_str());
    return exit;
}

int Usage(const QString& message) {
    std::fprintf(stderr, "zorvex: %s\nTry 'zorvex --help'.\n", S(message).c_str());
    return ExitUsage;
}

std::string TitleOf(const QString& path) {
    return S(QFileInfo(path).fileName());
}

int Compare(const QString& pathA, const QString& pathB, bool json) {
    QtMonitorDataFiles files;
    std::optional<LoadedMonitorData> loaded[2];
    const QString paths[2] = {pathA, pathB};
    for (int i = 0; i < 2; ++i) {
        loaded[i] = LoadMonitorDataFile(files, S(paths[i]), TitleOf(paths[i]));
        if (!loaded[i]->ok) {
            return Fail(ExitUsage, S(paths[i]) + ": " + loaded[i]->message);
        }
    }
    const auto differences = CompareMonitorData(loaded[0]->data, loaded[1]->data);
    Print(stdout, json ? ComparisonJson(differences, S(pathA), S(pathB))
                       : ComparisonText(differences, S(pathA), S(pathB)));
    return differences.empty() ? 0 : ExitDiffer;
}

// A backup that cannot be written is refused before a pass of the monitor's time.
std::optional<std::string> WhyNotWritable(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir()) {
        return S(path) + " is a folder";
    }
    if (!folder.isDir()) {
        return "cannot write " + S(path) + ": the folder " + S(folder.filePath()) +
               " does not exist";
    }
    if (!folder.isWritable()) {
        return "cannot write " + S(path) + ": the folder " + S(folder.filePath()) +
               " is not writable";
    }
    return std::nullopt;
}

struct JobRequest {
    MonitorJobSetup setup;
    std::optional<int> port;
    QString device;
    bool json = false;
};

int RunJob(JobRequest request, CommandLineServices services) {
    MonitorJobSetup& setup = request.setup;
    std::unique_ptr<SettingsStore> ownSettings;
    const SettingsStore* stored = nullptr;
    if (request.device.isEmpty()) {
        if (services.settings == nullptr) {
            ownSettings = std::make_unique<QtSettingsStore>(
                QString::fromLatin1(BuiltApplicationTitle().data(),
                                    static_cast<qsizetype>(BuiltApplicationTitle().size())));
        }
        stored = services.settings != nullptr ? services.settings : ownSettings.get();
    }
    OverlaySettings settings(stored);
    // The port as the tool picks it: the configuration's own, or the stored "CommPort".
    const auto fixed = ConfigurationForTitle(BuiltApplicationTitle()).commPort;
    setup.portNumber = request.port.value_or(fixed.value_or(
        std::max<long long>(ReadWholeNumber(settings, ConfigsSection, "CommPort", 1), 1)));
    SerialPortMap map(settings);
    if (!request.device.isEmpty()) {
        map.SetDevice(setup.portNumber, S(request.device));
    }
    const std::string device = map.DeviceFor(setup.portNumber);

    // A path or a network serial server, decided by the device text as in the windows.
    QtMappedPort port(map);
    QtTimerFactory qtTimers;
    SilentBeeper beeper;
    QtMonitorDataFiles files;
    QtWallClock clock;
    const bool backup = setup.kind == MonitorJobSetup::Kind::Backup;
    QEventLoop loop;
    JobExit exit = JobExit::Done;
    std::string why;
    ProgressReporter reporter(stderr, ::isatty(STDERR_FILENO) == 1, backup,
                              [&](JobExit e, const std::string& message) {
                                  exit = e;
                                  why = message;
                                  loop.exit();
                              });
    MonitorJob job(
        {port, services.timers != nullptr ? *services.timers : qtTimers, beeper, files, clock},
        reporter);
    std::fprintf(stderr, "Connecting to %s (Com%d) ...\n", device.c_str(), setup.portNumber);
    job.Start(setup);
    if (!job.Over()) {
        loop.exec();
    }
    if (exit != JobExit::Done) {
        return Fail(static_cast<int>(exit), why);
    }
    if (backup) {
        std::fprintf(stderr, "Saved %s\n", setup.filePath.c_str());
    } else {
        Print(stdout,
              request.json ? IdentityJson(job.Data(), device) : IdentityText(job.Data(), device));
    }
    return 0;
}

}  // namespace

bool WantsCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.starts_with("--")) {
            arg.remove_prefix(2);
        } else if (arg.starts_with("-")) {
            arg.remove_prefix(1);
        } else {
            return true;
        }
        const auto option = ToolkitOptions().find(std::string(arg.substr(0, arg.find('='))));
        if (option == ToolkitOptions().end()) {
            return true;
        }
        if (option->second && arg.find('=') == std::string_view::npos) {
            ++i;  // its value
        }
    }
    return false;
}

int RunCommandLine(const QStringList& arguments, CommandLineServices services) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Backs up and inspects monitors without windows, and compares data files.\n"
        "Without options the tool starts with its windows.\n\n"
        "  zorvex --backup FILE.mdv [--port N | --device DEVICE] [--timeout SECONDS]\n"
        "  zorvex --identify [--port N | --device DEVICE] [--timeout SECONDS] [--json]\n"
        "  zorvex --compare A.mdv B.mdv [--json]\n\n"
        "Exit status: 0 done (files equal), 1 files differ, 2 bad arguments or an\n"
        "unreadable file, 3 the port cannot be opened, 4 no monitor answered,\n"
        "5 the file cannot be written (an earlier file is kept)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption backupOption(
        "backup", "Read every value of the monitor (one Update All Data pass) and save it.",
        "FILE.mdv");
    const QCommandLineOption identifyOption("identify",
                                            "Print the monitor's model, serial and part "
                                            "numbers, versions, operating time and HV limits.");
    const QCommandLineOption compareOption(
        "compare", "Print what differs between the data files A.mdv and B.mdv.");
    const QCommandLineOption portOption(
        "port", "The port number as in Monitor Connection (default: the stored CommPort).", "N");
    const QCommandLineOption deviceOption(
        "device",
        "A serial device path, or a network serial server as socket://HOST:PORT or "
        "rfc2217://HOST:PORT, instead of a port number.",
        "DEVICE");
    const QCommandLineOption timeoutOption(
        "timeout", "Give up when the monitor does not answer for this long (default 15).",
        "SECONDS", "15");
    const QCommandLineOption jsonOption("json", "Print JSON instead of aligned text.");
    for (const auto* option : {&backupOption, &identifyOption, &compareOption, &portOption,
                               &deviceOption, &timeoutOption, &jsonOption}) {
        parser.addOption(*option);
    }
    parser.addPositionalArgument("A.mdv B.mdv", "With --compare: the two data files.",
                                 "[A.mdv B.mdv]");

    if (!parser.parse(arguments)) {
        return Usage(parser.errorText());
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        Print(stdout, parser.helpText().toLocal8Bit());
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QByteArray(BuiltApplicationTitle().data(),
                                 static_cast<qsizetype>(BuiltApplicationTitle().size())) +
                          " " + QByteArray::fromStdString(VersionText(BuiltProgramVersion())) +
                          "\n");
        return 0;
    }
    const bool backup = parser.isSet(backupOption);
    const bool identify = parser.isSet(identifyOption);
    const bool compare = parser.isSet(compareOption);
    const QStringList files = parser.positionalArguments();
    if (backup + identify + compare != 1) {
        return Usage(backup + identify + compare == 0
                         ? "say what to do: --backup FILE.mdv, --identify or --compare A.mdv B.mdv"
                         : "--backup, --identify and --compare go one at a time");
    }
    if (compare) {
        if (files.size() != 2) {
            return Usage("--compare needs two data files, A.mdv and B.mdv");
        }
        if (parser.isSet(portOption) || parser.isSet(deviceOption) || parser.isSet(timeoutOption)) {
            return Usage("--compare reads files only; --port, --device and --timeout do not apply");
        }
        return Compare(files[0], files[1], parser.isSet(jsonOption));
    }
    if (!files.isEmpty()) {
        return Usage("unexpected argument '" + files.front() + "'");
    }
    if (backup && parser.isSet(jsonOption)) {
        return Usage("--json goes with --identify or --compare");
    }
    if (parser.isSet(portOption) && parser.isSet(deviceOption)) {
        return Usage("--port and --device both name the port; give one of them");
    }
    JobRequest request;
    request.json = parser.isSet(jsonOption);
    bool ok = true;
    if (parser.isSet(portOption)) {
        const int port = parser.value(portOption).toInt(&ok);
        if (!ok || port < 1 || port > 32767) {
            return Usage("--port needs a port number from 1 on, not '" + parser.value(portOption) +
                         "'");
        }
        request.port = port;
    }
    if (parser.isSet(deviceOption)) {
        request.device = parser.value(deviceOption).trimmed();
        if (request.device.isEmpty()) {
            return Usage("--device needs a device path or network address");
        }
        if (auto fault = SerialPortMap::CheckDevice(S(request.device))) {
            return Usage(QString::fromLocal8Bit(fault->c_str()));
        }
    }
    const int timeout = parser.value(timeoutOption).toInt(&ok);
    if (!ok || timeout < 1 || timeout > 3600) {
        return Usage("--timeout needs a number of seconds from 1 to 3600, not '" +
                     parser.value(timeoutOption) + "'");
    }
    request.setup.timeoutSeconds = timeout;
    if (backup) {
        const QString path = parser.value(backupOption);
        if (path.isEmpty()) {
            return Usage("--backup needs a file name");
        }
        if (auto why = WhyNotWritable(path)) {
            return Fail(static_cast<int>(JobExit::FileFailed), *why);
        }
        request.setup.kind = MonitorJobSetup::Kind::Backup;
        request.setup.filePath = S(path);
        request.setup.fileTitle = TitleOf(path);
    }
    return RunJob(std::move(request), services);
}

}  // namespace zorvex
