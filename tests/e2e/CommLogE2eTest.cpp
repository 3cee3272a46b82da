// Commands typed into the communication log reach the monitor, through the queue or past it,
// and its answers come back into the log; a monitor that refuses a command for good, a noisy
// line and a cable pulled twice leave the link going and nothing on the screen to dismiss.
#include <signal.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "AppOnSimulator.h"

namespace zorvex::e2e {
namespace {

class CommLogOnSimulator : public OnSimulator {};

TEST_F(CommLogOnSimulator, ATypedCommandIsAnsweredInTheLogWithAndWithoutTheBypass) {
    StartTool(nullptr, true);
    tool->Menu(MenuCommand::DiagnosticsCommLogging);
    auto* text = tool->Find<QPlainTextEdit>("frmCommLog", "txtCommLog");
    ASSERT_NE(text, nullptr);
    tool->Click("frmCommLog", "btnClearCommLogWindow");
    auto typeAndSee = [&](const char* keys, const char* answer) {
        const long before = Count(keys);
        QTest::keyClicks(text, keys);
        QTest::keyClick(text, Qt::Key_Return);
        EXPECT_TRUE(Spin(
            [&] {
                return tool->app->Log().LogText().find(answer) != std::string::npos &&
                       text->toPlainText().contains(QString::fromLatin1(answer));
            },
            10000))
            << keys << ": " << tool->app->Log().LogText();
        EXPECT_EQ(Count(keys), before + 1) << keys;
    };
    ASSERT_FALSE(tool->Find<QCheckBox>("frmCommLog", "ckXmitQueueOverride")->isChecked())
        << "start-up leaves the bypass off, and the box says so";
    typeAndSee("dm", "Model Number = ZX-5120");
    tool->Click("frmCommLog", "ckXmitQueueOverride");
    ASSERT_TRUE(tool->app->Link().XmitQueueOverride);
    typeAndSee("de", "V 1.10");
}

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
