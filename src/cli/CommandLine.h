#pragma once

#include <QStringList>

namespace zorvex {

class SettingsStore;
class TimerFactory;

// Whether the arguments ask for the command line rather than the windows: anything beyond
// the toolkit's own options (-platform, -style, ...) does. Cheap, and made before any
// application object exists.
bool WantsCommandLine(int argc, char** argv);

// What the command line takes from outside; left empty, the real ones.
struct CommandLineServices {
    TimerFactory* timers = nullptr;     // null: Qt timers
    SettingsStore* settings = nullptr;  // null: the tool's own settings, read only
};

// --backup, --identify, --compare, --help and --version without any window, on the
// QCoreApplication (or QApplication) that exists. Returns the exit status: 0 done (and
// equal files), 1 files differ, 2 bad arguments or an unreadable file, 3 the port cannot be
// opened, 4 no monitor answered, 5 the file cannot be written.
int RunCommandLine(const QStringList& arguments, CommandLineServices services = {});

}  // namespace zorvex
