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
    tool->Click("frmPeekPoke", "brnWriteAddr");
    byte->setText(QStringLiteral("0xa5"));
    tool->Click("frmPeekPoke", "DataByteWriteButton");
    byte->setText(QStringLiteral("0xXX"));
    tool->Click("frmPeekPoke", "btnReadByte");
    EXPECT_TRUE(Spin([&] { return byte->text() == QStringLiteral("0xA5"); }, 10000));
    EXPECT_EQ(address->text(), QStringLiteral("0x1234"));
    const long at = At("a0x1234");
    EXPECT_GE(at, 0);
    EXPECT_LT(at, At("wb0xa5", at));
    EXPECT_LT(At("wb0xa5", at), At("rb", at));
}

}  // namespace
}  // namespace zorvex::e2e
