#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

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

// The captions whose spelling the tool has always had, typos included.
TEST_F(InfoPanelsUi, WindowsHaveTheirCaptionsAndTips) {
    EXPECT_EQ(id.SubWindow()->windowTitle(), QStringLiteral("Model & Serial Numbers"));
    EXPECT_EQ(version.SubWindow()->windowTitle(), QStringLiteral("Version"));
    EXPECT_EQ(opTime.SubWindow()->windowTitle(), QStringLiteral("Operating Time"));
    EXPECT_EQ(capability.SubWindow()->windowTitle(), QStringLiteral("Monitor Configuration"));
    EXPECT_EQ(peekPoke.SubWindow()->windowTitle(), QStringLiteral("Peek & Poke"));
    EXPECT_EQ(Find<QPushButton>(id.Get(), "btnDone").toolTip(), "DIsmiss This Window");
    EXPECT_EQ(Find<QPushButton>(version.Get(), "btnOK").toolTip(), "Dismiss This Window");
    EXPECT_EQ(Find<QPushButton>(peekPoke.Get(), "btnOK").toolTip(), "Dismiss Thi Window");
    EXPECT_EQ(LabelText(opTime.Get(), "lblOperatingCyclsLabel"), "On-Off Cycles:");
    EXPECT_EQ(LabelText(version.Get(), "lblKVTFitVersionValue").toStdString(),
              "V " + std::to_string(ZORVEX_VERSION_MAJOR) + "." +
                  std::to_string(ZORVEX_VERSION_MINOR) + "." +
                  std::to_string(ZORVEX_VERSION_PATCH));
}

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
    version.Show();
    EXPECT_EQ(sink.Take(), ask);
}

TEST_F(InfoPanelsUi, IdWindowFitsTheFamilyHidingOrShowingThePartRow) {
    data.FirmwareVersionNumber = 150;
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dm", "ds"}));
    frmID& w = id.Get();
    EXPECT_FALSE(Find<QLabel>(w, "lblPart").isVisible());
    EXPECT_GE(id.SubWindow()->height(), TwipsToPixels(2250, LogicalDpiY(&w)));
    const QRect done = Find<QPushButton>(w, "btnDone").geometry();
    EXPECT_LE(done.bottom(), w.height());
    EXPECT_GT(done.top(), Find<QLabel>(w, "lblSerial").geometry().bottom());

    id.Hide();
    data.FirmwareVersionNumber = 205;
    data.PartNumberSupported = true;
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dms", "dss", "dmu"}));
    EXPECT_TRUE(Find<QLabel>(w, "lblPart").isVisible());
    EXPECT_EQ(id.SubWindow()->height(), TwipsToPixels(9330, LogicalDpiY(id.SubWindow())));
    // A maximised window stays maximised when activated again.
    id.SubWindow()->showMaximized();
    id.Hide();
    sink.Take();
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dms", "dss", "dmu"}));
    EXPECT_EQ(id.SubWindow()->height(), area->viewport()->height());
}

TEST_F(InfoPanelsUi, ConfigurationWindowColoursOnActivationAndSendsNothing) {
    data.FirmwareVersionNumber = 310;
    dispatcher.Dispatch("dx\r\nCapability = 0x2D\r\n#");
    capability.Show();
    EXPECT_EQ(sink.Take(), Commands{});
    frmCapability& w = capability.Get();
    const QColor green(0, 255, 0);
    const QColor red(255, 0, 0);
    const bool expected[] = {true, false, true, true, false, true, false, false};
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(w.IndicatorColourOf(bit), expected[bit] ? green : red) << bit;
    }
    EXPECT_FALSE(Find<QLabel>(w, "lblNotice").isVisibleTo(&w));
    // A family that does not report its units says so, with grey lamps, when next activated.
    capability.Hide();
    data.FirmwareVersionNumber = 300;
    capability.Show();
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(w.IndicatorColourOf(bit), QColor(192, 192, 192)) << bit;
    }
    EXPECT_TRUE(Find<QLabel>(w, "lblNotice").isVisibleTo(&w));
    EXPECT_EQ(LabelText(w, "lblNotice"),
              QStringLiteral("Firmware 3.00 does not report which units the monitor has."));
}

