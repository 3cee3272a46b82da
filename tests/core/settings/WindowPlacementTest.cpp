#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemorySettingsStore.h"
#include "core/settings/WindowPlacement.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

constexpr TwipsSize kScreen{19200, 14400};  // 1280 x 960 pixels at 96 dpi

class FirstRunPlacement : public ::testing::TestWithParam<const char*> {};

TEST_P(FirstRunPlacement, OpensAtTheTopLeftHalfTheScreenWideAndHigh) {
    MemorySettingsStore empty;
    const WindowPlacement p = LoadWindowPlacement(empty, GetParam(), kScreen);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.width, 9600);
    EXPECT_EQ(p.height, 7200);
    EXPECT_EQ(p.state, WindowState::Normal);
}

INSTANTIATE_TEST_SUITE_P(SharedPlacementWindows, FirstRunPlacement,
                         ::testing::Values("frmMain", "frmConnect", "frmTrying", "frmCommLog",
                                           "frmCapability"));

TEST(WindowPlacement, SaveWritesTheFiveLocationsKeysSpelledFromTheWindowName) {
    MemorySettingsStore store;
    SaveWindowPlacement(store, "frmCommLog", {120, 240, 4800.5, 3600, WindowState::Maximised});
    EXPECT_EQ(store.Get("Locations", "frmCommLogTop"), "120");
    EXPECT_EQ(store.Get("Locations", "frmCommLogLeft"), "240");
    EXPECT_EQ(store.Get("Locations", "frmCommLogWidth"), "4800.5");
    EXPECT_EQ(store.Get("Locations", "frmCommLogHeight"), "3600");
    EXPECT_EQ(store.Get("Locations", "frmCommLogWindowstate"), "2");
    EXPECT_FALSE(store.Has("Locations", "frmCommLogWindowState"));
    EXPECT_EQ(store.values.size(), 5u);
}

TEST(WindowPlacement, AMinimisedWindowStoresStateOneAndComesBackMinimisedInItsOldPlace) {
    MemorySettingsStore store;
    SaveWindowPlacement(store, "frmMain", {300, 600, 9000, 6000, WindowState::Minimised});
    EXPECT_EQ(store.Get("Locations", "frmMainWindowstate"), "1");

    const WindowPlacement p = LoadWindowPlacement(store, "frmMain", kScreen);
    EXPECT_EQ(p.top, 300);
    EXPECT_EQ(p.left, 600);
    EXPECT_EQ(p.width, 9000);
    EXPECT_EQ(p.height, 6000);
    EXPECT_EQ(p.state, WindowState::Minimised);
}

TEST(WindowPlacement, ATextThatIsNotANumberGivesThatKeysDefault) {
    MemorySettingsStore store;
    store.Write("Locations", "frmMainTop", "high");
    store.Write("Locations", "frmMainWidth", "");
    store.Write("Locations", "frmMainWindowstate", "minimised");
    store.Write("Locations", "frmMainLeft", "75");
    const WindowPlacement p = LoadWindowPlacement(store, "frmMain", kScreen);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.left, 75);
    EXPECT_EQ(p.width, 9600);
    EXPECT_EQ(p.state, WindowState::Normal);
}

struct StateCase {
    long long stored;
    WindowState expected;
};

class StoredWindowState : public ::testing::TestWithParam<StateCase> {};

