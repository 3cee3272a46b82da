#include <QApplication>

#include "cli/CommandLine.h"
#include "ui/app/Application.h"
#include "ui/app/SessionBusLaunch.h"

int main(int argc, char* argv[]) {
    // Options other than the toolkit's choose the command line: no display, no widget.
    if (zorvex::WantsCommandLine(argc, argv)) {
        QCoreApplication core(argc, argv);
        return zorvex::RunCommandLine(QCoreApplication::arguments());
    }
    // Before any thread starts: it changes the environment.
    zorvex::FutileBusLaunchSkip busLaunch;
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral(ZORVEX_APP_TITLE));

    // The whole object graph lives here from start-up to exit.
    zorvex::Application application;
    application.Start();
    busLaunch.End();  // the menu bar and accessibility have asked for the bus by now
    return QApplication::exec();
}
