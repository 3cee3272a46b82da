// The stroke window reads the simulator's stored parameters, writes a gain change live,
// stores it, and shows the stored value again when it is opened anew.
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "AppOnSimulator.h"

namespace zorvex::e2e {
namespace {

class StrokeOnSimulator : public OnSimulator {
  protected:
    // The monitor lists its short items first, which must not change what is written.
    void SetUp() override { StartTool({"--short-first"}); }
    template <class W>
    W* Find(const char* name) {
        return tool->Find<W>("frmStrokeXY", name);
    }
    bool GainShows(int value) {  // its label mirrors the bar (pinned by the window's test)
        const QString text = QString::number(value);
        return Spin(
            [&] { return Find<QLabel>("lbl_gain") && Find<QLabel>("lbl_gain")->text() == text; },
            10000);
    }
};

TEST_F(StrokeOnSimulator, ReadsWritesAndShowsAStoredGainWhenOpenedAgain) {
    tool->Menu(MenuCommand::StrokeAdj);
    ASSERT_TRUE(GainShows(128));  // the simulator's stored gain at power-up
    // Each box is filled from its own item and written back.
    EXPECT_EQ(Find<QLineEdit>("Text1(0)")->text(), QStringLiteral("3"));
    ASSERT_TRUE(Spin([&] { return At("TYW14A8") >= 0; }, 10000));
    EXPECT_GE(At("TYW04A3"), 0);
    EXPECT_EQ(At("TYW04A2"), -1);
    EXPECT_EQ(At("TYW05A8"), -1);

    auto* gain = Find<QScrollBar>("HS_gain");
    gain->setSliderDown(true);
    gain->setSliderPosition(100);
    gain->setSliderDown(false);
    tool->Find<QAbstractButton>("frmStrokeXY", "Command30(4)")->click();
    ASSERT_TRUE(Spin([&] { return At("TGW2E100") >= 0; }, 10000));
    // Closing discards the window's values; opening asks the monitor again.
    auto* window = tool->app->MainWindow().MdiArea().findChild<QWidget*>("frmStrokeXY");
    ASSERT_NE(window, nullptr);
    ChildFrameOf(*window)->close();
    QCoreApplication::processEvents();  // the user's next click comes in a later event
    tool->Menu(MenuCommand::StrokeAdj);
    ASSERT_TRUE(GainShows(100));
    // The live write came before the store, and the monitor was asked again after it.
    const long live = At("TYW2EA100");
    const long store = At("TGW2E100", live);
    EXPECT_GT(live, At("dz"));
    EXPECT_GT(store, live);
    EXPECT_GT(At("dz", store), store);
}

}  // namespace
}  // namespace zorvex::e2e
