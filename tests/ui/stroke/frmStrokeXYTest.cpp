#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "RecordingSink.h"
#include "VirtualClock.h"
#include "core/link/LinkState.h"
#include "core/panels/stroke/StrokeAdjustment.h"
#include "core/panels/stroke/StrokeLogWindow.h"
#include "ui/app/Twips.h"
#include "ui/panels/stroke/Form2.h"
#include "ui/panels/stroke/frmStrokeXY.h"

namespace zorvex {
namespace {

using Commands = std::vector<std::string>;

constexpr const char* kAnswer =
    "\r\nx_offset=1;plus_minus_x=20;y_offset=2;plus_minus_y=5;hor_width=3;hor_long=4;"
    "ver_width=5;ver_long=6;small_delta=7;big_delta=8;frame_cnt=9;"
    "short_defined_hor_width=10;short_defined_hor_long=11;short_defined_ver_width=12;"
    "short_defined_ver_long=13;ave_order=2;reset_ram=2;AOI_x_start=14;AOI_x_end=15;"
    "AOI_y_start=16;AOI_y_end=17;DES_x_start=18;DES_x_end=19;DES_y_start=20;DES_y_end=21;"
    "frame_ave=22;filter_order=23;data_gap_limit=24;xy_shift=2;sig_line_type=3;x_flip=1;"
    "y_flip=0;green_gain=100;lcd_test=2;divider_order=4;\r\n#";

class StrokeWindowUi : public ::testing::Test {
  protected:
    StrokeWindowUi() {
        window.SetMessenger([this](const QString& text) { told.push_back(text); });
        window.OpenWindow();
        window.show();
    }
    template <class W>
    W* Find(const char* name) {
        auto* widget = window.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void TearDown() override { EXPECT_FALSE(sink.unterminated); }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
    // "name=value": bar and label values, box texts and ticked boxes ("on"), as shown now.
    void ExpectShows(std::initializer_list<const char*> shown) {
        for (const char* entry : shown) {
            const QString name = QString::fromLatin1(entry).section('=', 0, 0);
            const QString value = QString::fromLatin1(entry).section('=', 1);
            QWidget* w = window.findChild<QWidget*>(name);
            ASSERT_NE(w, nullptr) << entry;
            if (auto* bar = qobject_cast<QScrollBar*>(w)) {
                EXPECT_EQ(QString::number(bar->value()), value) << entry;
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                EXPECT_EQ(button->isChecked(), value == "on") << entry;
            } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
                EXPECT_EQ(box->text(), value) << entry;
            } else {
                EXPECT_EQ(qobject_cast<QLabel*>(w)->text(), value) << entry;
            }
        }
    }

