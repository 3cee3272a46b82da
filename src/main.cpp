#include <QApplication>

#include "cli/CommandLine.h"
#include "ui/app/Application.h"

int main(int argc, char* argv[]) {
    // Options other than the toolkit's choose the command line: no display, no widget.
    if (zorvex::WantsCommandLine(argc, argv)) {
        QCoreApplication core(argc, argv);
        return zorvex::RunCommandLine(QCoreApplication::arguments());
    }
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral(ZORVEX_APP_TITLE));

    // The whole object graph lives here from start-up to exit.
    zorvex::Application application;
    application.Start();
    return QApplication::exec();
}
