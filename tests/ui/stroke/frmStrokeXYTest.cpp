#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
    EXPECT_EQ(gain->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(gain->pageStep(), 20);
    auto* x = Find<QScrollBar>("HS_x_offset");
    EXPECT_EQ(x->minimum(), -255);
    EXPECT_EQ(x->maximum(), 255);
    EXPECT_EQ(x->pageStep(), 10);
    EXPECT_EQ(x->value(), 0);
    EXPECT_EQ(Find<QLabel>("lbl_gain")->text(), QString());
    EXPECT_EQ(Find<QLineEdit>("Text7(0)")->text(), QStringLiteral("hi"));
    EXPECT_EQ(Find<QLineEdit>("Text7(1)")->text(), QStringLiteral("low"));
    EXPECT_EQ(Find<QLineEdit>("Text10(1)")->text(), QStringLiteral("I"));
    EXPECT_EQ(Find<QLineEdit>("Text8")->text(), QStringLiteral("0"));
    EXPECT_FALSE(Find<QRadioButton>("Option1(8)")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("ChkBox_xTurn")->isChecked());
}

struct CaptionCase {
    const char* name;
    const char* caption;
};

class StrokeWindowCaptions : public StrokeWindowUi,
                             public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(StrokeWindowCaptions, NameEachControlAsTheToolAlwaysHas) {
    QWidget* widget = Find<QWidget>(GetParam().name);
    ASSERT_NE(widget, nullptr);
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        text = group->title();
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
    }
    EXPECT_EQ(text, QString::fromLatin1(GetParam().caption));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, StrokeWindowCaptions,
    ::testing::Values(
        CaptionCase{"fraTestPattern", "Test Pattern"}, CaptionCase{"fraXYTurn", "X Y turn"},
        CaptionCase{"fraTestChannels", "Test Channels"},
        CaptionCase{"fraGainOffset", "Gain/Offset"}, CaptionCase{"fraLineWidth", "line width"},
        CaptionCase{"fraAverageOrder", "Average Order"}, CaptionCase{"fraZoom", "Zoom"},
        CaptionCase{"fraHVConfigs", "Horizontal and Vertical Configs"},
        CaptionCase{"fraFilterFrame", "Filter / Frame Control"}, CaptionCase{"Frame1", "Frame1"},
        CaptionCase{"OptTestPattern(0)", "Test Pattern"}, CaptionCase{"OptTestPattern(2)", "Green"},
        CaptionCase{"ChkBox_xTurn", "X 180"}, CaptionCase{"ChkBox_yTurn", "Y 180"},
        CaptionCase{"Option3(0)", "Normal"}, CaptionCase{"Option3(2)", "Test Y"},
        CaptionCase{"Option1(1)", "Raw + Unblank"}, CaptionCase{"Option1(8)", "Double Line"},
        CaptionCase{"Option4(3)", "8"}, CaptionCase{"Option2(0)", "raw + blank"},
        CaptionCase{"Command7", "Load Saved Data"}, CaptionCase{"Command30(4)", "Save"},
        CaptionCase{"Command23(0)", "Set"}, CaptionCase{"Command2", "Apply"},
        CaptionCase{"Command6", "Refresh"}, CaptionCase{"Command21", "reset dcm x"},
        CaptionCase{"Command10(4)", "DCM locked?"}, CaptionCase{"Command1(1)", "phase shift X"},
        CaptionCase{"Command15(0)", ""}, CaptionCase{"Command22(3)", "bright1"},
        CaptionCase{"Command14(1)", "data RamHD"},
        CaptionCase{"Command18(1)", "Set Normal mem access"},
        CaptionCase{"Command20(18)", "Next Data Set"}, CaptionCase{"Command17(2)", "start timer"},
        CaptionCase{"Label12(0)", "?"}, CaptionCase{"Label12(4)", "what are these?"},
        CaptionCase{"lblAreaOfInterest", "Area of Interest"}, CaptionCase{"lblTarget", "Target"}));

TEST_F(StrokeWindowUi, KeepsTheOpeningGroupsInsideTheOpeningSizeAndTheRestBeyond) {
    // Room for a child window's frame and title bar around the content.
    const QRect inside(0, 0, window.width() - 10, window.height() - 32);
    for (const char* name : {"fraTestPattern", "fraXYTurn", "fraTestChannels", "fraGainOffset",
                             "fraLineWidth", "fraAverageOrder", "fraZoom", "Command7"}) {
        EXPECT_TRUE(inside.contains(Find<QWidget>(name)->geometry())) << name;
    }
    for (const char* name : {"blkTarget", "fraHVConfigs", "fraFilterFrame", "blkEngineering",
                             "Frame1", "blkMemoryAccess"}) {
        EXPECT_FALSE(window.rect().intersects(Find<QWidget>(name)->geometry())) << name;
    }
}

