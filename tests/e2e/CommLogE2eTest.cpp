// Commands typed into the communication log reach the monitor, through the queue or past it,
// and its answers come back into the log.
#include <QCheckBox>
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

}  // namespace
}  // namespace zorvex::e2e
