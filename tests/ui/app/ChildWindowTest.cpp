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
    EXPECT_EQ(TwipsToPixels(4725, 96), 315);
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
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
    child->Show();
    EXPECT_EQ(f.created, 1);
    EXPECT_EQ(&child->Get(), &label);
    EXPECT_EQ(label.text(), QStringLiteral("kept"));
}

TEST(ChildWindows, LocationsWindowsRestoreAndStoreTheirPlaceInTwips) {
    Fixture f;
    f.settings.Write("Locations", "frmConnectTop", "720");
    f.settings.Write("Locations", "frmConnectLeft", "1440");
    f.settings.Write("Locations", "frmConnectWidth", "4800");
    f.settings.Write("Locations", "frmConnectHeight", "3600");
    auto child = f.Make(ChildPlacement::Locations("frmConnect"));
    child->StorePlacement();
    EXPECT_EQ(f.settings.values.size(), 4u) << "a window never used stores nothing";
    child->Show();
    const double dpi = LogicalDpiX(&f.main.MdiArea());
    auto px = [dpi](double twips) { return TwipsToPixels(twips, dpi); };
    EXPECT_EQ(child->SubWindow()->geometry(), QRect(px(1440), px(720), px(4800), px(3600)));

    child->SubWindow()->move(px(2880), px(1440));
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

TEST(ChildWindows, AnOwnKeyWindowTakesItsDefaultsOrOpensMinimisedAsStored) {
    Fixture f;
    auto child = f.Make(ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke));
    child->Show();
    const double dpi = LogicalDpiX(&f.main.MdiArea());
    auto px = [dpi](double twips) { return TwipsToPixels(twips, dpi); };
    EXPECT_EQ(child->SubWindow()->geometry(), QRect(px(500), px(500), px(3585), px(2265)));
    child->StorePlacement();
    EXPECT_EQ(f.settings.Get("Configs", "PeekPokeWindowState"), "0");
    EXPECT_TRUE(f.settings.Has("Configs", "PeekPokeHeight"));

    Fixture minimised;
    minimised.settings.Write("Configs", "PeekPokeWindowState", "1");
    minimised.settings.Write("Configs", "PeekPokeTop", "9999");
    auto again = minimised.Make(ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke));
    again->Show();
    EXPECT_TRUE(again->SubWindow()->isMinimized());
}

TEST(WindowMenu, TilesSideBySideOrAboveEachOtherAndLinesUpIconsAlongTheBottom) {
    Fixture f;
    auto one = f.Make(ChildPlacement::None(), "frmOne");
    auto two = f.Make(ChildPlacement::None(), "frmTwo");
    one->Show();
    two->Show();
    auto trigger = [&](const char* item) { f.main.findChild<QAction*>(item)->trigger(); };
    QMdiSubWindow* const a = one->SubWindow();
    QMdiSubWindow* const b = two->SubWindow();
    trigger("mnuWindowTileVertical");
    EXPECT_EQ(a->geometry().top(), b->geometry().top());
    EXPECT_LE(a->geometry().right(), b->geometry().left());
    trigger("mnuWindowTileHorizontal");
    EXPECT_EQ(a->geometry().left(), b->geometry().left());
    EXPECT_LE(a->geometry().bottom(), b->geometry().top());

    a->showMinimized();
    b->showMinimized();
    a->move(300, 10);
    b->move(20, 200);
    trigger("mnuWindowArrangeIcons");
    const int bottom = f.main.MdiArea().viewport()->rect().bottom();
    EXPECT_EQ(a->geometry().left(), 0);
    EXPECT_EQ(b->geometry().left(), a->geometry().right() + 1);
    EXPECT_EQ(a->geometry().bottom(), bottom);
    EXPECT_EQ(b->geometry().bottom(), bottom);
}

}  // namespace
}  // namespace zorvex
