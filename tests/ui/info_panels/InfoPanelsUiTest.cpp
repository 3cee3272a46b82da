#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "MemorySettingsStore.h"
#include "RecordingSink.h"
#include "core/data/MonitorData.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"
#include "ui/app/ChildWindow.h"
#include "ui/app/Twips.h"
#include "ui/panels/diagnostics/frmPeekPoke.h"
#include "ui/panels/info/InfoWindowLabels.h"
#include "ui/panels/info/frmCapability.h"
#include "ui/panels/info/frmID.h"
#include "ui/panels/info/frmOperatingTime.h"
#include "ui/panels/info/frmVersion.h"

namespace zorvex {
namespace {

using Commands = std::vector<std::string>;

// The windows inside a main window's MDI area, wired to the handlers as the tool wires them.
class InfoPanelsUi : public ::testing::Test {
  protected:
    InfoPanelsUi() {
        main.resize(1000, 800);
        main.setCentralWidget(area);
        main.show();
        labels = std::make_unique<InfoWindowLabels>(id, version, opTime);
        replies = std::make_unique<IdentificationReplies>(data, *labels);
        replies->Register(dispatcher);
        peekPokeReplies.Register(dispatcher);
    }

    // Every request ends with its line end.
    void TearDown() override { EXPECT_FALSE(sink.unterminated); }
    void Click(QWidget& in, const char* name) {
        QTest::mouseClick(&Find<QAbstractButton>(in, name), Qt::LeftButton);
    }

