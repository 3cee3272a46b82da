#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "MemorySettingsStore.h"
#include "core/settings/WindowPlacement.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;
using Strings = std::vector<std::string>;

constexpr TwipsSize kScreen{19200, 14400};  // 1280 x 960 pixels at 96 dpi

auto Tie(const WindowPlacement& p) {
    return std::tie(p.top, p.left, p.width, p.height, p.state);
}

// The texts stored under "section" for each of the keys, "-" for a key not stored.
Strings Stored(const MemorySettingsStore& store, const char* section, const Strings& keys) {
    Strings texts;
    for (const std::string& key : keys) {
        texts.push_back(store.values.count({section, key}) ? store.Get(section, key) : "-");
    }
    return texts;
}

TEST(WindowPlacement, OnTheFirstRunOpensAtTheTopLeftHalfTheScreenOrTheSizeTheWindowNeeds) {
    MemorySettingsStore store;
    const WindowPlacement half{0, 0, 9600, 7200, WindowState::Normal};
    EXPECT_EQ(Tie(LoadWindowPlacement(store, "frmCommLog", kScreen)), Tie(half));
    // A child window that names the size its controls need opens at that size instead,
    // while a stored size still wins.
    const TwipsSize fits{4410, 5430};
    const WindowPlacement fitting{0, 0, 4410, 5430, WindowState::Normal};
    EXPECT_EQ(Tie(LoadWindowPlacement(store, "frmConnect", kScreen, fits)), Tie(fitting));
    store.Write("Locations", "frmConnectWidth", "6000");
    const WindowPlacement wider{0, 0, 6000, 5430, WindowState::Normal};
    EXPECT_EQ(Tie(LoadWindowPlacement(store, "frmConnect", kScreen, fits)), Tie(wider));
}

TEST(WindowPlacement, SaveWritesFiveLocationsKeysAndAMinimisedWindowComesBackInItsOldPlace) {
    MemorySettingsStore store;
    const WindowPlacement saved{120, 240, 4800.5, 3600, WindowState::Minimised};
    SaveWindowPlacement(store, "frmCommLog", saved);
    EXPECT_EQ(Stored(store, "Locations",
                     {"frmCommLogTop", "frmCommLogLeft", "frmCommLogWidth", "frmCommLogHeight",
                      "frmCommLogWindowstate"}),
              (Strings{"120", "240", "4800.5", "3600", "1"}));
    EXPECT_EQ(store.values.size(), 5u);
    EXPECT_EQ(Tie(LoadWindowPlacement(store, "frmCommLog", kScreen)), Tie(saved));
    SaveWindowPlacement(store, "frmCommLog", {0, 0, 1, 1, WindowState::Maximised});
    EXPECT_EQ(store.Get("Locations", "frmCommLogWindowstate"), "2");
}

TEST(WindowPlacement, ATextThatIsNotANumberOrAStateGivesThatKeysDefault) {
    MemorySettingsStore store;
    store.Write("Locations", "frmMainTop", "high");
    store.Write("Locations", "frmMainWidth", "");
    store.Write("Locations", "frmMainWindowstate", "minimised");
    store.Write("Locations", "frmMainLeft", "75");
    const WindowPlacement expected{0, 75, 9600, 7200, WindowState::Normal};
    EXPECT_EQ(Tie(LoadWindowPlacement(store, "frmMain", kScreen)), Tie(expected));
    EXPECT_EQ(WindowStateFromNumber(3), WindowState::Normal);
    EXPECT_EQ(WindowStateFromNumber(-1), WindowState::Normal);
}

// ---- Windows with keys of their own in "Configs" ----

using W = OwnKeyWindow;
using Place = std::optional<double>;
constexpr auto kNone = std::nullopt;
// Main window 12000 x 9000 twips; the window being placed is 3000 x 1000 at that moment.
constexpr TwipsSize kMain{12000, 9000};
constexpr TwipsSize kCurrent{3000, 1000};

auto Tie(const OwnKeyPlacement& p) {
    return std::tie(p.state, p.top, p.left, p.width, p.height);
}

struct OwnKeyCase {
    W window;
    const char* prefix;
    const char* order;               // after the state key: T(op), L(eft), W(idth), H(eight)
    Place top, left, width, height;  // first-run place
};

