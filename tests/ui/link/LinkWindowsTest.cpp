#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "../../core/link/LinkRig.h"
#include "MemorySettingsStore.h"
#include "core/link/SerialPortMap.h"
#include "ui/app/Application.h"
#include "ui/app/Twips.h"
#include "ui/app/frmMain.h"
#include "ui/link/frmChangeTries.h"
#include "ui/link/frmConnect.h"

namespace zorvex {
namespace {

using testing::LinkRig;
using testing::MemorySettingsStore;

// The windows over the connection logic with a fake port and virtual time.
struct WindowRig {
    WindowRig() {
        connect.SetDeviceLister([this] {
            ++listings;
            return QStringList{"/dev/ttyUSB0", "/dev/ttyACM0"};
        });
        // Sees only the one listing of the refresh, as the real check does.
        connect.SetDeviceChecker([](const QString& device, const QStringList& listed) {
            return listed.contains(device) || device == "/dev/ttyS1";
        });
        connect.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        tries.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        rig.port.lastOpenedPort = 0;
    }
    template <class T = QPushButton>
    T* Find(QWidget& window, const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    LinkRig rig;
    MemorySettingsStore settings;
    SerialPortMap map{settings, DeviceNaming::Posix};
    frmConnect connect{rig.ctl, map};
    frmChangeTries tries{rig.ctl};
    std::vector<std::string> messages;
    int listings = 0;
};

TEST(LinkWindows, EachPortShowsItsDeviceMarksAMissingOneAndStoresADeviceChosenForIt) {
    WindowRig w;
    auto* com1 = w.Find<QComboBox>(w.connect, "cboDevice(0)");
    auto* com2 = w.Find<QComboBox>(w.connect, "cboDevice(1)");
    auto* com1State = w.Find<QLabel>(w.connect, "lblDeviceState(0)");
    ASSERT_NE(com1, nullptr);
    ASSERT_NE(com1State, nullptr);
    EXPECT_EQ(com1->currentText(), "/dev/ttyS0");
    EXPECT_EQ(com2->currentText(), "/dev/ttyS1");
    EXPECT_GE(com2->findText("/dev/ttyUSB0"), 0);
    EXPECT_EQ(com1State->text(), "not found");  // /dev/ttyS0 is not there
    EXPECT_TRUE(com1State->toolTip().contains("/dev/ttyS0"));
    EXPECT_EQ(w.Find<QLabel>(w.connect, "lblDeviceState(1)")->text(), "");  // /dev/ttyS1 is
    EXPECT_EQ(w.Find<QLabel>(w.connect, "lblDevicesFound")->text(),
              "Serial devices found: /dev/ttyUSB0, /dev/ttyACM0");
    w.connect.RefreshDevices();  // one listing serves all eight rows
    EXPECT_EQ(w.listings, 2);

    com2->setCurrentText("/dev/pts/7");  // typed
    emit com2->lineEdit()->editingFinished();
    EXPECT_EQ(w.settings.Get("Ports", "Com2"), "/dev/pts/7");
    EXPECT_EQ(w.rig.port.openCount, 0);  // Com2 is not the port in use
    // A malformed network port is told and kept in the box to mend, but not stored.
    auto* com2State = w.Find<QLabel>(w.connect, "lblDeviceState(1)");
    com2->setCurrentText("socket://127.0.0.1:70000");
    emit com2->lineEdit()->editingFinished();
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_NE(w.messages[0].find("from 1 to 65535"), std::string::npos) << w.messages[0];
    EXPECT_EQ(w.settings.Get("Ports", "Com2"), "/dev/pts/7");
    EXPECT_EQ(com2State->text(), "not valid");
    com2->setCurrentText("rfc2217://127.0.0.1:4001");
    emit com2->lineEdit()->editingFinished();
    EXPECT_EQ(w.settings.Get("Ports", "Com2"), "rfc2217://127.0.0.1:4001");
    EXPECT_EQ(com2State->text(), "");  // a network port is not looked for as a file

    com1->setCurrentIndex(com1->findText("/dev/ttyACM0"));
    emit com1->activated(com1->currentIndex());
    EXPECT_EQ(w.settings.Get("Ports", "Com1"), "/dev/ttyACM0");
    EXPECT_EQ(w.rig.port.lastOpenedPort, 1);  // the port in use is opened on its new device
    EXPECT_EQ(com1State->text(), "");

    w.connect.SetDeviceLister([] { return QStringList{}; });
    EXPECT_EQ(w.Find<QLabel>(w.connect, "lblDevicesFound")->text(),
              "No serial devices found on this computer; type the path of one.");
}

TEST(LinkWindows, TheRetryLimitWindowAppliesAWholeNumberOrSaysWhy) {
    WindowRig w;
    auto* text = w.Find<QLineEdit>(w.tries, "txtConnectRetryLimit");
    text->setText("abc");
    w.Find(w.tries, "btnOK")->click();
    EXPECT_EQ(w.messages, std::vector<std::string>{RetryLimitRangeText});
    EXPECT_EQ(w.rig.link.ConnectRetryLimit, 5);
    text->setText("9");
    w.Find(w.tries, "btnOK")->click();
    EXPECT_EQ(w.rig.link.ConnectRetryLimit, 9);
    EXPECT_EQ(w.messages.size(), 1u);
}

// The whole tool over a fake port: start-up, the first attempt, going online.
TEST(LinkInTheTool, StartUpShowsTheConnectionWindowsRunFromBootModeSendsGAndOfflineHides) {
    MemorySettingsStore settings;
    settings.Write("Locations", "frmMainWidth", "15360");  // 1024 x 720 pixels at 96 dpi
    settings.Write("Locations", "frmMainHeight", "10800");
    testing::VirtualClock clock;
    testing::FakeSerialPort port{&clock};
    Application app{ApplicationServices{&settings, &clock, &port}};
    app.Start();
    auto frame = [&](const char* name) { return app.MainWindow().findChild<QMdiSubWindow*>(name); };
    QMdiSubWindow* trying = frame("frmTryingFrame");
    ASSERT_NE(trying, nullptr);
    EXPECT_TRUE(trying->isVisible());
    EXPECT_TRUE(frame("frmConnectFrame")->isVisible());
    EXPECT_EQ(trying->size(), QSize(TwipsToPixels(3825, LogicalDpiX(trying)),
                                    TwipsToPixels(1470, LogicalDpiY(trying))));
    EXPECT_FALSE(trying->geometry().intersects(frame("frmConnectFrame")->geometry()));
    auto* toGo = trying->findChild<QLabel*>("lblToGo");
    EXPECT_EQ(toGo->text(), NoLimitText);
    clock.Advance(100);
    port.Receive("p\r\n$\r\n");
    clock.Advance(2000);
    EXPECT_TRUE(app.MainWindow().windowTitle().contains("BOOT MODE"));
    QAction* run = app.MainWindow().Action(MenuCommand::MonitorRun);
    ASSERT_TRUE(run->isEnabled());
    run->trigger();
    clock.Advance(100);
    EXPECT_EQ(port.WrittenTexts().back(), "g\r\n");
    port.Receive("g\r\nStarting monitor firmware\r\n#\r\n");  // the caption follows it
    EXPECT_TRUE(app.MainWindow().windowTitle().endsWith("Monitor on Com1"));
    frame("frmConnectFrame")->show();
    app.MainWindow().Action(MenuCommand::MonitorOffline)->trigger();
    EXPECT_FALSE(frame("frmConnectFrame")->isVisible());
    EXPECT_FALSE(trying->isVisible());
    // Clicked after the connection window, the attempt window starts an attempt anew.
    app.MainWindow().findChild<QCheckBox*>("ckAutoReConnect")->setChecked(false);
    app.MainWindow().Action(MenuCommand::MonitorOnline)->trigger();
    frame("frmConnectFrame")->findChild<QPushButton*>("btnOK")->click();
    clock.Advance(2000);
    EXPECT_EQ(toGo->text(), "4");
    app.MainWindow().MdiArea().setActiveSubWindow(frame("frmConnectFrame"));
    app.MainWindow().MdiArea().setActiveSubWindow(trying);
    EXPECT_EQ(toGo->text(), "5");
}

}  // namespace
}  // namespace zorvex

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
