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

class RecordingSink : public CommandSink {
  public:
    void QueueCommand(const std::string& text) override { sent.push_back(text); }
    Commands Take() { return std::exchange(sent, {}); }
    Commands sent;
};

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
    RecordingSink sink;
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

struct ControlText {
    const char* name;
    const char* text;
    const char* tip;  // nullptr: no tip
};

void ExpectControls(QWidget& window, const std::vector<ControlText>& controls) {
    for (const ControlText& c : controls) {
        QWidget* w = window.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->text(), QString::fromLatin1(c.text)) << c.name;
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(button->text(), QString::fromLatin1(c.text)) << c.name;
        } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(box->text(), QString::fromLatin1(c.text)) << c.name;
        }
        EXPECT_EQ(w->toolTip(), QString::fromLatin1(c.tip ? c.tip : "")) << c.name;
    }
}

TEST_F(InfoPanelsUi, IdWindowHasItsCaptionLabelsAndDoneButton) {
    frmID& w = id.Get();
    EXPECT_EQ(id.SubWindow()->windowTitle(), QStringLiteral("Model & Serial Numbers"));
    ExpectControls(w, {{"lblModelLabel", "Model Number:", nullptr},
                       {"lblModel", "", nullptr},
                       {"lblSerialLabel", "Serial Number:", nullptr},
                       {"lblSerial", "", nullptr},
                       {"lblPartLabel", "Part Number:", nullptr},
                       {"lblPart", "", nullptr},
                       {"btnDone", "Done", "DIsmiss This Window"}});
}

TEST_F(InfoPanelsUi, VersionWindowShowsTheToolsOwnVersion) {
    frmVersion& w = version.Get();
    EXPECT_EQ(version.SubWindow()->windowTitle(), QStringLiteral("Version"));
    const std::string tool = "V " + std::to_string(ZORVEX_VERSION_MAJOR) + "." +
                             std::to_string(ZORVEX_VERSION_MINOR) + "." +
                             std::to_string(ZORVEX_VERSION_PATCH);
    ExpectControls(w, {{"lblFirmwareVersion", "Monitor Firmware Version:", nullptr},
                       {"lblEpromVersion", "Monitor EPROM Version:", nullptr},
                       {"lblKVTFit", "Zorvex Version:", nullptr},
                       {"lblKVTFitVersionValue", tool.c_str(), nullptr},
                       {"btnReRead", "ReRead", nullptr},
                       {"btnOK", "OK", "Dismiss This Window"}});
    Find<QLabel>(w, "lblMonitorFirmwareVersionValue");
    Find<QLabel>(w, "lblMonitorEpromVersionValue");
}

TEST_F(InfoPanelsUi, OperatingTimeAndConfigurationWindowsHaveTheirControls) {
    ExpectControls(opTime.Get(), {{"lblOperatingTimeLabel", "Operating Time:", nullptr},
                                  {"lblOperatingTimeUnitsLabel", "ddd:hh:mm:ss", nullptr},
                                  {"lblOperatingCyclsLabel", "On-Off Cycles:", nullptr},
                                  {"lblOperatingTimeValue", "", nullptr},
                                  {"lblOperatingCyclesValue", "", nullptr},
                                  {"btnReRead", "ReRead", nullptr},
                                  {"btnOK", "OK", nullptr}});
    EXPECT_EQ(opTime.SubWindow()->windowTitle(), QStringLiteral("Operating Time"));
    ExpectControls(capability.Get(), {{"btnLVPS", "", nullptr},
                                      {"btnPwrDist", "", nullptr},
                                      {"btnVideo", "", nullptr},
                                      {"btnDeflection", "", nullptr},
                                      {"btnNS", "", nullptr},
                                      {"btnConvergence", "", nullptr},
                                      {"btnG2", "", nullptr},
                                      {"btnExpLEDs", "", nullptr},
                                      {"lblNS", "North - South Correction", nullptr},
                                      {"lblExpLEDs", "Expansion LEDs", nullptr},
                                      {"btnDone", "Done", nullptr}});
    EXPECT_EQ(capability.SubWindow()->windowTitle(), QStringLiteral("Monitor Configuration"));
}

