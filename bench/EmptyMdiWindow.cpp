// The yardstick for the tool's start-up: the least a Qt 6 multi-document program does before
// its main window appears. bench/startup.sh measures it beside the tool. With --menus the
// window also has a menu bar as large as the tool's, the least text a program with menus lays
// out before it can show its window (fonts included).
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty QMdiArea"));
    window.setCentralWidget(new QMdiArea(&window));
    if (argc > 1 && std::strcmp(argv[1], "--menus") == 0) {
        for (const char* caption :
             {"&File", "&Monitor", "&Adjustments", "&Info", "&Diagnostics", "&Window", "&Help"}) {
            QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(caption));
            for (int i = 1; i <= 4; ++i) {
                menu->addAction(QStringLiteral("Item %1").arg(i));
            }
        }
    }
    window.show();
    return QApplication::exec();
}
