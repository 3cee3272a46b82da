#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemorySettingsStore.h"
#include "core/settings/WindowPlacement.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

constexpr TwipsSize kScreen{19200, 14400};  // 1280 x 960 pixels at 96 dpi

void ExpectPlace(const WindowPlacement& p, double top, double left, double width, double height,
                 WindowState state) {
    EXPECT_EQ(p.top, top);
    EXPECT_EQ(p.left, left);
    EXPECT_EQ(p.width, width);
    EXPECT_EQ(p.height, height);
    EXPECT_EQ(p.state, state);
}

TEST(WindowPlacement, OnTheFirstRunOpensAtTheTopLeftHalfTheScreenWideAndHigh) {
    MemorySettingsStore empty;
    for (const char* window : {"frmMain", "frmCommLog"}) {
        ExpectPlace(LoadWindowPlacement(empty, window, kScreen), 0, 0, 9600, 7200,
                    WindowState::Normal);
    }
    // A child window that names the size its controls need opens at that size instead,
    // while a stored size still wins.
    const TwipsSize fits{4410, 5430};
    ExpectPlace(LoadWindowPlacement(empty, "frmConnect", kScreen, fits), 0, 0, 4410, 5430,
                WindowState::Normal);
    MemorySettingsStore stored;
    stored.Write("Locations", "frmConnectWidth", "6000");
    ExpectPlace(LoadWindowPlacement(stored, "frmConnect", kScreen, fits), 0, 0, 6000, 5430,
                WindowState::Normal);
}

TEST(WindowPlacement, SaveWritesFiveLocationsKeysAndAMinimisedWindowComesBackInItsOldPlace) {
    MemorySettingsStore store;
    SaveWindowPlacement(store, "frmCommLog", {120, 240, 4800.5, 3600, WindowState::Minimised});
    EXPECT_EQ(store.Get("Locations", "frmCommLogTop"), "120");
    EXPECT_EQ(store.Get("Locations", "frmCommLogLeft"), "240");
    EXPECT_EQ(store.Get("Locations", "frmCommLogWidth"), "4800.5");
    EXPECT_EQ(store.Get("Locations", "frmCommLogHeight"), "3600");
    EXPECT_EQ(store.Get("Locations", "frmCommLogWindowstate"), "1");
    EXPECT_EQ(store.values.size(), 5u);
    ExpectPlace(LoadWindowPlacement(store, "frmCommLog", kScreen), 120, 240, 4800.5, 3600,
                WindowState::Minimised);
    SaveWindowPlacement(store, "frmCommLog", {0, 0, 1, 1, WindowState::Maximised});
    EXPECT_EQ(store.Get("Locations", "frmCommLogWindowstate"), "2");
}

TEST(WindowPlacement, ATextThatIsNotANumberOrAStateGivesThatKeysDefault) {
    MemorySettingsStore store;
    store.Write("Locations", "frmMainTop", "high");
    store.Write("Locations", "frmMainWidth", "");
    store.Write("Locations", "frmMainWindowstate", "minimised");
    store.Write("Locations", "frmMainLeft", "75");
    ExpectPlace(LoadWindowPlacement(store, "frmMain", kScreen), 0, 75, 9600, 7200,
                WindowState::Normal);
    EXPECT_EQ(WindowStateFromNumber(3), WindowState::Normal);
    EXPECT_EQ(WindowStateFromNumber(-1), WindowState::Normal);
}

// ---- Windows with keys of their own in "Configs" ----

struct OwnKeyCase {
    OwnKeyWindow window;
    const char* prefix;
    const char* order;  // after the state key: T(op), L(eft), W(idth), H(eight)
    std::optional<double> top, left, width, height;  // first-run place
};

// Main window 12000 x 9000 twips; the window being placed is 3000 x 1000 at that moment.
constexpr TwipsSize kMain{12000, 9000};
constexpr TwipsSize kCurrent{3000, 1000};

class OwnKeyWindows : public ::testing::TestWithParam<OwnKeyCase> {};

