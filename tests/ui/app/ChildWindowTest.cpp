#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "MemorySettingsStore.h"
#include "ui/app/ChildWindow.h"
#include "ui/app/Twips.h"
#include "ui/app/frmMain.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

struct Fixture {
    MemorySettingsStore settings;
    frmMain main;
    int created = 0;

    Fixture() {
        main.resize(1000, 800);
        main.show();
    }

    std::unique_ptr<ChildWindow<QLabel>> Make(ChildPlacement placement,
                                              const char* name = "frmProbe") {
        return std::make_unique<ChildWindow<QLabel>>(
            main.MdiArea(), settings, std::move(placement), [this, name] {
                ++created;
                auto* label = new QLabel(QStringLiteral("probe"));
                label->setObjectName(QString::fromLatin1(name));
                label->setWindowTitle(QStringLiteral("Probe"));
                label->resize(200, 100);
                return label;
            });
    }
};

TEST(Twips, ConvertWithTheLogicalDpi) {
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(4725, 96), 315);
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_DOUBLE_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_DOUBLE_EQ(PixelsToTwips(1, 120), 12);
    EXPECT_EQ(TwipsToPixels(PixelsToTwips(333, 144), 144), 333);
}

TEST(ChildWindows, AreCreatedOnFirstUseHiddenAndThenKeptUntilExit) {
    Fixture f;
    auto child = f.Make(ChildPlacement::None());
    EXPECT_FALSE(child->Exists());
    EXPECT_EQ(f.created, 0);

    QLabel& label = child->Get();
    EXPECT_EQ(f.created, 1);
    EXPECT_FALSE(child->IsVisible()) << "a window used before it is shown stays hidden";

    label.setText(QStringLiteral("kept"));
    child->Show();
    EXPECT_TRUE(child->IsVisible());
    EXPECT_EQ(f.main.MdiArea().activeSubWindow(), child->SubWindow());

    // Closing only hides it: the same window with the same state comes back.
    child->SubWindow()->close();
    EXPECT_FALSE(child->IsVisible());
    ASSERT_TRUE(child->Exists());
    child->Show();
    EXPECT_EQ(f.created, 1);
    EXPECT_EQ(&child->Get(), &label);
    EXPECT_EQ(label.text(), QStringLiteral("kept"));
}

TEST(ChildWindows, AWindowNeverUsedStoresNothing) {
    Fixture f;
    auto child = f.Make(ChildPlacement::Locations("frmConnect"));
    child->StorePlacement();
    EXPECT_TRUE(f.settings.values.empty());
}

TEST(ChildWindows, LocationsWindowsRestoreAndStoreTheirPlaceInTwips) {
    Fixture f;
    f.settings.Write("Locations", "frmConnectTop", "720");
    f.settings.Write("Locations", "frmConnectLeft", "1440");
    f.settings.Write("Locations", "frmConnectWidth", "4800");
    f.settings.Write("Locations", "frmConnectHeight", "3600");
    auto child = f.Make(ChildPlacement::Locations("frmConnect"));
    child->Show();
    const double dpi = LogicalDpiX(&f.main.MdiArea());
    EXPECT_EQ(child->SubWindow()->geometry(),
              QRect(TwipsToPixels(1440, dpi), TwipsToPixels(720, dpi), TwipsToPixels(4800, dpi),
                    TwipsToPixels(3600, dpi)));

    child->SubWindow()->move(TwipsToPixels(2880, dpi), TwipsToPixels(1440, dpi));
    child->StorePlacement();
    EXPECT_EQ(f.settings.Get("Locations", "frmConnectLeft"), "2880");
    EXPECT_EQ(f.settings.Get("Locations", "frmConnectTop"), "1440");
    EXPECT_EQ(f.settings.Get("Locations", "frmConnectWidth"), "4800");
    EXPECT_EQ(f.settings.Get("Locations", "frmConnectWindowstate"), "0");
}