TEST_F(StrokeWindowUi, ShowsAReadOutAndWritesEachChangeOnce) {
    sink.Take();
    core.ApplyReadout(kAnswer);
    EXPECT_EQ(sink.Take(),
              (Commands{"TYW00A1",  "TYW39B20",  "TYW04A3", "TYW05A4",  "TYW06A5",  "TYW07A6",
                        "TYW0AA7",  "TYW0DA8",   "TYW0EA9", "TYW11A10", "TYW12A11", "TYW13A12",
                        "TYW14A13", "TYW04A2",   "TYW0DA2", "TYW0BA22", "TYW18A3",  "TYW2ba1",
                        "TYW1DA0",  "TYW2EA100", "TYW01A2", "TYW3AB5",  "TYW19A2"}));
    EXPECT_EQ(Find<QScrollBar>("HS_x_offset")->value(), 20);
    EXPECT_EQ(Find<QLabel>("lbl_x_offset")->text(), QStringLiteral("20"));
    EXPECT_EQ(Find<QScrollBar>("HS_y_offset")->value(), -5);
    EXPECT_EQ(Find<QLabel>("lbl_y_offset")->text(), QStringLiteral("-5"));
    EXPECT_EQ(Find<QScrollBar>("HS_gain")->value(), 100);
    EXPECT_EQ(Find<QLabel>("lbl_gain")->text(), QStringLiteral("100"));
    EXPECT_EQ(Find<QLineEdit>("Text1(0)")->text(), QStringLiteral("3"));
    EXPECT_EQ(Find<QLineEdit>("Text11(7)")->text(), QStringLiteral("21"));
    EXPECT_EQ(Find<QLineEdit>("Text5(1)")->text(), QStringLiteral("24"));
    EXPECT_TRUE(Find<QRadioButton>("Option4(2)")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option3(2)")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option1(3)")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("OptTestPattern(2)")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("ChkBox_xTurn")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("ChkBox_yTurn")->isChecked());
    // The same answer again changes nothing, so nothing is written.
    core.ApplyReadout(kAnswer);
    EXPECT_EQ(sink.Take(), Commands{});
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
}

TEST_F(StrokeWindowUi, MovesTheGainTowards255WithTheLeftArrow) {
    core.SetBar(StrokeBar::Gain, 100);
    sink.Take();
    auto* gain = Find<QScrollBar>("HS_gain");
    QTest::mouseClick(gain, Qt::LeftButton, {}, QPoint(3, gain->height() / 2));
    EXPECT_EQ(gain->value(), 101);
    EXPECT_EQ(sink.Take(), (Commands{"TYW1DA0", "TYW2EA101"}));
    auto* x = Find<QScrollBar>("HS_x_offset");
    QTest::mouseClick(x, Qt::LeftButton, {}, QPoint(3, x->height() / 2));
    EXPECT_EQ(sink.Take(), (Commands{"TYW00A2", "TYW39B1"}));
}

TEST_F(StrokeWindowUi, WritesEveryKeystrokeOfALiveBoxAndNothingForOthers) {
    sink.Take();
    QTest::keyClicks(Find<QLineEdit>("Text1(0)"), QStringLiteral("12"));
    QTest::keyClicks(Find<QLineEdit>("Text11(0)"), QStringLiteral("5"));
    EXPECT_EQ(sink.Take(), (Commands{"TYW04A1", "TYW04A12"}));
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

TEST_F(StrokeWindowUi, RefusesToLoadSavedDataWhileAutoPingIsOff) {
    sink.Take();
    link.AutoPingEnabled = false;
    Click("Command7");
    EXPECT_EQ(sink.Take(), Commands{});
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], QStringLiteral("You have to Enable AutoPing first."));
}

TEST_F(StrokeWindowUi, ExplainsOnAClickOfAHelpLabel) {
    QTest::mouseClick(Find<QLabel>("Label12(1)"), Qt::LeftButton);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], QStringLiteral("Signal Averaging = \nThe higher the number, the smoother "
                                      "the lines will be.\nBut, it will reduce the sharpness of "
                                      "the edges\nas the number goes too high."));
    QTest::mouseClick(Find<QLabel>("Label12(4)"), Qt::LeftButton);
    Form2* form2 = window.ExplainingWindow();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_TRUE(form2->isWindow());
    EXPECT_EQ(form2->windowTitle(), QStringLiteral("H width, H long explains"));
    EXPECT_EQ(form2->findChild<QLabel*>(QStringLiteral("Text2"))->text(),
              QStringLiteral("Same concept as <H width> and <H long>"));
    EXPECT_TRUE(form2->findChild<QLabel*>(QStringLiteral("Text1"))
                    ->text()
                    .endsWith(QStringLiteral(
                        "<big delta>.\n\n<short H width> and <short H Long> is for smaller "
                        "horizontal strokes")));
    for (const char* caption :
         {"H width", "H Long", "V Width", "V Long", "<Small Delta> and <Big Delta>"}) {
        bool found = false;
        for (QLabel* label : form2->findChildren<QLabel*>()) {
            found = found || label->text() == QString::fromLatin1(caption);
        }
        EXPECT_TRUE(found) << caption;
    }
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
    EXPECT_FALSE(core.IsOpen());
    clock.Advance(10000);
    EXPECT_EQ(sink.Take(), Commands{});
}

TEST_F(StrokeWindowUi, StartsAgainFromTheInitialValuesWhenReopened) {
    core.ApplyReadout(kAnswer);
    window.close();
    sink.Take();
    window.OpenWindow();
    window.show();
    EXPECT_EQ(sink.Take(), Commands{"dz"});
    EXPECT_EQ(Find<QScrollBar>("HS_gain")->value(), 255);
    EXPECT_EQ(Find<QLineEdit>("Text1(0)")->text(), QString());
    EXPECT_FALSE(Find<QRadioButton>("Option4(2)")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("ChkBox_xTurn")->isChecked());
}

}  // namespace
}  // namespace zorvex

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
