// A monitor that refuses a command for good, a noisy line and a cable pulled twice leave the
// link going and nothing on the screen to dismiss.
#include <signal.h>

#include <QApplication>
#include <QMessageBox>

#include "AppOnSimulator.h"

namespace zorvex::e2e {
namespace {

class LinkSafety : public OnSimulator {};

TEST_F(LinkSafety, ARefusedCommandIsDroppedAndABurstOfRetryPromptsGivesOneResend) {
    // "df" at connection gets ten "!" at once; "de" gets "!" every time.
    StartTool(nullptr, false, {"--reject-always", "de", "--reject-burst", "10"});
    tool->Menu(MenuCommand::InfoVersion);
    // The version request behind "de" goes out, and after it the keep-alive.
    EXPECT_TRUE(
        Spin([&] { return Count("de") == 6 && At("p", At("df", At("de")) + 1) > 0; }, 15000));
    EXPECT_EQ(Count("de"), 6);
    EXPECT_EQ(Count("df"), 3);  // at connection, its one resend, and for the version window
}

TEST_F(LinkSafety, UnpluggedAndPluggedInTwiceTheMonitorIsBackWithNoMessageBoxLeft) {
    StartTool();
    for (int cycle = 0; cycle < 2; ++cycle) {
        sim.process().Signal(SIGHUP);
        ASSERT_TRUE(Spin([&] { return !tool->app->Data().MonitorOnline; }, 5000)) << cycle;
        sim.process().Signal(SIGHUP);
        ASSERT_TRUE(Spin([&] { return tool->app->Data().MonitorOnline; }, 15000)) << cycle;
    }
    int boxes = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        boxes += qobject_cast<QMessageBox*>(window) != nullptr && window->isVisible();
    }
    EXPECT_EQ(boxes, 0);
}

}  // namespace
}  // namespace zorvex::e2e
