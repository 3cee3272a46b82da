#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "RecordingSink.h"
#include "VirtualClock.h"
#include "core/link/LinkState.h"
#include "core/panels/stroke/StrokeAdjustment.h"
#include "ui/app/Twips.h"
#include "ui/panels/stroke/Form2.h"
#include "ui/panels/stroke/frmStrokeXY.h"

namespace zorvex {
namespace {

using Commands = std::vector<std::string>;

// A read-out with a value for each kind of control.
constexpr const char* kAnswer =
    "\r\nx_offset=1;plus_minus_x=20;DES_y_end=21;ave_order=2;sig_line_type=3;x_flip=1;green_gain="
    "100;\r\n#";

class StrokeWindowUi : public ::testing::Test {
  protected:
    StrokeWindowUi() {
        window.SetMessenger([this](const QString& text) { told.push_back(text); });
        window.OpenWindow();
        window.show();
        EXPECT_EQ(sink.Take(), Commands{"dz"});  // opened, it asks for the parameters
    }
    template <class W>
    W* Find(const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }
    void TearDown() override { EXPECT_FALSE(sink.unterminated); }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
    // What the named controls show now: bar values, "on"/"off" for buttons, texts otherwise.
    QString Shown(std::initializer_list<const char*> names) {
        QStringList shown;
        for (const char* name : names) {
            QWidget* w = Find<QWidget>(name);
            if (auto* bar = qobject_cast<QScrollBar*>(w)) {
                shown << QString::number(bar->value());
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                shown << (button->isChecked() ? "on" : "off");
            } else {
                auto* box = qobject_cast<QLineEdit*>(w);
                shown << (box ? box->text() : qobject_cast<QLabel*>(w)->text());
            }
        }
        return shown.join(',');
    }

    testing::VirtualClock clock;
    testing::RecordingSink sink;
    LinkState link;
    StrokeAdjustment core{sink, clock, link};
    frmStrokeXY window{core};
    std::vector<QString> told;
};

TEST_F(StrokeWindowUi, ShowsAReadOutWritesEachChangeOnceAndStartsAfreshWhenReopened) {
    // Each kind of control mirrors the core (the writes are pinned in tests/core/panels/stroke).
    core.ApplyReadout(kAnswer);
    EXPECT_EQ(Shown({"HS_x_offset", "lbl_x_offset", "lbl_gain", "Text11(7)", "Option4(2)",
                     "Option1(3)", "ChkBox_xTurn"}),
              "20,20,100,21,on,on,on");
    sink.Take();
    core.ApplyReadout(kAnswer);  // the same answer changes nothing, so nothing is written
    EXPECT_EQ(sink.Take(), Commands{});
    window.close();
    QCoreApplication::processEvents();
    sink.Take();
    window.OpenWindow();
    window.show();
    EXPECT_EQ(sink.Take(), Commands{"dz"});
    EXPECT_EQ(Shown({"HS_gain", "Text1(0)", "Option4(2)", "ChkBox_xTurn"}), "255,,off,off");
}

TEST_F(StrokeWindowUi, WritesTheGainWhenItsThumbIsReleasedAnOptionOnceAndSavesThem) {
    auto* gain = Find<QScrollBar>("HS_gain");
    gain->setSliderDown(true);
    gain->setSliderPosition(150);
    gain->setSliderPosition(100);
    EXPECT_EQ(sink.Take(), Commands{});
    gain->setSliderDown(false);
    EXPECT_EQ(sink.Take(), (Commands{"TYW1DA0", "TYW2EA100"}));
    Click("Command30(4)");
    EXPECT_EQ(sink.Take(), (Commands{"TGW1D0", "TGW2E100"}));
    // The gain bar runs from right to left: its left arrow moves towards 255.
    QTest::mouseClick(gain, Qt::LeftButton, {}, QPoint(3, gain->height() / 2));
    EXPECT_EQ(sink.Take(), (Commands{"TYW1DA0", "TYW2EA101"}));
    auto* x = Find<QScrollBar>("HS_x_offset");
    QTest::mouseClick(x, Qt::LeftButton, {}, QPoint(3, x->height() / 2));
    EXPECT_EQ(sink.Take(), (Commands{"TYW00A2", "TYW39B1"}));
    for (const char* name :
         {"Option1(8)", "Option1(8)", "Command30(17)", "ChkBox_yTurn", "Command30(3)"}) {
        Click(name);
    }
    EXPECT_EQ(sink.Take(), (Commands{"TYW18A8", "TGW188", "TYW2ca1", "TGW2C1"}));
}

TEST_F(StrokeWindowUi, WritesEveryValidKeystrokeOfALiveBoxAndNothingForOthers) {
    auto* width = Find<QLineEdit>("Text1(0)");
    QTest::keyClicks(width, QStringLiteral("12"));
    QTest::keyClicks(Find<QLineEdit>("Text11(0)"), QStringLiteral("5"));
    EXPECT_EQ(sink.Take(), (Commands{"TYW04A1", "TYW04A12"}));
    // Emptied, the box writes nothing and shows why.
    QTest::keyClicks(width, QStringLiteral("\b\b"));
    EXPECT_EQ(sink.Take(), (Commands{"TYW04A1"}));
    EXPECT_TRUE(width->property("invalid").toBool());
    Click("Command23(0)");
    EXPECT_EQ(sink.Take(), (Commands{"TYW34B5", "TYW35B", "TYW36B", "TYW37B", "TYW3DB", "TYW3EB",
                                     "TYW3FB", "TYW40B"}));
}

TEST_F(StrokeWindowUi, TellsTheUserOfAutoPingAndExplainsOnAClickOrEnterOnAHelpLabel) {
    link.AutoPingEnabled = false;
    Click("Command7");
    EXPECT_EQ(sink.Take(), Commands{});
    QTest::keyClick(Find<QLabel>("Label12(1)"), Qt::Key_Return);  // Tab reaches it, Enter opens
    ASSERT_EQ(told.size(), 2u);  // why nothing was sent, then what label 1 explains
    EXPECT_TRUE(told[1].startsWith("Signal Averaging = \n")) << told[1].toStdString();
    QTest::mouseClick(Find<QLabel>("Label12(4)"), Qt::LeftButton);
    Form2* form2 = window.ExplainingWindow();
    ASSERT_TRUE(form2 != nullptr && form2->isVisible() && form2->isWindow());
    // "<Small Delta>" and "<H width>" are words, not markup.
    for (QLabel* label : form2->findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}

}  // namespace
}  // namespace zorvex