TEST_F(InfoPanelsUi, PeekPokeWindowHasItsRowsButtonsAndTips) {
    EXPECT_EQ(peekPoke.SubWindow()->windowTitle(), QStringLiteral("Peek & Poke"));
    ExpectControls(peekPoke.Get(),
                   {{"AddressLabel", "Address (Hex)", nullptr},
                    {"AddressBox", "0x", nullptr},
                    {"brnWriteAddr", "Set Address", "Load the PeekPoke Address Register"},
                    {"btnAddrUp", "", nullptr},
                    {"btnAddrDown", "", nullptr},
                    {"DataByteLabel", "Data Byte (Hex)", nullptr},
                    {"DataByteBox", "0xXX", nullptr},
                    {"btnReadByte", "Read", nullptr},
                    {"DataByteWriteButton", "Write", nullptr},
                    {"DataWordLabel", "Data Word (Hex)", nullptr},
                    {"DataWordBox", "0xXXXX", nullptr},
                    {"btnReadWord", "Read", nullptr},
                    {"DataWordWriteButton", "Write", nullptr},
                    {"lblDataChar", "Data Char", nullptr},
                    {"txtDataChar", "", nullptr},
                    {"btnReadChar", "Read", nullptr},
                    {"btnOK", "OK", "Dismiss Thi Window"}});
}

TEST_F(InfoPanelsUi, VersionWindowAsksEachTimeItIsShownAndOnReRead) {
    version.Show();
    EXPECT_EQ(sink.Take(), (Commands{"de\r\n", "df\r\n"}));
    QTest::mouseClick(&Find<QPushButton>(version.Get(), "btnReRead"), Qt::LeftButton);
    EXPECT_EQ(sink.Take(), (Commands{"de\r\n", "df\r\n"}));
    QTest::mouseClick(&Find<QPushButton>(version.Get(), "btnOK"), Qt::LeftButton);
    EXPECT_FALSE(version.IsVisible());
    EXPECT_TRUE(sink.sent.empty());
    version.Show();
    EXPECT_EQ(sink.Take(), (Commands{"de\r\n", "df\r\n"}));
}

TEST_F(InfoPanelsUi, TurningBackToAWindowFromAnotherActivatesItAgain) {
    version.Show();
    capability.Show();
    sink.Take();
    area->setActiveSubWindow(version.SubWindow());
    EXPECT_EQ(sink.Take(), (Commands{"de\r\n", "df\r\n"}));
    // Showing the window that is already in front asks nothing new.
    version.Show();
    EXPECT_TRUE(sink.sent.empty());
}

TEST_F(InfoPanelsUi, IdWindowOfTheSecondFamilyAsksForPartNumberAndGrowsTall) {
    data.FirmwareVersionNumber = 205;
    data.PartNumberSupported = true;
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dms\r\n", "dss\r\n", "dmu\r\n"}));
    EXPECT_TRUE(Find<QLabel>(id.Get(), "lblPart").isVisible());
    EXPECT_TRUE(Find<QLabel>(id.Get(), "lblPartLabel").isVisible());
    EXPECT_EQ(id.SubWindow()->height(), TwipsToPixels(9330, LogicalDpiY(id.SubWindow())));
}

TEST_F(InfoPanelsUi, IdWindowOfTheFirstFamilyHidesThePartRowAndKeepsDoneInside) {
    data.FirmwareVersionNumber = 150;
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dm\r\n", "ds\r\n"}));
    frmID& w = id.Get();
    EXPECT_FALSE(Find<QLabel>(w, "lblPart").isVisible());
    EXPECT_FALSE(Find<QLabel>(w, "lblPartLabel").isVisible());
    const int wanted = TwipsToPixels(2250, LogicalDpiY(&w));
    EXPECT_GE(id.SubWindow()->height(), wanted);
    const QRect done = Find<QPushButton>(w, "btnDone").geometry();
    EXPECT_LE(done.bottom(), w.height());
    EXPECT_GT(done.top(), Find<QLabel>(w, "lblSerial").geometry().bottom());
}

