#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
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
    QString Caption(const char* name) {
        QWidget* widget = Find<QWidget>(name);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            return button->text();
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            return group->title();
        }
        auto* label = qobject_cast<QLabel*>(widget);
        return label != nullptr ? label->text() : QStringLiteral("<no caption>");
    }
    void TearDown() override { EXPECT_FALSE(sink.unterminated); }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }

    testing::VirtualClock clock;
    testing::RecordingSink sink;
    LinkState link;
    StrokeAdjustment core{sink, clock, link};
    frmStrokeXY window{core};
    std::vector<QString> told;
};

TEST_F(StrokeWindowUi, OpensAtItsSizeWithItsInitialValuesAndAsksForTheParameters) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Stroke Adjustments"));
    EXPECT_EQ(window.width(), TwipsToPixels(6105, LogicalDpiX(&window)));
    EXPECT_EQ(window.height(), TwipsToPixels(6315, LogicalDpiY(&window)));
    EXPECT_EQ(sink.Take(), Commands{"dz"});
    auto* gain = Find<QScrollBar>("HS_gain");
    EXPECT_EQ(gain->value(), 255);
    EXPECT_EQ(gain->pageStep(), 20);
    auto* x = Find<QScrollBar>("HS_x_offset");
    EXPECT_EQ(x->minimum(), -255);
    EXPECT_EQ(x->maximum(), 255);
    EXPECT_EQ(x->pageStep(), 10);
    EXPECT_EQ(Find<QLabel>("lbl_gain")->text(), QString());
    EXPECT_EQ(Find<QLineEdit>("Text7(1)")->text(), QStringLiteral("low"));
    EXPECT_EQ(Find<QLineEdit>("Text10(1)")->text(), QStringLiteral("I"));
    EXPECT_FALSE(Find<QCheckBox>("ChkBox_xTurn")->isChecked());
    for (auto [name, caption] : {std::pair{"Option2(0)", "raw + blank"},
                                 {"Command15(0)", ""},
                                 {"Command18(1)", "Set Normal mem access"},
                                 {"Label12(4)", "what are these?"}}) {
        EXPECT_EQ(Caption(name), QString::fromLatin1(caption)) << name;
    }
}