TEST(ChildWindows, AMinimisedWindowStoresStateOneAndItsNormalPlace) {
    Fixture f;
    auto child = f.Make(ChildPlacement::Locations("frmCommLog"));
    child->Show();
    const QRect normal = child->SubWindow()->geometry();
    child->SubWindow()->showMinimized();
    child->StorePlacement();
    const double dpi = LogicalDpiX(&f.main.MdiArea());
    EXPECT_EQ(f.settings.Get("Locations", "frmCommLogWindowstate"), "1");
    EXPECT_EQ(f.settings.Get("Locations", "frmCommLogWidth"),
              std::to_string(static_cast<int>(PixelsToTwips(normal.width(), dpi))));
}

TEST(ChildWindows, AnOwnKeyWindowStoredMinimisedOpensMinimised) {
    Fixture f;
    f.settings.Write("Configs", "PeekPokeWindowState", "1");
    f.settings.Write("Configs", "PeekPokeTop", "9999");
    auto child = f.Make(ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke));
    child->Show();
    EXPECT_TRUE(child->SubWindow()->isMinimized());
}

TEST(ChildWindows, AnOwnKeyWindowTakesItsDefaultsOnTheFirstRun) {
    Fixture f;
    auto child = f.Make(ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke));
    child->Show();
    const double dpi = LogicalDpiX(&f.main.MdiArea());
    EXPECT_EQ(child->SubWindow()->geometry(),
              QRect(TwipsToPixels(500, dpi), TwipsToPixels(500, dpi), TwipsToPixels(3585, dpi),
                    TwipsToPixels(2265, dpi)));
    child->StorePlacement();
    EXPECT_EQ(f.settings.Get("Configs", "PeekPokeWindowState"), "0");
    EXPECT_TRUE(f.settings.Has("Configs", "PeekPokeHeight"));
}

TEST(WindowMenu, TileVerticallyPutsTheWindowsSideBySide) {
    Fixture f;
    auto one = f.Make(ChildPlacement::None(), "frmOne");
    auto two = f.Make(ChildPlacement::None(), "frmTwo");
    one->Show();
    two->Show();
    f.main.findChild<QAction*>("mnuWindowTileVertical")->trigger();
    const QRect a = one->SubWindow()->geometry();
    const QRect b = two->SubWindow()->geometry();
    EXPECT_EQ(a.top(), b.top());
    EXPECT_EQ(a.height(), b.height());
    EXPECT_LE(a.right(), b.left());

    f.main.findChild<QAction*>("mnuWindowTileHorizontal")->trigger();
    const QRect c = one->SubWindow()->geometry();
    const QRect d = two->SubWindow()->geometry();
    EXPECT_EQ(c.left(), d.left());
    EXPECT_EQ(c.width(), d.width());
    EXPECT_LE(c.bottom(), d.top());
}

TEST(WindowMenu, ArrangeIconsLinesTheMinimisedWindowsUpAlongTheBottom) {
    Fixture f;
    auto one = f.Make(ChildPlacement::None(), "frmOne");
    auto two = f.Make(ChildPlacement::None(), "frmTwo");
    one->Show();
    two->Show();
    one->SubWindow()->showMinimized();
    two->SubWindow()->showMinimized();
    one->SubWindow()->move(300, 10);
    two->SubWindow()->move(20, 200);
    f.main.findChild<QAction*>("mnuWindowArrangeIcons")->trigger();
    const QRect area = f.main.MdiArea().viewport()->rect();
    const QRect a = one->SubWindow()->geometry();
    const QRect b = two->SubWindow()->geometry();
    EXPECT_EQ(a.left(), 0);
    EXPECT_EQ(b.left(), a.right() + 1);
    EXPECT_EQ(a.bottom(), area.bottom());
    EXPECT_EQ(b.bottom(), area.bottom());
}

}  // namespace
}  // namespace zorvex