    template <class W>
    W& Find(QWidget& in, const char* name) {
        W* widget = in.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QString LabelText(QWidget& in, const char* name) { return Find<QLabel>(in, name).text(); }
    std::string Colours(frmCapability& w) {
        std::string lamps;
        for (int bit = 0; bit < 8; ++bit) {
            const QColor c = w.IndicatorColourOf(bit);
            lamps += c == QColor(0, 255, 0)       ? 'G'
                     : c == QColor(255, 0, 0)     ? 'R'
                     : c == QColor(192, 192, 192) ? '-'
                                                  : '?';
        }
        return lamps;
    }

    QMainWindow main;
    QMdiArea* area = new QMdiArea;
    testing::MemorySettingsStore settings;
    testing::RecordingSink sink;
    MonitorData data;
    ResponseDispatcher dispatcher;
    ChildWindow<frmID> id{*area, settings, ChildPlacement::OwnKeys(OwnKeyWindow::ID),
                          [this] { return new frmID(data, sink); }};
    ChildWindow<frmVersion> version{*area, settings, ChildPlacement::OwnKeys(OwnKeyWindow::Version),
                                    [this] { return new frmVersion(sink); }};
    ChildWindow<frmOperatingTime> opTime{*area, settings,
                                         ChildPlacement::OwnKeys(OwnKeyWindow::OpTime),
                                         [this] { return new frmOperatingTime(sink); }};
    ChildWindow<frmCapability> capability{*area, settings,
                                          ChildPlacement::Locations("frmCapability"),
                                          [this] { return new frmCapability(data); }};
    ChildWindow<frmPeekPoke> peekPoke{*area, settings,
                                      ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke),
                                      [this] { return new frmPeekPoke(sink); }};
    PeekPokeWindowBoxes peekPokeBoxes{peekPoke};
    PeekPokeReplies peekPokeReplies{peekPokeBoxes};
    std::unique_ptr<InfoWindowLabels> labels;
    std::unique_ptr<IdentificationReplies> replies;
};

TEST_F(InfoPanelsUi, VersionWindowAsksEachTimeItIsActivatedAndOnReRead) {
    const Commands ask = {"de", "df"};
    version.Show();
    EXPECT_EQ(sink.Take(), ask);
    Click(version.Get(), "btnReRead");
    EXPECT_EQ(sink.Take(), ask);
    capability.Show();
    area->setActiveSubWindow(version.SubWindow());
    EXPECT_EQ(sink.Take(), ask) << "turning back to it activates it";
    version.Show();
    EXPECT_EQ(sink.Take(), Commands{}) << "showing the window already in front asks nothing";
    Click(version.Get(), "btnOK");
    EXPECT_FALSE(version.IsVisible());
}

TEST_F(InfoPanelsUi, IdWindowFitsTheFamilyHidingOrShowingThePartRow) {
    data.FirmwareVersionNumber = 150;
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dm", "ds"}));
    frmID& w = id.Get();
    EXPECT_FALSE(Find<QLabel>(w, "lblPart").isVisible());
    const QRect done = Find<QPushButton>(w, "btnDone").geometry();
    EXPECT_TRUE(done.bottom() <= w.height() &&
                done.top() > Find<QLabel>(w, "lblSerial").geometry().bottom());
    id.Hide();
    data.FirmwareVersionNumber = 205;
    data.PartNumberSupported = true;
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dms", "dss", "dmu"}));
    EXPECT_TRUE(Find<QLabel>(w, "lblPart").isVisible());
    EXPECT_EQ(id.SubWindow()->height(), TwipsToPixels(9330, LogicalDpiY(&w)));
    // A maximised window stays maximised when activated again.
    id.SubWindow()->showMaximized();
    id.Hide();
    id.Show();
    EXPECT_EQ(id.SubWindow()->height(), area->viewport()->height());
}

TEST_F(InfoPanelsUi, ConfigurationWindowColoursOnActivationAndSendsNothing) {
    data.FirmwareVersionNumber = 310;
    dispatcher.Dispatch("dx\r\nCapability = 0x2D\r\n#");
    capability.Show();
    EXPECT_EQ(sink.Take(), Commands{});
    frmCapability& w = capability.Get();
    EXPECT_EQ(Colours(w), "GRGGRGRR");
    EXPECT_FALSE(Find<QLabel>(w, "lblNotice").isVisibleTo(&w));
    // A family that does not report its units says so, with grey lamps, when next activated.
    for (auto [version, notice] : {std::pair{300, "3.00"}, {1205, "12.05"}}) {
        capability.Hide();
        data.FirmwareVersionNumber = version;
        capability.Show();
        EXPECT_EQ(Colours(w), "--------");
        EXPECT_TRUE(Find<QLabel>(w, "lblNotice").isVisibleTo(&w));
        EXPECT_EQ(
            LabelText(w, "lblNotice").toStdString(),
            std::string("Firmware ") + notice + " does not report which units the monitor has.");
    }
}

TEST_F(InfoPanelsUi, AReplyFillsTheLabelOfAWindowWithoutShowingIt) {
    dispatcher.Dispatch("dss\r\nSerial Number = 7\r\n#");
    EXPECT_TRUE(id.Exists() && !id.IsVisible());
    EXPECT_EQ(LabelText(id.Get(), "lblSerial"), "7");
    EXPECT_EQ(sink.Take(), Commands{}) << "creating it hidden is no activation";
    labels->SetInfoLabel(InfoLabel::FirmwareVersion, "");
    EXPECT_FALSE(version.Exists()) << "blanking a label creates no window";
    dispatcher.Dispatch("df\r\nV 2.05\r\n#");
    EXPECT_FALSE(version.IsVisible());
    EXPECT_EQ(LabelText(version.Get(), "lblMonitorFirmwareVersionValue"), "V 2.05");
    // The operating time window, created by a reply, asks once while staying hidden, and
    // again when opened by its menu or re-read.
    labels->SetInfoLabel(InfoLabel::OperatingTime, "001:02:03:04");
    EXPECT_FALSE(opTime.IsVisible());
    EXPECT_EQ(LabelText(opTime.Get(), "lblOperatingTimeValue"), "001:02:03:04");
    EXPECT_EQ(sink.Take(), Commands{"dt"});
    opTime.Show();
    Click(opTime.Get(), "btnReRead");
    EXPECT_EQ(sink.Take(), (Commands{"dt", "dt"}));
}

TEST_F(InfoPanelsUi, PeekPokeButtonsSendTheBoxesAsTypedAndAnswersFillThem) {
    peekPoke.Show();
    frmPeekPoke& w = peekPoke.Get();
    w.AddressBox().setText("0x1F00");
    w.DataByteBox().setText("0x3c");
    for (const char* button :
         {"brnWriteAddr", "btnAddrUp", "btnAddrDown", "btnReadByte", "btnReadWord", "btnReadChar",
          "DataByteWriteButton", "DataWordWriteButton", "btnOK"}) {
        Click(w, button);
    }
    EXPECT_EQ(sink.Take(),
              (Commands{"a0x1F00", "a+", "a-", "rb", "rw", "rc", "wb0x3c", "ww0xXXXX"}));
    EXPECT_FALSE(peekPoke.IsVisible());
    dispatcher.Dispatch("a+\r\nAddr = 0x01ff\r\n#");
    dispatcher.Dispatch("rb\r\n01FF := 0x3c\r\n#");
    dispatcher.Dispatch("rc\r\n01FF 'A'\r\n#");
    EXPECT_FALSE(peekPoke.IsVisible());
    EXPECT_EQ((QStringList{w.AddressBox().text(), w.DataByteBox().text(), w.DataWordBox().text(),
                           w.DataCharBox().text()}),
              (QStringList{"0x01FF", "0x3C", "0xXXXX", "A"}));
    // From the keyboard: Enter in the address box goes there and reads; Esc closes.
    peekPoke.Show();
    QApplication::setActiveWindow(&main);
    QTest::keyClick(&w.AddressBox(), Qt::Key_Return);
    EXPECT_EQ(sink.Take(), (Commands{"a0x01FF", "rb"}));
    QTest::keyClick(&w.AddressBox(), Qt::Key_Escape);
    EXPECT_FALSE(peekPoke.IsVisible());
}

}  // namespace
}  // namespace zorvex