TEST_F(StrokeWindowUi, ShowsTheOpeningGroupsInsideTheOpeningSizeAndTheRestBeyond) {
    struct Group {
        const char* name;
        const char* caption;  // nullptr: a block without one
        bool atOpening;
    };
    // Room for a child window's frame and title bar around the content.
    const QRect inside(0, 0, window.width() - 10, window.height() - 32);
    for (const Group& g : {Group{"fraTestPattern", "Test Pattern", true},
                           {"fraXYTurn", "X Y turn", true},
                           {"fraTestChannels", "Test Channels", true},
                           {"fraGainOffset", "Gain/Offset", true},
                           {"fraLineWidth", "line width", true},
                           {"fraAverageOrder", "Average Order", true},
                           {"fraZoom", "Zoom", true},
                           {"fraHVConfigs", "Horizontal and Vertical Configs", false},
                           {"fraFilterFrame", "Filter / Frame Control", false},
                           {"Frame1", "Frame1", false},
                           {"blkTarget", nullptr, false},
                           {"blkEngineering", nullptr, false},
                           {"blkMemoryAccess", nullptr, false}}) {
        if (g.caption != nullptr) {
            EXPECT_EQ(Caption(g.name), QString::fromLatin1(g.caption));
        }
        const QRect place = Find<QWidget>(g.name)->geometry();
        EXPECT_EQ(g.atOpening ? inside.contains(place) : window.rect().intersects(place),
                  g.atOpening)
            << g.name;
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
    EXPECT_EQ(Find<QScrollBar>("HS_x_offset")->value(), 20);
    EXPECT_EQ(Find<QLabel>("lbl_x_offset")->text(), QStringLiteral("20"));
    EXPECT_EQ(Find<QLabel>("lbl_gain")->text(), QStringLiteral("100"));
    EXPECT_EQ(Find<QLineEdit>("Text11(7)")->text(), QStringLiteral("21"));
    EXPECT_TRUE(Find<QRadioButton>("Option4(2)")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option1(3)")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("ChkBox_xTurn")->isChecked());
    // The same answer again changes nothing, so nothing is written.
    core.ApplyReadout(kAnswer);
    EXPECT_EQ(sink.Take(), Commands{});

    // Reopened, it starts again from the initial values.
    window.close();
    QCoreApplication::processEvents();
    sink.Take();
    window.OpenWindow();
    window.show();
    EXPECT_EQ(sink.Take(), Commands{"dz"});
    EXPECT_EQ(Find<QScrollBar>("HS_gain")->value(), 255);
    EXPECT_EQ(Find<QLineEdit>("Text1(0)")->text(), QString());
    EXPECT_FALSE(Find<QRadioButton>("Option4(2)")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("ChkBox_xTurn")->isChecked());
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
    EXPECT_EQ(Find<QLabel>("lbl_gain")->text(), QStringLiteral("100"));
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
    Click("Option1(8)");
    Click("Option1(8)");
    Click("Command30(17)");
    Click("ChkBox_yTurn");
    Click("Command30(3)");
    EXPECT_EQ(sink.Take(), (Commands{"TYW18A8", "TGW188", "TYW2ca1", "TGW2C1"}));
}

TEST_F(StrokeWindowUi, TellsTheUserOfAutoPingAndExplainsOnAClickOfAHelpLabel) {
    sink.Take();
    link.AutoPingEnabled = false;
    Click("Command7");
    EXPECT_EQ(sink.Take(), Commands{});
    QTest::mouseClick(Find<QLabel>("Label12(1)"), Qt::LeftButton);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], QStringLiteral("You have to Enable AutoPing first."));
    EXPECT_EQ(told[1], QStringLiteral("Signal Averaging = \nThe higher the number, the smoother "
                                      "the lines will be.\nBut, it will reduce the sharpness of "
                                      "the edges\nas the number goes too high."));
    QTest::mouseClick(Find<QLabel>("Label12(4)"), Qt::LeftButton);
    Form2* form2 = window.ExplainingWindow();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_TRUE(form2->isWindow());
    EXPECT_EQ(form2->windowTitle(), QStringLiteral("H width, H long explains"));
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
    sink.Take();
    log.text = "TYR28a\r\n3F)\r\n#";
    clock.Advance(2000);
    EXPECT_EQ(Find<QPlainTextEdit>("RichTextBox1")->toPlainText(), QStringLiteral("4 = 3F\n"));
    EXPECT_EQ(Find<QLineEdit>("Text8")->text(), QStringLiteral("6"));
    sink.Take();
    window.close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(core.IsOpen());
    clock.Advance(10000);
    EXPECT_EQ(sink.Take(), Commands{});
}

TEST(StrokeWindowInAFrame, StaysOpenAndWorkingWhenItsFrameIsMaximisedAndRestored) {
    testing::VirtualClock clock;
    testing::RecordingSink sink;
    LinkState link;
    StrokeAdjustment core{sink, clock, link};
    QMdiArea area;
    auto* window = new frmStrokeXY(core);
    QMdiSubWindow* frame = area.addSubWindow(window);
    area.show();
    window->OpenWindow();
    frame->show();
    QCoreApplication::processEvents();
    sink.Take();

    frame->showMaximized();
    QCoreApplication::processEvents();
    frame->showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(core.IsOpen());
    QTest::mouseClick(window->findChild<QAbstractButton*>(QStringLiteral("Command30(4)")),
                      Qt::LeftButton);
    EXPECT_FALSE(sink.Take().empty());  // the button still writes

    frame->hide();
    QCoreApplication::processEvents();
    EXPECT_FALSE(core.IsOpen());
}

}  // namespace
}  // namespace zorvex
