#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

#include "../../core/link/LinkRig.h"
#include "MemorySettingsStore.h"
#include "core/link/SerialPortMap.h"
#include "ui/app/Application.h"
#include "ui/app/Twips.h"
#include "ui/app/frmMain.h"
#include "ui/link/frmChangeTries.h"
#include "ui/link/frmConnect.h"
#include "ui/link/frmTimedOut.h"
#include "ui/link/frmTrying.h"

namespace zorvex {
namespace {

using testing::LinkRig;
using testing::MemorySettingsStore;

struct ControlCase {
    const char* name;
    const char* text;
    const char* tip;
};

template <class W>
void ExpectControl(W& window, const ControlCase& c) {
    auto* widget = window.template findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(widget, nullptr) << c.name;
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text();
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
    }
    EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.name;
    EXPECT_EQ(widget->toolTip(), QString::fromLatin1(c.tip)) << c.name;
}

// The windows over the connection logic with a fake port and virtual time.
struct WindowRig {
    WindowRig() {
        connect.SetDeviceLister([] { return QStringList{"/dev/ttyUSB0", "/dev/ttyACM0"}; });
        connect.SetDeviceChecker([](const QString& device) {
            return device == QStringLiteral("/dev/ttyUSB0") ||
                   device == QStringLiteral("/dev/ttyACM0") ||
                   device == QStringLiteral("/dev/ttyS1");
        });
        connect.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        tries.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        rig.port.lastOpenedPort = 0;
    }
    template <class T>
    T* Find(QWidget& window, const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    LinkRig rig;
    MemorySettingsStore settings;
    SerialPortMap map{settings, DeviceNaming::Posix};
    frmConnect connect{rig.ctl, map};
    frmTrying trying{rig.ctl};
    frmChangeTries tries{rig.ctl};
    frmTimedOut timedOut{rig.ctl};
    std::vector<std::string> messages;
};

class ConnectControls : public ::testing::TestWithParam<ControlCase> {};
TEST_P(ConnectControls, HaveTheirNameCaptionAndTip) {
    WindowRig w;
    EXPECT_EQ(w.connect.windowTitle(), QStringLiteral("Monitor Connection"));
    ExpectControl(w.connect, GetParam());
}
INSTANTIATE_TEST_SUITE_P(
    Link, ConnectControls,
    ::testing::Values(ControlCase{"lblCom1", "Com1", ""}, ControlCase{"lblCom8", "Com8", ""},
                      ControlCase{"optCommPort(0)", "", ""}, ControlCase{"optCommPort(7)", "", ""},
                      ControlCase{"ckAutoReConnect", "", ""},
                      ControlCase{"lblReConnect", "Auto ReConnect", ""},
                      ControlCase{"btnInd", "", ""}, ControlCase{"btnOK", "OK", "Try this port."},
                      ControlCase{"btnOffline", "Offline", "Work without a monitor."},
                      ControlCase{"btnDone", "Done", "Close Window"}, ControlCase{"lbl1", "", ""}));

class TryingControls : public ::testing::TestWithParam<ControlCase> {};
TEST_P(TryingControls, HaveTheirNameCaptionAndTip) {
    WindowRig w;
    EXPECT_EQ(w.trying.windowTitle(), QStringLiteral("Trying to Connect to Monitor"));
    ExpectControl(w.trying, GetParam());
}
INSTANTIATE_TEST_SUITE_P(
    Link, TryingControls,
    ::testing::Values(ControlCase{"lblTriesToMake", "Tries to Make:", ""},
                      ControlCase{"lblLimit", "", ""},
                      ControlCase{"lblTriesRemaining", "Tries Remaining:", ""},
                      ControlCase{"lblToGo", "", ""},
                      ControlCase{"btnChange", "Change ...", "Change Retry Limit"},
                      ControlCase{"btnCancel", "Cancel", "Stop Connect Attempt"}));

TEST(LinkWindows, RetryLimitAndNoticeWindowsHaveTheirControls) {
    WindowRig w;
    EXPECT_EQ(w.tries.windowTitle(), QStringLiteral("Change Retry Limit"));
    ExpectControl(w.tries, {"lblRetryLimit", "Retry Limit:", ""});
    ExpectControl(w.tries, {"btnOK", "OK", ""});
    ExpectControl(w.tries, {"btnCancel", "Cancel", ""});
    EXPECT_NE(w.Find<QLineEdit>(w.tries, "txtConnectRetryLimit"), nullptr);
    EXPECT_EQ(w.timedOut.windowTitle(), QStringLiteral("Monitor Connection Timed Out"));
    ExpectControl(w.timedOut, {"lblNotice",
                               "The monitor is not responding. Make sure the monitor is connected "
                               "and turned on, then try again.",
                               ""});
    ExpectControl(w.timedOut, {"btnDismiss", "Dismiss This Window", ""});
}

TEST(LinkWindows, APortOptionClickOpensThatPortAndStartsAnAttempt) {
    WindowRig w;
    w.Find<QRadioButton>(w.connect, "optCommPort(2)")->click();
    EXPECT_EQ(w.rig.link.CommPort, 3);
    EXPECT_EQ(w.rig.port.lastOpenedPort, 3);
    EXPECT_TRUE(w.rig.ctl.Trying());
    EXPECT_TRUE(w.messages.empty());
}

TEST(LinkWindows, APortThatCannotBeOpenedShowsTheMessage) {
    WindowRig w;
    w.rig.port.failOpen = true;
    w.Find<QRadioButton>(w.connect, "optCommPort(1)")->click();
    EXPECT_EQ(w.messages, std::vector<std::string>{"Comm Port Error  on Com2 -> try another port"});
}

TEST(LinkWindows, EachPortShowsItsDeviceAndStoresADeviceTypedForIt) {
    WindowRig w;
    auto* com1 = w.Find<QComboBox>(w.connect, "cboDevice(0)");
    auto* com2 = w.Find<QComboBox>(w.connect, "cboDevice(1)");
    ASSERT_NE(com1, nullptr);
    EXPECT_EQ(com1->currentText(), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(com2->currentText(), QStringLiteral("/dev/ttyS1"));
    EXPECT_GE(com2->findText(QStringLiteral("/dev/ttyUSB0")), 0);
    EXPECT_TRUE(com2->isEditable());

    com2->setCurrentText(QStringLiteral("/dev/pts/7"));
    emit com2->lineEdit()->editingFinished();
    EXPECT_EQ(w.settings.Get("Ports", "Com2"), "/dev/pts/7");
    EXPECT_EQ(w.rig.port.openCount, 0);  // Com2 is not the port in use

    com1->setCurrentIndex(com1->findText(QStringLiteral("/dev/ttyACM0")));
    emit com1->activated(com1->currentIndex());
    EXPECT_EQ(w.settings.Get("Ports", "Com1"), "/dev/ttyACM0");
    EXPECT_EQ(w.rig.port.lastOpenedPort, 1);  // the port in use is opened on its new device
}

TEST(LinkWindows, AMissingDeviceIsMarkedBesideItsPortAndTheDevicesFoundAreListed) {
    WindowRig w;
    auto* com1State = w.Find<QLabel>(w.connect, "lblDeviceState(0)");
    auto* com2State = w.Find<QLabel>(w.connect, "lblDeviceState(1)");
    ASSERT_NE(com1State, nullptr);
    EXPECT_EQ(com1State->text(), QStringLiteral("not found"));  // /dev/ttyS0 is not there
    EXPECT_TRUE(com1State->toolTip().contains(QStringLiteral("/dev/ttyS0")));
    EXPECT_EQ(com2State->text(), QString());  // /dev/ttyS1 is
    EXPECT_EQ(w.Find<QLabel>(w.connect, "lblDevicesFound")->text(),
              QStringLiteral("Serial devices found: /dev/ttyUSB0, /dev/ttyACM0"));

    auto* com1 = w.Find<QComboBox>(w.connect, "cboDevice(0)");
    com1->setCurrentIndex(com1->findText(QStringLiteral("/dev/ttyUSB0")));
    emit com1->activated(com1->currentIndex());
    EXPECT_EQ(com1State->text(), QString());

    w.connect.SetDeviceLister([] { return QStringList{}; });
    EXPECT_EQ(w.Find<QLabel>(w.connect, "lblDevicesFound")->text(),
              QStringLiteral("No serial devices found on this computer; type the path of one."));
}

TEST(LinkWindows, ButtonsAndTheAutoReConnectBoxReachTheConnectionLogic) {
    WindowRig w;
    EXPECT_TRUE(w.Find<QCheckBox>(w.connect, "ckAutoReConnect")->isChecked());
    w.Find<QCheckBox>(w.connect, "ckAutoReConnect")->click();
    EXPECT_FALSE(w.rig.ctl.AutoReconnect());
    w.Find<QPushButton>(w.connect, "btnOK")->click();
    EXPECT_TRUE(w.rig.ctl.Trying());
    EXPECT_EQ(w.rig.tryingView.limit, "5");
    w.Find<QPushButton>(w.trying, "btnCancel")->click();
    EXPECT_FALSE(w.rig.ctl.Trying());
    w.Find<QPushButton>(w.trying, "btnChange")->click();
    EXPECT_TRUE(w.rig.changeView.shown);
    w.Find<QPushButton>(w.connect, "btnOffline")->click();
    EXPECT_EQ(w.rig.status.status, "No monitor");
}

TEST(LinkWindows, TheRetryLimitWindowAppliesAWholeNumberOrSaysWhy) {
    WindowRig w;
    auto* text = w.Find<QLineEdit>(w.tries, "txtConnectRetryLimit");
    text->setText(QStringLiteral("abc"));
    w.Find<QPushButton>(w.tries, "btnOK")->click();
    EXPECT_EQ(w.messages, std::vector<std::string>{RetryLimitRangeText});
    EXPECT_EQ(w.rig.link.ConnectRetryLimit, 5);
    text->setText(QStringLiteral("9"));
    w.Find<QPushButton>(w.tries, "btnOK")->click();
    EXPECT_EQ(w.rig.link.ConnectRetryLimit, 9);
    EXPECT_EQ(w.messages.size(), 1u);
}

TEST(LinkWindows, LabelsAndIndicatorShowWhatTheLogicSets) {
    WindowRig w;
    w.connect.SetStatusText("Trying port 4");
    EXPECT_EQ(w.Find<QLabel>(w.connect, "lbl1")->text(), QStringLiteral("Trying port 4"));
    w.connect.SetIndicatorOnline(true);
    EXPECT_TRUE(w.Find<QPushButton>(w.connect, "btnInd")->property("online").toBool());
    w.connect.SetSelectedPort(4);
    EXPECT_TRUE(w.Find<QRadioButton>(w.connect, "optCommPort(3)")->isChecked());
    EXPECT_EQ(w.rig.port.openCount, 0);  // marking the option runs no action
    w.trying.SetToGoText("3");
    EXPECT_EQ(w.Find<QLabel>(w.trying, "lblToGo")->text(), QStringLiteral("3"));
}

// The whole tool over a fake port: start-up, the first attempt, going online.
struct ToolRig {
    ToolRig() { app.Start(); }
    QMdiSubWindow* Frame(const char* name) {
        return app.MainWindow().findChild<QMdiSubWindow*>(QString::fromLatin1(name));
    }
    MemorySettingsStore settings;
    testing::VirtualClock clock;
    testing::FakeSerialPort port{&clock};
    Application app{ApplicationServices{&settings, &clock, &port}};
};

TEST(LinkInTheTool, StartUpShowsTheConnectionWindowsAndPingsTheMonitor) {
    ToolRig t;
    ASSERT_NE(t.Frame("frmConnectFrame"), nullptr);
    EXPECT_TRUE(t.Frame("frmConnectFrame")->isVisible());
    ASSERT_NE(t.Frame("frmTryingFrame"), nullptr);
    EXPECT_TRUE(t.Frame("frmTryingFrame")->isVisible());
    EXPECT_EQ(t.Frame("frmTryingFrame")->size(),
              QSize(TwipsToPixels(3825, LogicalDpiX(t.Frame("frmTryingFrame"))),
                    TwipsToPixels(1470, LogicalDpiY(t.Frame("frmTryingFrame")))));
    t.clock.Advance(100);
    EXPECT_EQ(t.port.WrittenTexts(), std::vector<std::string>{"p\r\n"});
    t.port.Receive("p\r\n#\r\n");
    t.clock.Advance(2000);
    EXPECT_TRUE(t.app.MainWindow().windowTitle().endsWith(QStringLiteral("Monitor on Com1")));
    EXPECT_FALSE(t.Frame("frmTryingFrame")->isVisible());
    t.clock.Advance(100);
    EXPECT_EQ(t.port.WrittenTexts().back(), "df\r\n");
}

TEST(LinkInTheTool, RunFromBootModeSendsGThroughTheQueue) {
    ToolRig t;
    t.clock.Advance(100);
    t.port.Receive("p\r\n$\r\n");
    t.clock.Advance(2000);
    QAction* run = t.app.MainWindow().Action(MenuCommand::MonitorRun);
    ASSERT_TRUE(run->isEnabled());
    run->trigger();
    t.clock.Advance(100);
    EXPECT_EQ(t.port.WrittenTexts().back(), "g\r\n");
}

TEST(LinkInTheTool, GoOfflineHidesBothWindowsAndShowsNoMonitor) {
    ToolRig t;
    t.app.MainWindow().Action(MenuCommand::MonitorOffline)->setEnabled(true);
    t.app.MainWindow().Action(MenuCommand::MonitorOffline)->trigger();
    EXPECT_FALSE(t.Frame("frmConnectFrame")->isVisible());
    EXPECT_FALSE(t.Frame("frmTryingFrame")->isVisible());
    EXPECT_TRUE(t.app.MainWindow().windowTitle().endsWith(QStringLiteral("No monitor")));
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