    testing::VirtualClock clock;
    testing::RecordingSink sink;
    LinkState link;
    StrokeAdjustment core{sink, clock, link};
    frmStrokeXY window{core};
    std::vector<QString> told;
};

TEST_F(StrokeWindowUi, OpensAtItsSizeShowingItsOpeningGroupsAndValuesAndAsksForTheParameters) {
    EXPECT_EQ(window.size(), QSize(TwipsToPixels(6105, LogicalDpiX(&window)),
                                   TwipsToPixels(6315, LogicalDpiY(&window))));
    EXPECT_EQ(sink.Take(), Commands{"dz"});
    auto* gain = Find<QScrollBar>("HS_gain");
    auto* x = Find<QScrollBar>("HS_x_offset");
    EXPECT_EQ(std::tuple(gain->pageStep(), x->minimum(), x->maximum(), x->pageStep()),
              std::tuple(20, -255, 255, 10));
    ExpectShows({"HS_gain=255", "lbl_gain=", "Text7(1)=low", "Text10(1)=I", "ChkBox_xTurn=off"});
    // The opening groups lie inside the opening size, with room for a child window's frame
    // and title bar around them; the rest lies beyond.
    const QRect inside(0, 0, window.width() - 10, window.height() - 32);
    for (const char* name : {"fraTestPattern", "fraXYTurn", "fraTestChannels", "fraGainOffset",
                             "fraLineWidth", "fraAverageOrder", "fraZoom"}) {
        EXPECT_TRUE(inside.contains(Find<QWidget>(name)->geometry())) << name;
    }
    for (const char* name : {"fraHVConfigs", "fraFilterFrame", "Frame1", "blkTarget",
                             "blkEngineering", "blkMemoryAccess"}) {
        EXPECT_FALSE(window.rect().intersects(Find<QWidget>(name)->geometry())) << name;
    }
}

TEST_F(StrokeWindowUi, ShowsAReadOutWritesEachChangeOnceAndStartsAfreshWhenReopened) {
    sink.Take();
    core.ApplyReadout(kAnswer);
    EXPECT_EQ(sink.Take(),
              (Commands{"TYW00A1",  "TYW39B20",  "TYW04A3", "TYW05A4",  "TYW06A5",  "TYW07A6",
                        "TYW0AA7",  "TYW0DA8",   "TYW0EA9", "TYW11A10", "TYW12A11", "TYW13A12",
                        "TYW14A13", "TYW04A2",   "TYW0DA2", "TYW0BA22", "TYW18A3",  "TYW2ba1",
                        "TYW1DA0",  "TYW2EA100", "TYW01A2", "TYW3AB5",  "TYW19A2"}));
    // Each kind of control mirrors the core (the rules are pinned in tests/core/panels/stroke).
    ExpectShows({"HS_x_offset=20", "lbl_x_offset=20", "lbl_gain=100", "Text11(7)=21",
                 "Option4(2)=on", "Option1(3)=on", "ChkBox_xTurn=on"});
    core.ApplyReadout(kAnswer);  // the same answer changes nothing, so nothing is written
    EXPECT_EQ(sink.Take(), Commands{});
    window.close();
    QCoreApplication::processEvents();
    sink.Take();
    window.OpenWindow();
    window.show();
    EXPECT_EQ(sink.Take(), Commands{"dz"});
    ExpectShows({"HS_gain=255", "Text1(0)=", "Option4(2)=off", "ChkBox_xTurn=off"});
}

TEST_F(StrokeWindowUi, WritesTheGainWhenItsThumbIsReleasedAndSavesIt) {
    sink.Take();
    auto* gain = Find<QScrollBar>("HS_gain");
    gain->setSliderDown(true);
    gain->setSliderPosition(150);
    gain->setSliderPosition(100);
    EXPECT_EQ(sink.Take(), Commands{});
    gain->setSliderDown(false);
    EXPECT_EQ(sink.Take(), (Commands{"TYW1DA0", "TYW2EA100"}));
    ExpectShows({"lbl_gain=100"});
    Click("Command30(4)");
    EXPECT_EQ(sink.Take(), (Commands{"TGW1D0", "TGW2E100"}));
    // The gain bar runs from right to left: its left arrow moves towards 255.
    QTest::mouseClick(gain, Qt::LeftButton, {}, QPoint(3, gain->height() / 2));
    EXPECT_EQ(sink.Take(), (Commands{"TYW1DA0", "TYW2EA101"}));
    auto* x = Find<QScrollBar>("HS_x_offset");
    QTest::mouseClick(x, Qt::LeftButton, {}, QPoint(3, x->height() / 2));
    EXPECT_EQ(sink.Take(), (Commands{"TYW00A2", "TYW39B1"}));
}

TEST_F(StrokeWindowUi, WritesEveryValidKeystrokeOfALiveBoxAndNothingForOthers) {
    sink.Take();
    auto* width = Find<QLineEdit>("Text1(0)");
    QTest::keyClicks(width, QStringLiteral("12"));
    QTest::keyClicks(Find<QLineEdit>("Text11(0)"), QStringLiteral("5"));
    EXPECT_EQ(sink.Take(), (Commands{"TYW04A1", "TYW04A12"}));
    // Emptied, the box writes nothing and shows why.
    QTest::keyClick(width, Qt::Key_Backspace);
    QTest::keyClick(width, Qt::Key_Backspace);
    EXPECT_EQ(sink.Take(), (Commands{"TYW04A1"}));
    EXPECT_TRUE(width->property("invalid").toBool());
    Click("Command23(0)");
    EXPECT_EQ(sink.Take(), (Commands{"TYW34B5", "TYW35B", "TYW36B", "TYW37B", "TYW3DB", "TYW3EB",
                                     "TYW3FB", "TYW40B"}));
}

TEST_F(StrokeWindowUi, SendsAnOptionOnceAndItsSaveStoresIt) {
    sink.Take();
    for (const char* name :
         {"Option1(8)", "Option1(8)", "Command30(17)", "ChkBox_yTurn", "Command30(3)"}) {
        Click(name);
    }
    EXPECT_EQ(sink.Take(), (Commands{"TYW18A8", "TGW188", "TYW2ca1", "TGW2C1"}));
}

TEST_F(StrokeWindowUi, TellsTheUserOfAutoPingAndExplainsOnAClickOrEnterOnAHelpLabel) {
    sink.Take();
    link.AutoPingEnabled = false;
    Click("Command7");
    EXPECT_EQ(sink.Take(), Commands{});
    QTest::keyClick(Find<QLabel>("Label12(1)"), Qt::Key_Return);  // Tab reaches it, Enter opens
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], QStringLiteral("You have to Enable AutoPing first."));
    // Label 1 explains the averaging, in four lines.
    EXPECT_TRUE(told[1].startsWith(QStringLiteral("Signal Averaging = \n")))
        << told[1].toStdString();
    EXPECT_EQ(told[1].count('\n'), 3);
    QTest::mouseClick(Find<QLabel>("Label12(4)"), Qt::LeftButton);
    Form2* form2 = window.ExplainingWindow();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible() && form2->isWindow());
    // "<Small Delta>" and "<H width>" are words, not markup.
    for (QLabel* label : form2->findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}