TEST_F(InfoPanelsUi, AMaximisedIdWindowStaysMaximisedWhenActivated) {
    data.FirmwareVersionNumber = 205;
    data.PartNumberSupported = true;
    id.Show();
    id.SubWindow()->showMaximized();
    id.Hide();
    sink.Take();
    id.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dms\r\n", "dss\r\n", "dmu\r\n"}));
    EXPECT_TRUE(id.SubWindow()->isMaximized());
    EXPECT_EQ(id.SubWindow()->height(), area->viewport()->height());
}

TEST_F(InfoPanelsUi, IdWindowWithoutAFirmwareVersionAsksNothing) {
    id.Show();
    EXPECT_TRUE(sink.sent.empty());
}

TEST_F(InfoPanelsUi, OperatingTimeAsksOnceOnFirstShowingAndAgainWhenShownLater) {
    opTime.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dt\r\n"}));
    opTime.Hide();
    opTime.Show();
    EXPECT_EQ(sink.Take(), (Commands{"dt\r\n"}));
    QTest::mouseClick(&Find<QPushButton>(opTime.Get(), "btnReRead"), Qt::LeftButton);
    EXPECT_EQ(sink.Take(), (Commands{"dt\r\n"}));
}

TEST_F(InfoPanelsUi, ConfigurationWindowColoursOnActivationAndSendsNothing) {
    data.FirmwareVersionNumber = 310;
    dispatcher.Dispatch("dx\r\nCapability = 0x2D\r\n#");
    capability.Show();
    EXPECT_TRUE(sink.sent.empty());
    frmCapability& w = capability.Get();
    const QColor green(0, 255, 0);
    const QColor red(255, 0, 0);
    const bool expected[] = {true, false, true, true, false, true, false, false};
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(w.IndicatorColourOf(bit), expected[bit] ? green : red) << bit;
    }
    // A family that does not report its units shows all red when next activated.
    capability.Hide();
    data.FirmwareVersionNumber = 300;
    capability.Show();
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(w.IndicatorColourOf(bit), red) << bit;
    }
}

TEST_F(InfoPanelsUi, AReplyFillsTheLabelOfAWindowNeverShownWithoutShowingIt) {
    dispatcher.Dispatch("dss\r\nSerial Number = 7\r\n#");
    ASSERT_TRUE(id.Exists());
    EXPECT_FALSE(id.IsVisible());
    EXPECT_EQ(LabelText(id.Get(), "lblSerial"), QStringLiteral("7"));
    EXPECT_TRUE(sink.sent.empty());  // creating it hidden is no activation
    dispatcher.Dispatch("df\r\nV 2.05\r\n#");
    EXPECT_FALSE(version.IsVisible());
    EXPECT_EQ(LabelText(version.Get(), "lblMonitorFirmwareVersionValue"), QStringLiteral("V 2.05"));
    EXPECT_TRUE(sink.sent.empty());
    // The value is there when the window is opened.
    id.Show();
    EXPECT_EQ(LabelText(id.Get(), "lblSerial"), QStringLiteral("7"));
}

TEST_F(InfoPanelsUi, AReplyIntoAHiddenWindowLeavesItHidden) {
    version.Show();
    version.Hide();
    sink.Take();
    dispatcher.Dispatch("de\r\nV 1.10\r\n#");
    EXPECT_FALSE(version.IsVisible());
    EXPECT_EQ(LabelText(version.Get(), "lblMonitorEpromVersionValue"), QStringLiteral("V 1.10"));
}

TEST_F(InfoPanelsUi, OperatingTimeCreatedByAReplyAsksOnceWhileStayingHidden) {
    labels->SetInfoLabel(InfoLabel::OperatingTime, "001:02:03:04");
    EXPECT_FALSE(opTime.IsVisible());
    EXPECT_EQ(LabelText(opTime.Get(), "lblOperatingTimeValue"), QStringLiteral("001:02:03:04"));
    EXPECT_EQ(sink.Take(), (Commands{"dt\r\n"}));
}