TEST_F(InfoPanelsUi, AReplyFillsTheLabelOfAWindowWithoutShowingIt) {
    dispatcher.Dispatch("dss\r\nSerial Number = 7\r\n#");
    ASSERT_TRUE(id.Exists());
    EXPECT_FALSE(id.IsVisible());
    EXPECT_EQ(LabelText(id.Get(), "lblSerial"), QStringLiteral("7"));
    EXPECT_EQ(sink.Take(), Commands{}) << "creating it hidden is no activation";
    // Blanking the version labels creates no window.
    labels->SetInfoLabel(InfoLabel::FirmwareVersion, "");
    EXPECT_FALSE(version.Exists());
    dispatcher.Dispatch("df\r\nV 2.05\r\n#");
    EXPECT_FALSE(version.IsVisible());
    EXPECT_EQ(LabelText(version.Get(), "lblMonitorFirmwareVersionValue"), QStringLiteral("V 2.05"));
    labels->SetInfoLabel(InfoLabel::FirmwareVersion, "");
    EXPECT_EQ(LabelText(version.Get(), "lblMonitorFirmwareVersionValue"), QString());
    // The operating time window, created by a reply, asks once while staying hidden.
    labels->SetInfoLabel(InfoLabel::OperatingTime, "001:02:03:04");
    EXPECT_FALSE(opTime.IsVisible());
    EXPECT_EQ(LabelText(opTime.Get(), "lblOperatingTimeValue"), QStringLiteral("001:02:03:04"));
    EXPECT_EQ(sink.Take(), Commands{"dt"});
    // Opened later by its menu, it asks for the time as of now.
    opTime.Show();
    EXPECT_EQ(sink.Take(), Commands{"dt"});
    Click(opTime.Get(), "btnReRead");
    EXPECT_EQ(sink.Take(), Commands{"dt"});
}

TEST_F(InfoPanelsUi, PeekPokeButtonsSendTheBoxesAsTypedAndAnswersFillThem) {
    peekPoke.Show();
    frmPeekPoke& w = peekPoke.Get();
    w.AddressBox().setText(QStringLiteral("0x1F00"));
    w.DataByteBox().setText(QStringLiteral("0x3c"));
    for (const char* button :
         {"brnWriteAddr", "btnAddrUp", "btnAddrDown", "btnReadByte", "btnReadWord", "btnReadChar",
          "DataByteWriteButton", "DataWordWriteButton"}) {
        Click(w, button);
    }
    EXPECT_EQ(sink.Take(),
              (Commands{"a0x1F00", "a+", "a-", "rb", "rw", "rc", "wb0x3c", "ww0xXXXX"}));
    Click(w, "btnOK");
    EXPECT_FALSE(peekPoke.IsVisible());

    dispatcher.Dispatch("a+\r\nAddr = 0x01ff\r\n#");
    dispatcher.Dispatch("rb\r\n01FF := 0x3c\r\n#");
    dispatcher.Dispatch("rc\r\n01FF 'A'\r\n#");
    EXPECT_FALSE(peekPoke.IsVisible());
    EXPECT_EQ(w.AddressBox().text(), QStringLiteral("0x01FF"));
    EXPECT_EQ(w.DataByteBox().text(), QStringLiteral("0x3C"));
    EXPECT_EQ(w.DataWordBox().text(), QStringLiteral("0xXXXX"));
    EXPECT_EQ(w.DataCharBox().text(), QStringLiteral("A"));
    // From the keyboard: Enter in the address box goes there and reads; Esc closes.
    peekPoke.Show();
    QApplication::setActiveWindow(&main);
    QTest::keyClick(&w.AddressBox(), Qt::Key_Return);
    EXPECT_EQ(sink.Take(), (Commands{"a0x01FF", "rb"}));
    QTest::keyClick(&w.AddressBox(), Qt::Key_Escape);
    EXPECT_FALSE(peekPoke.IsVisible());
}

// Every window opens at least as large as its content, also where the stored or default
// size in twips is smaller, so nothing is clipped.
TEST_F(InfoPanelsUi, EveryWindowOpensWithItsContentUnclipped) {
    std::vector<ChildWindowSlot*> windows = {&id, &version, &opTime, &capability, &peekPoke};
    for (ChildWindowSlot* window : windows) {
        window->Show();
        QApplication::processEvents();
        QWidget* content = window->Widget();
        EXPECT_GE(content->width(), content->minimumSizeHint().width())
            << content->objectName().toStdString();
        EXPECT_GE(content->height(), content->minimumSizeHint().height())
            << content->objectName().toStdString();
    }
}

}  // namespace
}  // namespace zorvex