// Version and OpTime are centred: (9000 - 1000) / 2 from the top, (12000 - 3000) / 2 from
// the left.
const OwnKeyCase kOwnKeyWindows[] = {{W::ID, "ID", "TLWH", 0, 0, 4725, 7470},
                                     {W::Version, "Version", "TLWH", 4000, 4500, 4320, 2475},
                                     {W::OpTime, "OpTime", "TLWH", 4000, 4500, 4620, 1440},
                                     {W::PeekPoke, "PeekPoke", "TLWH", 500, 500, 3585, 2265},
                                     {W::Tries, "Tries", "TL", 0, 0, kNone, kNone},
                                     {W::TimedOut, "TimedOut", "WHTL", 0, 0, 4800, 2475}};

TEST(OwnKeyWindows, ReadTheirKeysInOrderAndGiveTheirDefaultsOnTheFirstRun) {
    for (const OwnKeyCase& c : kOwnKeyWindows) {
        Strings expectedKeys = {std::string(c.prefix) + "WindowState"};
        for (const char* letter = c.order; *letter != '\0'; ++letter) {
            expectedKeys.push_back(c.prefix + std::string(*letter == 'T'   ? "Top"
                                                          : *letter == 'L' ? "Left"
                                                          : *letter == 'W' ? "Width"
                                                                           : "Height"));
        }
        Strings keys;
        for (const OwnKey& key : OwnKeysOf(c.window)) {
            keys.push_back(key.key);
        }
        EXPECT_EQ(keys, expectedKeys);
        MemorySettingsStore empty;
        const OwnKeyPlacement first{WindowState::Normal, c.top, c.left, c.width, c.height};
        EXPECT_EQ(Tie(LoadOwnKeyPlacement(empty, c.window, kMain, kCurrent)), Tie(first))
            << c.prefix;
        EXPECT_EQ(empty.reads, static_cast<int>(keys.size()));
    }
    // Centring uses the sizes at the moment of reading.
    MemorySettingsStore empty;
    const OwnKeyPlacement p = LoadOwnKeyPlacement(empty, W::Version, {8000, 6000}, {4320, 2475});
    EXPECT_EQ(p.top, (6000 - 2475) / 2.0);
    EXPECT_EQ(p.left, (8000 - 4320) / 2.0);
}

TEST(OwnKeyWindows, SkipPositionAndSizeUnlessTheStoredStateIsNormal) {
    for (const OwnKeyCase& c : kOwnKeyWindows) {
        for (long long state : {0LL, 1LL, 2LL}) {
            MemorySettingsStore store;
            for (const OwnKey& key : OwnKeysOf(c.window)) {
                store.Write("Configs", key.key,
                            key.field == PlacementField::State ? std::to_string(state) : "1234");
            }
            const OwnKeyPlacement p = LoadOwnKeyPlacement(store, c.window, kMain, kCurrent);
            EXPECT_EQ(static_cast<long long>(p.state), state);
            const Place stored = state == 0 ? Place(1234) : kNone;
            EXPECT_EQ(std::tie(p.top, p.left), std::tie(stored, stored)) << c.prefix << state;
            if (state != 0) {
                EXPECT_FALSE(p.width || p.height);
                EXPECT_EQ(store.reads, 1) << "only the state key is read";
            }
        }
    }
}

TEST(OwnKeyPlacement, SaveStoresEveryKeyOfTheWindowAndTheRetryLimitWindowNoSize) {
    MemorySettingsStore store;
    SaveOwnKeyPlacement(store, W::TimedOut, {10, 20, 4800, 2475.5, WindowState::Minimised});
    SaveOwnKeyPlacement(store, W::Tries, {10, 20, 4800, 2475, WindowState::Normal});
    EXPECT_EQ(Stored(store, "Configs",
                     {"TimedOutWindowState", "TimedOutTop", "TimedOutLeft", "TimedOutWidth",
                      "TimedOutHeight", "TriesWindowState", "TriesTop", "TriesLeft"}),
              (Strings{"1", "10", "20", "4800", "2475.5", "0", "10", "20"}));
    EXPECT_EQ(store.values.size(), 8u);
}

}  // namespace
}  // namespace zorvex