TEST_F(InfoPanelsUi, BlankingTheVersionLabelsCreatesNoWindowButBlanksAnOpenOne) {
    labels->SetInfoLabel(InfoLabel::RomVersion, "");
    labels->SetInfoLabel(InfoLabel::FirmwareVersion, "");
    EXPECT_FALSE(version.Exists());
    dispatcher.Dispatch("df\r\nV 2.05\r\n#");
    labels->SetInfoLabel(InfoLabel::FirmwareVersion, "");
    EXPECT_EQ(LabelText(version.Get(), "lblMonitorFirmwareVersionValue"), QString());
}

TEST_F(InfoPanelsUi, PeekPokeButtonsSendTheBoxesAsTyped) {
    peekPoke.Show();
    frmPeekPoke& w = peekPoke.Get();
    QTest::mouseClick(&Find<QPushButton>(w, "brnWriteAddr"), Qt::LeftButton);
    w.AddressBox().setText(QStringLiteral("0x1F00"));
    QTest::mouseClick(&Find<QPushButton>(w, "brnWriteAddr"), Qt::LeftButton);
    QTest::mouseClick(&Find<QToolButton>(w, "btnAddrUp"), Qt::LeftButton);
    QTest::mouseClick(&Find<QToolButton>(w, "btnAddrDown"), Qt::LeftButton);
    QTest::mouseClick(&Find<QPushButton>(w, "btnReadByte"), Qt::LeftButton);
    QTest::mouseClick(&Find<QPushButton>(w, "btnReadWord"), Qt::LeftButton);
    QTest::mouseClick(&Find<QPushButton>(w, "btnReadChar"), Qt::LeftButton);
    w.DataByteBox().setText(QStringLiteral("0x3c"));
    QTest::mouseClick(&Find<QPushButton>(w, "DataByteWriteButton"), Qt::LeftButton);
    QTest::mouseClick(&Find<QPushButton>(w, "DataWordWriteButton"), Qt::LeftButton);
    EXPECT_EQ(sink.Take(), (Commands{"a0x\r\n", "a0x1F00\r\n", "a+\r\n", "a-\r\n", "rb\r\n",
                                     "rw\r\n", "rc\r\n", "wb0x3c\r\n", "ww0xXXXX\r\n"}));
    QTest::mouseClick(&Find<QPushButton>(w, "btnOK"), Qt::LeftButton);
    EXPECT_FALSE(peekPoke.IsVisible());
}

TEST_F(InfoPanelsUi, PeekPokeAnswersFillTheBoxesOfAHiddenWindow) {
    dispatcher.Dispatch("a+\r\nAddr = 0x01ff\r\n#");
    dispatcher.Dispatch("rb\r\n01FF := 0x3c\r\n#");
    dispatcher.Dispatch("rc\r\n01FF 'A'\r\n#");
    ASSERT_TRUE(peekPoke.Exists());
    EXPECT_FALSE(peekPoke.IsVisible());
    frmPeekPoke& w = peekPoke.Get();
    EXPECT_EQ(w.AddressBox().text(), QStringLiteral("0x01FF"));
    EXPECT_EQ(w.DataByteBox().text(), QStringLiteral("0x3C"));
    EXPECT_EQ(w.DataWordBox().text(), QStringLiteral("0xXXXX"));
    EXPECT_EQ(w.DataCharBox().text(), QStringLiteral("A"));
}

TEST_F(InfoPanelsUi, PeekPokePlaceIsStoredUnderItsOwnKeys) {
    peekPoke.Show();
    peekPoke.StorePlacement();
    for (const char* key : {"PeekPokeWindowState", "PeekPokeTop", "PeekPokeLeft", "PeekPokeWidth",
                            "PeekPokeHeight"}) {
        EXPECT_TRUE(settings.Has("Configs", key)) << key;
    }
    // The default place, back in twips through whole pixels.
    EXPECT_NEAR(std::stod(settings.Get("Configs", "PeekPokeTop")), 500, 15);
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

int main(int argc, char** argv) {
    // Windows are built without a display, also when ctest lists the tests.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
