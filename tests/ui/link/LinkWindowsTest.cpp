#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "../../core/link/CommLogFixture.h"
#include "../../core/link/LinkRig.h"
#include "../app/StartedTool.h"
#include "core/link/SerialPortMap.h"
#include "ui/link/frmChangeTries.h"
#include "ui/link/frmCommLog.h"
#include "ui/link/frmConnect.h"
#include "ui/link/frmTrying.h"

namespace zorvex::testing {
namespace {

struct WindowHarness : CommLogHarness {
    std::unique_ptr<frmCommLog> window;

    WindowHarness() {
        clock.now = {2001, 6, 14, 9, 5, 7};
        window = std::make_unique<frmCommLog>(Build());
        window->show();
    }
    template <class W = QPushButton>
    W* Find(const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* Text() { return Find<QPlainTextEdit>("txtCommLog"); }
};

TEST(CommLogWindow, EveryKeyButEnterIsTheMonitorsCopyIsOnCtrlShiftAndLogToFileOffersAName) {
    WindowHarness h;
    h.Receive("df\r\n#");
    h.window->CatchUp();
    QApplication::clipboard()->clear();
    QTest::keyClick(h.Text(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(h.Text(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "df\n#");
    EXPECT_TRUE(h.port.writes.empty());  // copying sends nothing
    for (Qt::Key key : {Qt::Key_C, Qt::Key_A, Qt::Key_X}) {
        QTest::keyClick(h.Text(), key, Qt::ControlModifier);
    }
    EXPECT_EQ(h.port.WrittenTexts(), (std::vector<std::string>{"\x03", "\x01", "\x18"}));
    // Log to file offers the proposed name and opens the chosen file.
    QString offered, choice;  // empty: cancelled
    h.window->SetFileChooser([&](const QString& proposed) { return offered = proposed, choice; });
    QTest::mouseClick(h.Find("BtnLogFile"), Qt::LeftButton);
    EXPECT_EQ(offered, "Zorvex_LogFile_6_14_2001_9_5_7");
    EXPECT_TRUE(h.files.files.empty());
    choice = "chosen.mcl";
    QTest::mouseClick(h.Find("BtnLogFile"), Qt::LeftButton);
    // Which of the file log's controls can be used, and whether it is open.
    EXPECT_EQ((std::vector{h.Find("BtnLogFile")->isEnabled(), h.Find("btnEndFileLog")->isEnabled(),
                           h.Find<QCheckBox>("ckFileEnabled")->isChecked(), h.log->FileLogOpen()}),
              (std::vector{false, true, false, true}));
}

// The windows over the connection logic with a fake port and virtual time.
struct WindowRig {
    WindowRig() {
        connect.SetDeviceLister([this] {
            return ++listings, QStringList{"/dev/ttyUSB0", "/dev/ttyACM0"};
        });
        // Sees only the one listing of the refresh, as the real check does.
        connect.SetDeviceChecker([](const QString& device, const QStringList& listed) {
            return listed.contains(device) || device == "/dev/ttyS1";
        });
        connect.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        tries.SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
        rig.port.lastOpenedPort = 0;
    }
    template <class T>
    T* Row(const char* name, int row) {
        return connect.findChild<T*>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(row));
    }
    // Types a device for a port, then returns the stored one and the row's state.
    std::string Type(int row, const QString& device) {
        auto* box = Row<QComboBox>("cboDevice", row);
        box->setCurrentText(device);
        emit box->lineEdit()->editingFinished();
        return settings.Get("Ports", "Com" + std::to_string(row + 1)) + " " + State(row);
    }
    std::string State(int row) { return Row<QLabel>("lblDeviceState", row)->text().toStdString(); }

    testing::LinkRig rig;
    testing::MemorySettingsStore settings;
    SerialPortMap map{settings, DeviceNaming::Posix};
    frmConnect connect{rig.ctl, map};
    frmChangeTries tries{rig.ctl};
    std::vector<std::string> messages;
    int listings = 0;
};

TEST(LinkWindows, EachPortShowsItsDeviceMarksAMissingOneAndStoresADeviceChosenForIt) {
    WindowRig w;
    auto *com1 = w.Row<QComboBox>("cboDevice", 0), *com2 = w.Row<QComboBox>("cboDevice", 1);
    EXPECT_EQ(com1->currentText() + " " + com2->currentText(), "/dev/ttyS0 /dev/ttyS1");
    EXPECT_GE(com2->findText("/dev/ttyUSB0"), 0);
    EXPECT_EQ(w.State(0) + "," + w.State(1), "not found,");  // only /dev/ttyS1 is there
    EXPECT_EQ(w.listings, 1) << "one listing serves all eight rows";

    EXPECT_EQ(w.Type(1, "/dev/pts/7"), "/dev/pts/7 not found");
    EXPECT_EQ(w.rig.port.openCount, 0);  // Com2 is not the port in use
    // A malformed network port is told and kept in the box to mend, but not stored.
    EXPECT_EQ(w.Type(1, "socket://127.0.0.1:70000"), "/dev/pts/7 not valid");
    EXPECT_NE(w.messages.at(0).find("from 1 to 65535"), std::string::npos) << w.messages[0];
    EXPECT_EQ(w.Type(1, "rfc2217://127.0.0.1:4001"), "rfc2217://127.0.0.1:4001 ");

    com1->setCurrentIndex(com1->findText("/dev/ttyACM0"));
    emit com1->activated(com1->currentIndex());
    EXPECT_EQ(w.settings.Get("Ports", "Com1") + " " + w.State(0), "/dev/ttyACM0 ");
    EXPECT_EQ(w.rig.port.lastOpenedPort, 1);  // the port in use is opened on its new device
}

TEST(LinkWindows, TheRetryLimitWindowAppliesAWholeNumberOrSaysWhy) {
    WindowRig w;
    auto* text = w.tries.findChild<QLineEdit*>("txtConnectRetryLimit");
    for (const char* typed : {"abc", "9"}) {
        text->setText(typed);
        w.tries.findChild<QPushButton*>("btnOK")->click();
    }
    EXPECT_EQ(w.messages, std::vector<std::string>{RetryLimitRangeText});
    EXPECT_EQ(w.rig.link.ConnectRetryLimit, 9);
}

// Whether its texts come before it is shown or while it is, no scroll bar cuts them.
TEST(LinkWindows, TheAttemptWindowWidensToItsTexts) {
    for (int c = 0; c < 4; ++c) {
        const bool textsFirst = c < 2;
        WindowRig w;
        QMdiArea area;
        area.resize(900, 600);
        area.show();
        ChildWindow<frmTrying> trying(area, w.settings, ChildPlacement::Locations("frmTrying"),
                                      [&] { return new frmTrying(w.rig.ctl); });
        const auto set = [&](const std::string& text) {
            c % 2 == 0 ? trying.Get().SetToGoText(text) : trying.Get().SetLimitText(text);
        };
        const std::string wide = "no limit, as the window's own size has no room for";
        set(textsFirst ? wide : "5");
        trying.Show();
        if (!textsFirst) {
            set(wide);
        }
        EXPECT_GE(trying.Get().width(), trying.Get().minimumSizeHint().width()) << c;
    }
}

// The whole tool over a fake port: start-up, the first attempt, going online.
TEST(LinkInTheTool, StartUpShowsTheConnectionWindowsRunFromBootModeSendsGAndOfflineHides) {
    testing::StartedTool tool({{"frmMainWidth", "15360"}, {"frmMainHeight", "10800"}});
    auto* trying = tool.Find<QMdiSubWindow>("frmTryingFrame");
    auto* connect = tool.Find<QMdiSubWindow>("frmConnectFrame");
    EXPECT_TRUE(trying->isVisible() && connect->isVisible() &&
                !trying->geometry().intersects(connect->geometry()));
    auto* toGo = trying->findChild<QLabel*>("lblToGo");
    EXPECT_EQ(toGo->text(), NoLimitText);
    QWidget* content = tool.Find("frmTrying");  // "no limit" is not cut by a scroll bar
    EXPECT_GE(content->width(), content->minimumSizeHint().width());
    tool.clock.Advance(100);
    tool.port.Receive("p\r\n$\r\n");
    tool.clock.Advance(2000);
    EXPECT_TRUE(tool.Main().windowTitle().contains("BOOT MODE"));
    EXPECT_TRUE(tool.Find<QAction>("mnuMonitorOffline")->isEnabled());  // it can be left
    tool.Trigger("mnuMonitorRun");
    tool.clock.Advance(100);
    EXPECT_EQ(tool.port.WrittenTexts().back(), "g\r\n");
    tool.port.Receive("g\r\nStarting monitor firmware\r\n#\r\n");  // the caption follows it
    EXPECT_TRUE(tool.Main().windowTitle().endsWith("Monitor on Com1"));
    connect->show();
    tool.Trigger("mnuMonitorOffline");
    EXPECT_FALSE(connect->isVisible() || trying->isVisible());
    // Clicked after the connection window, the attempt window starts an attempt anew.
    tool.Find<QCheckBox>("ckAutoReConnect")->setChecked(false);
    tool.Trigger("mnuMonitorOnline");
    connect->findChild<QPushButton*>("btnOK")->click();
    tool.clock.Advance(2000);
    EXPECT_EQ(toGo->text(), "4");
    tool.Main().MdiArea().setActiveSubWindow(connect);
    tool.Main().MdiArea().setActiveSubWindow(trying);
    EXPECT_EQ(toGo->text(), "5");
}

}  // namespace
}  // namespace zorvex::testing
