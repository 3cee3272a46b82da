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

struct Fixture {
    testing::MemorySettingsStore settings;
    frmMain main;
    int created = 0;

    Fixture() {
        main.resize(1000, 800);
        main.show();
    }
    std::unique_ptr<ChildWindow<QLabel>> Make(ChildPlacement placement) {
        return std::make_unique<ChildWindow<QLabel>>(main.MdiArea(), settings, std::move(placement),
                                                     [this] {
                                                         ++created;
                                                         auto* label = new QLabel("probe");
                                                         label->resize(200, 100);
                                                         return label;
                                                     });
    }
    int Px(double twips) { return TwipsToPixels(twips, LogicalDpiX(&main.MdiArea())); }
    std::string Twips(int px) {
        return std::to_string(static_cast<int>(PixelsToTwips(px, LogicalDpiX(&main.MdiArea()))));
    }
};

TEST(Twips, ConvertWithTheLogicalDpi) {
    EXPECT_EQ(TwipsToPixels(4725, 96), 315);
    EXPECT_EQ(TwipsToPixels(1440, 120), 120);
    EXPECT_EQ(TwipsToPixels(PixelsToTwips(333, 144), 144), 333);
}

TEST(ChildWindows, AreCreatedOnFirstUseHiddenAndThenKeptUntilExit) {
    Fixture f;
    auto child = f.Make(ChildPlacement::None());
    EXPECT_EQ(f.created, 0);
    QLabel& label = child->Get();
    EXPECT_FALSE(child->IsVisible()) << "a window used before it is shown stays hidden";
    label.setText("kept");
    child->Show();
    EXPECT_EQ(f.main.MdiArea().activeSubWindow(), child->SubWindow());
    child->SubWindow()->close();  // only hides it: the same window comes back
    EXPECT_FALSE(child->IsVisible());
    child->Show();
    EXPECT_EQ(std::pair(f.created, label.text()), std::pair(1, QString("kept")));
}

TEST(ChildWindows, LocationsWindowsRestoreAndStoreTheirPlaceInTwipsAndState) {
    Fixture f;
    for (const auto& [key, value] :
         {std::pair{"Top", "720"}, {"Left", "1440"}, {"Width", "4800"}, {"Height", "3600"}}) {
        f.settings.Write("Locations", std::string("frmConnect") + key, value);
    }
    auto child = f.Make(ChildPlacement::Locations("frmConnect"));
    child->StorePlacement();
    EXPECT_EQ(f.settings.values.size(), 4u) << "a window never used stores nothing";
    child->Show();
    EXPECT_EQ(child->SubWindow()->geometry(), QRect(f.Px(1440), f.Px(720), f.Px(4800), f.Px(3600)));
    child->SubWindow()->move(f.Px(2880), f.Px(1440));
    child->SubWindow()->showMinimized();
    child->StorePlacement();
    std::vector<std::string> stored;
    for (const char* key : {"Left", "Top", "Width", "Windowstate"}) {
        stored.push_back(f.settings.Get("Locations", std::string("frmConnect") + key));
    }
    EXPECT_EQ(stored, (std::vector<std::string>{"2880", "1440", f.Twips(f.Px(4800)), "1"}));
}

TEST(ChildWindows, AnOwnKeyWindowTakesItsDefaultsOrOpensMinimisedAsStored) {
    Fixture f;
    auto child = f.Make(ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke));
    child->Show();
    EXPECT_EQ(child->SubWindow()->geometry(), QRect(f.Px(500), f.Px(500), f.Px(3585), f.Px(2265)));
    child->StorePlacement();
    EXPECT_EQ(f.settings.Get("Configs", "PeekPokeWindowState"), "0");
    EXPECT_TRUE(f.settings.Has("Configs", "PeekPokeHeight"));
    Fixture minimised;
    minimised.settings.Write("Configs", "PeekPokeWindowState", "1");
    auto again = minimised.Make(ChildPlacement::OwnKeys(OwnKeyWindow::PeekPoke));
    again->Show();
    EXPECT_TRUE(again->SubWindow()->isMinimized());
}

}  // namespace
}  // namespace zorvex