class TextLog : public StrokeLogWindow {
  public:
    std::string LogText() const override { return text; }
    void ClearLogText() override { text.clear(); }
    std::string text;
};

TEST_F(StrokeWindowUi, ListsTheDumpedWordsAndStopsTheDumpWhenClosed) {
    TextLog log;
    core.SetLogWindow(&log);
    QTest::keyClicks(Find<QLineEdit>("Text8"), QStringLiteral("5"));  // "05"
    Click("Command17(2)");
    log.text = "TYR28a\r\n3F)\r\n#";
    clock.Advance(2000);
    EXPECT_EQ(Find<QPlainTextEdit>("RichTextBox1")->toPlainText(), QStringLiteral("4 = 3F\n"));
    ExpectShows({"Text8=6"});
    window.close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(core.IsOpen());
    sink.Take();
    clock.Advance(10000);
    EXPECT_EQ(sink.Take(), Commands{});
}

TEST_F(StrokeWindowUi, StaysOpenAndWorkingWhenItsFrameIsMaximisedAndRestored) {
    window.close();  // this one lives in a frame instead
    QCoreApplication::processEvents();
    QMdiArea area;
    auto* framed = new frmStrokeXY(core);
    QMdiSubWindow* frame = area.addSubWindow(framed);
    area.show();
    framed->OpenWindow();
    for (auto show : {&QWidget::show, &QWidget::showMaximized, &QWidget::showNormal}) {
        (frame->*show)();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(core.IsOpen());
    sink.Take();
    QTest::mouseClick(framed->findChild<QAbstractButton*>(QStringLiteral("Command30(4)")),
                      Qt::LeftButton);
    EXPECT_FALSE(sink.Take().empty());  // the button still writes
    frame->hide();
    QCoreApplication::processEvents();
    EXPECT_FALSE(core.IsOpen());
}

}  // namespace
}  // namespace zorvex
