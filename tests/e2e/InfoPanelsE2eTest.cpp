// Peek and poke change the simulator's memory and read it back; a command typed into the
// communication log is answered there.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "AppOnSimulator.h"

namespace zorvex::e2e {
namespace {

class PeekPokeOnSimulator : public OnSimulator {};

TEST_F(PeekPokeOnSimulator, PokeWritesAByteThatPeekReadsBackAndATypedCommandIsAnswered) {
    StartTool(nullptr, true);
    tool->Menu(MenuCommand::DiagnosticsPeek);
    auto* address = tool->Find<QLineEdit>("frmPeekPoke", "AddressBox");
    auto* byte = tool->Find<QLineEdit>("frmPeekPoke", "DataByteBox");
    ASSERT_TRUE(address != nullptr && byte != nullptr);
    address->setText(QStringLiteral("0x1234"));
    tool->Click("frmPeekPoke", "brnWriteAddr");
    byte->setText(QStringLiteral("0xa5"));
    tool->Click("frmPeekPoke", "DataByteWriteButton");
    byte->setText(QStringLiteral("0xXX"));
    tool->Click("frmPeekPoke", "btnReadByte");
    EXPECT_TRUE(Spin([&] { return byte->text() == QStringLiteral("0xA5"); }, 10000));
    EXPECT_EQ(address->text(), QStringLiteral("0x1234"));
    EXPECT_GE(At("a0x1234"), 0);
    EXPECT_LT(At("a0x1234"), At("wb0xa5"));
    EXPECT_LT(At("wb0xa5"), At("rb"));

    tool->Menu(MenuCommand::DiagnosticsCommLogging);
    auto* log = tool->Find<QPlainTextEdit>("frmCommLog", "txtCommLog");
    ASSERT_NE(log, nullptr);
    tool->Click("frmCommLog", "btnClearCommLogWindow");
    const long asked = Count("dm");
    QTest::keyClicks(log, QStringLiteral("dm"));
    QTest::keyClick(log, Qt::Key_Return);
    EXPECT_TRUE(Spin([&] { return log->toPlainText().contains("Model Number = ZX-5120"); }, 10000))
        << tool->app->Log().LogText();
    EXPECT_EQ(Count("dm"), asked + 1);
}

}  // namespace
}  // namespace zorvex::e2e