TEST_P(OwnKeyWindows, ReadTheirKeysInOrderAndGiveTheirDefaultsOnTheFirstRun) {
    const OwnKeyCase& c = GetParam();
    const std::string prefix = c.prefix;
    std::vector<std::string> expectedKeys = {prefix + "WindowState"};
    for (const char* letter = c.order; *letter != '\0'; ++letter) {
        expectedKeys.push_back(prefix + (*letter == 'T'   ? "Top"
                                         : *letter == 'L' ? "Left"
                                         : *letter == 'W' ? "Width"
                                                          : "Height"));
    }
    std::vector<std::string> keys;
    for (const OwnKey& key : OwnKeysOf(c.window)) {
        keys.push_back(key.key);
    }
    EXPECT_EQ(keys, expectedKeys);

    MemorySettingsStore empty;
    const OwnKeyPlacement p = LoadOwnKeyPlacement(empty, c.window, kMain, kCurrent);
    EXPECT_EQ(p.state, WindowState::Normal);
    EXPECT_EQ(p.top, c.top);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
    EXPECT_EQ(empty.reads, static_cast<int>(keys.size()));
}

TEST_P(OwnKeyWindows, SkipPositionAndSizeUnlessTheStoredStateIsNormal) {
    for (long long state : {0LL, 1LL, 2LL}) {
        MemorySettingsStore store;
        for (const OwnKey& key : OwnKeysOf(GetParam().window)) {
            store.Write(
                "Configs", key.key,
                key.field == PlacementField::State ? std::to_string(state) : std::string("1234"));
        }
        const OwnKeyPlacement p = LoadOwnKeyPlacement(store, GetParam().window, kMain, kCurrent);
        EXPECT_EQ(static_cast<long long>(p.state), state);
        if (state == 0) {
            EXPECT_EQ(p.top, 1234);
            EXPECT_EQ(p.left, 1234);
        } else {
            EXPECT_FALSE(p.top || p.left || p.width || p.height);
            EXPECT_EQ(store.reads, 1) << "only the state key is read";
        }
    }
}

using W = OwnKeyWindow;
constexpr auto kNone = std::nullopt;
// Version and OpTime are centred: (9000 - 1000) / 2 from the top, (12000 - 3000) / 2 from
// the left.
INSTANTIATE_TEST_SUITE_P(
    Windows, OwnKeyWindows,
    ::testing::Values(OwnKeyCase{W::ID, "ID", "TLWH", 0, 0, 4725, 7470},
                      OwnKeyCase{W::Version, "Version", "TLWH", 4000, 4500, 4320, 2475},
                      OwnKeyCase{W::OpTime, "OpTime", "TLWH", 4000, 4500, 4620, 1440},
                      OwnKeyCase{W::PeekPoke, "PeekPoke", "TLWH", 500, 500, 3585, 2265},
                      OwnKeyCase{W::Tries, "Tries", "TL", 0, 0, kNone, kNone},
                      OwnKeyCase{W::TimedOut, "TimedOut", "WHTL", 0, 0, 4800, 2475}));

TEST(OwnKeyPlacement, CentringUsesTheSizesAtTheMomentOfReading) {
    MemorySettingsStore empty;
    const OwnKeyPlacement p = LoadOwnKeyPlacement(empty, W::Version, {8000, 6000}, {4320, 2475});
    EXPECT_EQ(p.top, (6000 - 2475) / 2.0);
    EXPECT_EQ(p.left, (8000 - 4320) / 2.0);
}

TEST(OwnKeyPlacement, SaveStoresEveryKeyOfTheWindowAndTheRetryLimitWindowNoSize) {
    MemorySettingsStore store;
    SaveOwnKeyPlacement(store, W::TimedOut, {10, 20, 4800, 2475.5, WindowState::Minimised});
    EXPECT_EQ(store.Get("Configs", "TimedOutWindowState"), "1");
    EXPECT_EQ(store.Get("Configs", "TimedOutTop"), "10");
    EXPECT_EQ(store.Get("Configs", "TimedOutLeft"), "20");
    EXPECT_EQ(store.Get("Configs", "TimedOutWidth"), "4800");
    EXPECT_EQ(store.Get("Configs", "TimedOutHeight"), "2475.5");
    EXPECT_EQ(store.values.size(), 5u);

    MemorySettingsStore tries;
    SaveOwnKeyPlacement(tries, W::Tries, {10, 20, 4800, 2475, WindowState::Normal});
    EXPECT_EQ(tries.Get("Configs", "TriesWindowState"), "0");
    EXPECT_EQ(tries.Get("Configs", "TriesLeft"), "20");
    EXPECT_EQ(tries.values.size(), 3u);
}

}  // namespace
}  // namespace zorvex
