// The yardstick for the tool's start-up: the least a Qt 6 multi-document program does before
// its main window appears. bench/startup.sh measures it beside the tool.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty QMdiArea"));
    window.setCentralWidget(new QMdiArea(&window));
    window.show();
    return QApplication::exec();
}