TEST_P(StoredWindowState, OnlyOneAndTwoAreNotNormal) {
    EXPECT_EQ(WindowStateFromNumber(GetParam().stored), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, StoredWindowState,
                         ::testing::Values(StateCase{0, WindowState::Normal},
                                           StateCase{1, WindowState::Minimised},
                                           StateCase{2, WindowState::Maximised},
                                           StateCase{3, WindowState::Normal},
                                           StateCase{-1, WindowState::Normal}));

// ---- Windows with keys of their own in "Configs" ----

struct OwnKeyCase {
    OwnKeyWindow window;
    std::vector<std::string> keys;                   // reading order
    std::optional<double> top, left, width, height;  // first-run place, main 12000 x 9000
};

// Main window 12000 x 9000 twips; the window being placed is 3000 x 1000 at that moment.
constexpr TwipsSize kMain{12000, 9000};
constexpr TwipsSize kCurrent{3000, 1000};

class OwnKeyFirstRun : public ::testing::TestWithParam<OwnKeyCase> {};

TEST_P(OwnKeyFirstRun, ReadsItsKeysInOrderAndGivesTheirDefaults) {
    const OwnKeyCase& c = GetParam();
    std::vector<std::string> keys;
    for (const OwnKey& key : OwnKeysOf(c.window)) {
        keys.push_back(key.key);
    }
    EXPECT_EQ(keys, c.keys);

    MemorySettingsStore empty;
    const OwnKeyPlacement p = LoadOwnKeyPlacement(empty, c.window, kMain, kCurrent);
    EXPECT_EQ(p.state, WindowState::Normal);
    EXPECT_EQ(p.top, c.top);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
    EXPECT_EQ(empty.reads, static_cast<int>(c.keys.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, OwnKeyFirstRun,
    ::testing::Values(OwnKeyCase{OwnKeyWindow::ID,
                                 {"IDWindowState", "IDTop", "IDLeft", "IDWidth", "IDHeight"},
                                 0,
                                 0,
                                 4725,
                                 7470},
                      // Centred: (9000 - 1000) / 2 from the top, (12000 - 3000) / 2 from the left.
                      OwnKeyCase{OwnKeyWindow::Version,
                                 {"VersionWindowState", "VersionTop", "VersionLeft", "VersionWidth",
                                  "VersionHeight"},
                                 4000,
                                 4500,
                                 4320,
                                 2475},
                      OwnKeyCase{OwnKeyWindow::OpTime,
                                 {"OpTimeWindowState", "OpTimeTop", "OpTimeLeft", "OpTimeWidth",
                                  "OpTimeHeight"},
                                 4000,
                                 4500,
                                 4620,
                                 1440},
                      OwnKeyCase{OwnKeyWindow::PeekPoke,
                                 {"PeekPokeWindowState", "PeekPokeTop", "PeekPokeLeft",
                                  "PeekPokeWidth", "PeekPokeHeight"},
                                 500,
                                 500,
                                 3585,
                                 2265},
                      OwnKeyCase{OwnKeyWindow::Tries,
                                 {"TriesWindowState", "TriesTop", "TriesLeft"},
                                 0,
                                 0,
                                 std::nullopt,
                                 std::nullopt},
                      OwnKeyCase{OwnKeyWindow::TimedOut,
                                 {"TimedOutWindowState", "TimedOutWidth", "TimedOutHeight",
                                  "TimedOutTop", "TimedOutLeft"},
                                 0,
                                 0,
                                 4800,
                                 2475}));

class OwnKeyMinimised : public ::testing::TestWithParam<OwnKeyWindow> {};

TEST_P(OwnKeyMinimised, SkipsPositionAndSizeWhenTheStoredStateIsNotNormal) {
    for (long long state : {1LL, 2LL}) {
        MemorySettingsStore store;
        for (const OwnKey& key : OwnKeysOf(GetParam())) {
            store.Write(
                "Configs", key.key,
                key.field == PlacementField::State ? std::to_string(state) : std::string("1234"));
        }
        const OwnKeyPlacement p = LoadOwnKeyPlacement(store, GetParam(), kMain, kCurrent);
        EXPECT_EQ(static_cast<long long>(p.state), state);
        EXPECT_FALSE(p.top || p.left || p.width || p.height);
        EXPECT_EQ(store.reads, 1) << "only the state key is read";
    }
}

TEST_P(OwnKeyMinimised, UsesTheStoredPlaceWhenTheStoredStateIsNormal) {
    MemorySettingsStore store;
    for (const OwnKey& key : OwnKeysOf(GetParam())) {
        store.Write("Configs", key.key,
                    key.field == PlacementField::State ? std::string("0") : std::string("1234"));
    }
    const OwnKeyPlacement p = LoadOwnKeyPlacement(store, GetParam(), kMain, kCurrent);
    EXPECT_EQ(p.state, WindowState::Normal);
    EXPECT_EQ(p.top, 1234);
    EXPECT_EQ(p.left, 1234);
}

INSTANTIATE_TEST_SUITE_P(Windows, OwnKeyMinimised,
                         ::testing::Values(OwnKeyWindow::ID, OwnKeyWindow::Version,
                                           OwnKeyWindow::OpTime, OwnKeyWindow::PeekPoke,
                                           OwnKeyWindow::Tries, OwnKeyWindow::TimedOut));

TEST(OwnKeyPlacement, CentringUsesTheSizesAtTheMomentOfReading) {
    MemorySettingsStore empty;
    const OwnKeyPlacement p =
        LoadOwnKeyPlacement(empty, OwnKeyWindow::Version, {8000, 6000}, {4320, 2475});
    EXPECT_EQ(p.top, (6000 - 2475) / 2.0);
    EXPECT_EQ(p.left, (8000 - 4320) / 2.0);
}

TEST(OwnKeyPlacement, SaveStoresEveryKeyOfTheWindowStateAsAWholeNumber) {
    MemorySettingsStore store;
    SaveOwnKeyPlacement(store, OwnKeyWindow::TimedOut,
                        {10, 20, 4800, 2475.5, WindowState::Minimised});
    EXPECT_EQ(store.Get("Configs", "TimedOutWindowState"), "1");
    EXPECT_EQ(store.Get("Configs", "TimedOutTop"), "10");
    EXPECT_EQ(store.Get("Configs", "TimedOutLeft"), "20");
    EXPECT_EQ(store.Get("Configs", "TimedOutWidth"), "4800");
    EXPECT_EQ(store.Get("Configs", "TimedOutHeight"), "2475.5");
    EXPECT_EQ(store.values.size(), 5u);
}

TEST(OwnKeyPlacement, TheRetryLimitWindowStoresNoSize) {
    MemorySettingsStore store;
    SaveOwnKeyPlacement(store, OwnKeyWindow::Tries, {10, 20, 4800, 2475, WindowState::Normal});
    EXPECT_EQ(store.Get("Configs", "TriesWindowState"), "0");
    EXPECT_EQ(store.Get("Configs", "TriesTop"), "10");
    EXPECT_EQ(store.Get("Configs", "TriesLeft"), "20");
    EXPECT_EQ(store.values.size(), 3u);
}

}  // namespace
}  // namespace zorvex
