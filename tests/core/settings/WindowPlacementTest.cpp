#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

#include "MemorySettingsStore.h"
#include "core/settings/WindowPlacement.h"

namespace zorvex {
namespace {

using testing::MemorySettingsStore;

constexpr TwipsSize kScreen{19200, 14400};  // 1280 x 960 pixels at 96 dpi

template <typename... T>
std::string Joined(const T&... parts) {
    std::ostringstream out;
    ((out << ' ' << parts), ...);
    return out.str().substr(1);
}
std::string Seen(const WindowPlacement& p) {
    return Joined(p.top, p.left, p.width, p.height, static_cast<int>(p.state));
}
// A place the window does not set is "-".
std::string Seen(const OwnKeyPlacement& p) {
    auto place = [](std::optional<double> v) { return v ? Joined(*v) : "-"; };
    return Joined(static_cast<int>(p.state), place(p.top), place(p.left), place(p.width),
                  place(p.height));
}
// Everything stored, in key order, as "key=text", each section named before its keys.
std::string Stored(const MemorySettingsStore& store) {
    std::string texts, section;
    for (const auto& [key, text] : store.values) {
        texts += (key.first == section ? " " : " " + (section = key.first) + ": ") + key.second +
                 "=" + text;
    }
    return texts;
}

TEST(WindowPlacement, OnTheFirstRunOpensAtTheTopLeftHalfTheScreenOrTheSizeTheWindowNeeds) {
    MemorySettingsStore store;
    EXPECT_EQ(Seen(LoadWindowPlacement(store, "frmCommLog", kScreen)), "0 0 9600 7200 0");
    // A child window that names the size its controls need opens at that size instead,
    // while a stored size still wins.
    const TwipsSize needs{4410, 5430};
    EXPECT_EQ(Seen(LoadWindowPlacement(store, "frmConnect", kScreen, needs)), "0 0 4410 5430 0");
    store.Write("Locations", "frmConnectWidth", "6000");
    EXPECT_EQ(Seen(LoadWindowPlacement(store, "frmConnect", kScreen, needs)), "0 0 6000 5430 0");
    // A text that is not a number or a state gives that key's default.
    store.Write("Locations", "frmMainTop", "high");
    store.Write("Locations", "frmMainWidth", "");
    store.Write("Locations", "frmMainWindowstate", "3");
    store.Write("Locations", "frmMainLeft", "75");
    EXPECT_EQ(Seen(LoadWindowPlacement(store, "frmMain", kScreen)), "0 75 9600 7200 0");
    EXPECT_EQ(WindowStateFromNumber(-1), WindowState::Normal);
}

TEST(WindowPlacement, SaveWritesFiveLocationsKeysAndAMinimisedWindowComesBackInItsOldPlace) {
    MemorySettingsStore store;
    const WindowPlacement saved{120, 240, 4800.5, 3600, WindowState::Minimised};
    SaveWindowPlacement(store, "frmCommLog", saved);
    EXPECT_EQ(Stored(store),
              " Locations: frmCommLogHeight=3600 frmCommLogLeft=240 frmCommLogTop=120 "
              "frmCommLogWidth=4800.5 frmCommLogWindowstate=1");
    EXPECT_EQ(Seen(LoadWindowPlacement(store, "frmCommLog", kScreen)), Seen(saved));
    SaveWindowPlacement(store, "frmCommLog", {0, 0, 1, 1, WindowState::Maximised});
    EXPECT_EQ(store.Get("Locations", "frmCommLogWindowstate"), "2");
}

// ---- Windows with keys of their own in "Configs" ----

using W = OwnKeyWindow;
// Main window 12000 x 9000 twips; the window being placed is 3000 x 1000 at that moment.
constexpr TwipsSize kMain{12000, 9000};
constexpr TwipsSize kCurrent{3000, 1000};

// The window, the prefix of its keys, the keys after the prefix in the order they are read,
// and the first-run place: state, top, left, width, height. Version and OpTime are centred:
// (9000 - 1000) / 2 from the top, (12000 - 3000) / 2 from the left.
constexpr const char* kAll = "WindowState Top Left Width Height";
const std::tuple<W, std::string, const char*, const char*> kOwnKeyWindows[] = {
    {W::ID, "ID", kAll, "0 0 0 4725 7470"},
    {W::Version, "Version", kAll, "0 4000 4500 4320 2475"},
    {W::OpTime, "OpTime", kAll, "0 4000 4500 4620 1440"},
    {W::PeekPoke, "PeekPoke", kAll, "0 500 500 3585 2265"},
    {W::Tries, "Tries", "WindowState Top Left", "0 0 0 - -"},
    {W::TimedOut, "TimedOut", "WindowState Width Height Top Left", "0 0 0 4800 2475"}};

TEST(OwnKeyWindows, ReadTheirKeysInOrderAndGiveTheirDefaultsOnTheFirstRun) {
    for (const auto& [window, prefix, order, first] : kOwnKeyWindows) {
        std::string keys;  // each without the prefix, when it has it
        for (const OwnKey& key : OwnKeysOf(window)) {
            keys += " " + (key.key.starts_with(prefix) ? key.key.substr(prefix.size()) : key.key);
        }
        MemorySettingsStore empty;
        const std::string seen = Seen(LoadOwnKeyPlacement(empty, window, kMain, kCurrent));
        EXPECT_EQ(Joined(keys, seen, empty.reads),
                  Joined("", order, first, OwnKeysOf(window).size()));
    }
    // Centring uses the sizes at the moment of reading.
    MemorySettingsStore empty;
    EXPECT_EQ(Seen(LoadOwnKeyPlacement(empty, W::Version, {8000, 6000}, {4320, 2475})),
              "0 1762.5 1840 4320 2475");
}

TEST(OwnKeyWindows, SkipPositionAndSizeUnlessTheStoredStateIsNormal) {
    for (const auto& [window, prefix, order, first] : kOwnKeyWindows) {
        for (int state : {0, 1, 2}) {
            MemorySettingsStore store;
            for (const OwnKey& key : OwnKeysOf(window)) {
                store.Write("Configs", key.key,
                            key.field == PlacementField::State ? std::to_string(state) : "1234");
            }
            const std::string seen = Seen(LoadOwnKeyPlacement(store, window, kMain, kCurrent));
            const bool sized = window != W::Tries && state == 0;
            EXPECT_EQ(Joined(seen, store.reads),
                      Joined(state, state == 0 ? "1234 1234" : "- -", sized ? "1234 1234" : "- -",
                             state == 0 ? OwnKeysOf(window).size() : 1u))
                << prefix;
        }
    }
}

TEST(OwnKeyPlacement, SaveStoresEveryKeyOfTheWindowAndTheRetryLimitWindowNoSize) {
    MemorySettingsStore store;
    SaveOwnKeyPlacement(store, W::TimedOut, {10, 20, 4800, 2475.5, WindowState::Minimised});
    SaveOwnKeyPlacement(store, W::Tries, {10, 20, 4800, 2475, WindowState::Normal});
    EXPECT_EQ(Stored(store),
              " Configs: TimedOutHeight=2475.5 TimedOutLeft=20 TimedOutTop=10 TimedOutWidth=4800 "
              "TimedOutWindowState=1 TriesLeft=20 TriesTop=10 TriesWindowState=0");
}

}  // namespace
}  // namespace zorvex
