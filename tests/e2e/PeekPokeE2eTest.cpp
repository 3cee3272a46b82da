// Peek and poke change the simulator's memory and read it back.
#include <QLineEdit>

#include "AppOnSimulator.h"

namespace zorvex::e2e {
namespace {

class PeekPokeOnSimulator : public OnSimulator {};

TEST_F(PeekPokeOnSimulator, PokeWritesAByteThatPeekReadsBack) {
    StartTool();
    tool->Menu(MenuCommand::DiagnosticsPeek);
    auto* address = tool->Find<QLineEdit>("frmPeekPoke", "AddressBox");
    auto* byte = tool->Find<QLineEdit>("frmPeekPoke", "DataByteBox");
    ASSERT_TRUE(address != nullptr && byte != nullptr);
    address->setText(QStringLiteral("0x1234"));
    tool->Find<QAbstractButton>("frmPeekPoke", "brnWriteAddr")->click();
    byte->setText(QStringLiteral("0xa5"));
    tool->Find<QAbstractButton>("frmPeekPoke", "DataByteWriteButton")->click();
    byte->setText(QStringLiteral("0xXX"));
    tool->Find<QAbstractButton>("frmPeekPoke", "btnReadByte")->click();
    EXPECT_TRUE(Spin([&] { return byte->text() == QStringLiteral("0xA5"); }, 10000));
    EXPECT_EQ(address->text(), QStringLiteral("0x1234"));
    EXPECT_GE(At("a0x1234"), 0);
}

}  // namespace
}  // namespace zorvex::e2e
