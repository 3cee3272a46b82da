#include <QApplication>

#include "ui/app/Application.h"

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral(ZORVEX_APP_TITLE));

    // The whole object graph lives here from start-up to exit.
    zorvex::Application application;
    application.Start();
    return QApplication::exec();
}
