#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "../app/StartedTool.h"
#include "ui/panels/diagnostics/frmPeekPoke.h"
#include "ui/panels/info/frmCapability.h"

namespace zorvex {
namespace {

using Commands = std::vector<std::string>;

// The tool waiting for the answer to its first ping, so every request stays in the queue.
struct InfoTool : testing::StartedTool {
    InfoTool() { clock.Advance(100); }
    // The requests queued since last asked.
    Commands Asked() {
        Commands asked;
        const std::string& queued = app->Queue().Pending();
        for (std::size_t end; (end = queued.find("\r\n", taken)) != std::string::npos;
             taken = end + 2) {
            asked.push_back(queued.substr(taken, end - taken));
        }
        return asked;
    }
    QWidget& Window(const char* name) { return *Find(name); }
    QMdiSubWindow& Frame(const char* name) { return *Find<QMdiSubWindow>(name); }
    QString Label(const char* window, const char* name) {
        return Window(window).findChild<QLabel*>(name)->text();
    }
    void Click(const char* window, const char* name) {
        QTest::mouseClick(Window(window).findChild<QAbstractButton*>(name), Qt::LeftButton);
    }
    std::size_t taken = 0;
};

TEST(InfoWindows, VersionAsksEachTimeItIsActivatedAndOnReRead) {
    InfoTool t;
    // Opened, re-read, then turned back to from another window.
    t.Trigger("mnuInfoVersion");
    t.Click("frmVersion", "btnReRead");
    t.Trigger("mnuInfoConfiguration");
    t.Main().MdiArea().setActiveSubWindow(&t.Frame("frmVersionFrame"));
    EXPECT_EQ(t.Asked(), (Commands{"de", "df", "de", "df", "de", "df"}));
    t.Trigger("mnuInfoVersion");
    EXPECT_EQ(t.Asked(), Commands{}) << "showing the window already in front asks nothing";
    t.Click("frmVersion", "btnOK");
    EXPECT_FALSE(t.Frame("frmVersionFrame").isVisible());
}

TEST(InfoWindows, IdFitsTheFamilyHidingOrShowingThePartRow) {
    InfoTool t;
    t.app->Data().FirmwareVersionNumber = 150;
    t.Trigger("mnuInfoID");
    EXPECT_EQ(t.Asked(), (Commands{"dm", "ds"}));
    QWidget& w = t.Window("frmID");
    EXPECT_FALSE(w.findChild<QLabel*>("lblPart")->isVisible());
    const QRect done = w.findChild<QWidget*>("btnDone")->geometry();
    EXPECT_TRUE(done.bottom() <= w.height() && done.top() > w.findChild<QLabel*>("lblSerial")->y());
    t.Frame("frmIDFrame").close();
    t.app->Data().FirmwareVersionNumber = 205;
    t.app->Data().PartNumberSupported = true;
    t.Trigger("mnuInfoID");
    EXPECT_EQ(t.Asked(), (Commands{"dms", "dss", "dmu"}));
    EXPECT_TRUE(w.findChild<QLabel*>("lblPart")->isVisible());
}

// The lamps by the first digit of their colour: 0 green, f red, c grey.
TEST(InfoWindows, ConfigurationColoursOnActivationAndSendsNothing) {
    InfoTool t;
    t.app->Data().FirmwareVersionNumber = 310;
    t.app->Dispatcher().Dispatch("dx\r\nCapability = 0x2D\r\n#");
    t.Trigger("mnuInfoConfiguration");
    EXPECT_EQ(t.Asked(), Commands{});
    auto& w = static_cast<frmCapability&>(t.Window("frmCapability"));
    auto lamps = [&] {
        QString seen;
        for (int bit = 0; bit < 8; ++bit) {
            seen += w.IndicatorColourOf(bit).name().at(1);
        }
        auto* notice = w.findChild<QLabel*>("lblNotice");
        return seen + " " + (notice->isVisibleTo(&w) ? notice->text() : "");
    };
    EXPECT_EQ(lamps(), "0f00f0ff ");
    // A family that does not report its units says so, with grey lamps, when next activated.
    t.Frame("frmCapabilityFrame").close();
    t.app->Data().FirmwareVersionNumber = 300;
    t.Trigger("mnuInfoConfiguration");
    EXPECT_EQ(lamps(), "cccccccc Firmware 3.00 does not report which units the monitor has.");
}

TEST(InfoWindows, AReplyFillsTheLabelOfAWindowWithoutShowingIt) {
    InfoTool t;
    t.app->Labels().SetInfoLabel(InfoLabel::FirmwareVersion, "");
    EXPECT_EQ(t.Find("frmVersion"), nullptr) << "blanking a label creates no window";
    for (const char* reply : {"dss\r\nSerial Number = 7\r\n#", "df\r\nV 2.05\r\n#"}) {
        t.app->Dispatcher().Dispatch(reply);
    }
    EXPECT_EQ(t.Label("frmID", "lblSerial") + " " +
                  t.Label("frmVersion", "lblMonitorFirmwareVersionValue"),
              "7 V 2.05");
    EXPECT_FALSE(t.Frame("frmIDFrame").isVisible() || t.Frame("frmVersionFrame").isVisible());
    EXPECT_EQ(t.Asked(), Commands{}) << "creating them hidden is no activation";
    // The operating time window, created by a reply, asks once while staying hidden, and
    // again when opened by its menu or re-read.
    t.app->Labels().SetInfoLabel(InfoLabel::OperatingTime, "001:02:03:04");
    EXPECT_FALSE(t.Frame("frmOperatingTimeFrame").isVisible());
    EXPECT_EQ(t.Label("frmOperatingTime", "lblOperatingTimeValue"), "001:02:03:04");
    EXPECT_EQ(t.Asked(), Commands{"dt"});
    t.Trigger("mnuInfoOperatingHours");
    t.Click("frmOperatingTime", "btnReRead");
    EXPECT_EQ(t.Asked(), (Commands{"dt", "dt"}));
}

TEST(InfoWindows, PeekPokeButtonsSendTheBoxesAsTypedAndAnswersFillThem) {
    InfoTool t;
    t.Trigger("mnuDiagnosticsPeek");
    auto& w = static_cast<frmPeekPoke&>(t.Window("frmPeekPoke"));
    w.AddressBox().setText("0x1F00");
    w.DataByteBox().setText("0x3c");
    for (const char* button :
         {"brnWriteAddr", "btnAddrUp", "btnAddrDown", "btnReadByte", "btnReadWord", "btnReadChar",
          "DataByteWriteButton", "DataWordWriteButton", "btnOK"}) {
        t.Click("frmPeekPoke", button);
    }
    EXPECT_EQ(t.Asked(), (Commands{"a0x1F00", "a+", "a-", "rb", "rw", "rc", "wb0x3c", "ww0xXXXX"}));
    for (const char* answer :
         {"a+\r\nAddr = 0x01ff\r\n#", "rb\r\n01FF := 0x3c\r\n#", "rc\r\n01FF 'A'\r\n#"}) {
        t.app->Dispatcher().Dispatch(answer);
    }
    EXPECT_FALSE(t.Frame("frmPeekPokeFrame").isVisible());
    EXPECT_EQ((QStringList{w.AddressBox().text(), w.DataByteBox().text(), w.DataWordBox().text(),
                           w.DataCharBox().text()}),
              (QStringList{"0x01FF", "0x3C", "0xXXXX", "A"}));
    // From the keyboard: Enter in the address box goes there and reads; Esc closes.
    t.Trigger("mnuDiagnosticsPeek");
    QApplication::setActiveWindow(&t.Main());
    QTest::keyClick(&w.AddressBox(), Qt::Key_Return);
    EXPECT_EQ(t.Asked(), (Commands{"a0x01FF", "rb"}));
    QTest::keyClick(&w.AddressBox(), Qt::Key_Escape);
    EXPECT_FALSE(t.Frame("frmPeekPokeFrame").isVisible());
}

}  // namespace
}  // namespace zorvex
