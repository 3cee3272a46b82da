// The information windows read the simulator's identity; peek and poke change its memory.
#include <QLabel>
#include <QLineEdit>

#include "AppOnSimulator.h"

namespace zorvex::e2e {
namespace {

class InfoPanelsOnSimulator : public OnSimulator {
  protected:
    void SetUp() override {
        StartTool();
        // Going online asks for the firmware version; its answer selects the family.
        ASSERT_TRUE(Spin([&] { return tool->app->Data().FirmwareVersionNumber == 205; }, 10000));
    }
    template <class W>
    bool Shows(const char* window, const char* name, const char* text) {
        return Spin(
            [&] {
                auto* w = tool->Find<W>(window, name);
                return w != nullptr && w->text() == QString::fromLatin1(text);
            },
            10000);
    }
};

TEST_F(InfoPanelsOnSimulator, IdAndVersionWindowsShowTheSimulatorsIdentity) {
    tool->Menu(MenuCommand::InfoID);
    EXPECT_TRUE(Shows<QLabel>("frmID", "lblModel", "ZX-5120"));
    EXPECT_TRUE(Shows<QLabel>("frmID", "lblSerial", "SIM0042"));
    EXPECT_TRUE(Shows<QLabel>("frmID", "lblPart", "7741-200"));
    tool->Menu(MenuCommand::InfoVersion);
    EXPECT_TRUE(Shows<QLabel>("frmVersion", "lblMonitorFirmwareVersionValue", "V 2.05"));
    EXPECT_TRUE(Shows<QLabel>("frmVersion", "lblMonitorEpromVersionValue", "V 1.10"));
    EXPECT_EQ(tool->app->Data().SerialNumber, "SIM0042");
    EXPECT_EQ(tool->app->Data().RomVersion, "V 1.10");
}

TEST_F(InfoPanelsOnSimulator, PeekAndPokeWriteAByteAndReadItBack) {
    tool->Menu(MenuCommand::DiagnosticsPeek);
    auto* address = tool->Find<QLineEdit>("frmPeekPoke", "AddressBox");
    auto* byte = tool->Find<QLineEdit>("frmPeekPoke", "DataByteBox");
    ASSERT_NE(address, nullptr);
    ASSERT_NE(byte, nullptr);
    address->setText(QStringLiteral("0x1234"));
    tool->Click("frmPeekPoke", "brnWriteAddr");
    ASSERT_TRUE(Shows<QLineEdit>("frmPeekPoke", "AddressBox", "0x1234"));
    byte->setText(QStringLiteral("0xa5"));
    tool->Click("frmPeekPoke", "DataByteWriteButton");
    byte->setText(QStringLiteral("0xXX"));
    tool->Click("frmPeekPoke", "btnReadByte");
    EXPECT_TRUE(Shows<QLineEdit>("frmPeekPoke", "DataByteBox", "0xA5"));
    EXPECT_GE(At("a0x1234"), 0);
    EXPECT_LT(At("a0x1234"), At("wb0xa5"));
    EXPECT_LT(At("wb0xa5"), At("rb"));
}

}  // namespace
}  // namespace zorvex::e2e
