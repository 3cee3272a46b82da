// The settings store's readers over arbitrary stored texts, and the placements and switches
// the tool writes read back. Whatever a store holds, a reader gives a usable value (a finite
// number, a window state the windows know, the default for what is no number or switch),
// and everything the tool writes reads back as it was written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/WindowPlacement.h"
#include "core/support/Text.h"

namespace {

using namespace zorvex;
using zorvex::fuzzing::Require;

constexpr OwnKeyWindow OwnKeyWindows[] = {OwnKeyWindow::ID,     OwnKeyWindow::Version,
                                          OwnKeyWindow::OpTime, OwnKeyWindow::PeekPoke,
                                          OwnKeyWindow::Tries,  OwnKeyWindow::TimedOut};

bool Usable(double value) {
    return std::isfinite(value);
}

bool Known(WindowState state) {
    return state == WindowState::Normal || state == WindowState::Minimised ||
           state == WindowState::Maximised;
}

void CheckPlacement(const WindowPlacement& p) {
    Require(Usable(p.top) && Usable(p.left) && Usable(p.width) && Usable(p.height),
            "a window placement is finite");
    Require(Known(p.state), "a window state the windows know");
}

void CheckOwnKeys(const OwnKeyPlacement& p) {
    Require(Known(p.state), "a window state the windows know");
    for (const auto* field : {&p.top, &p.left, &p.width, &p.height}) {
        Require(!*field || Usable(**field), "an own-key placement is finite");
        Require(!*field || p.state == WindowState::Normal,
                "position and size only for a window in the normal state");
    }
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// A number of twips as the windows store it: a whole number of pixels at some resolution.
double StoredTwips(FuzzedDataProvider& in) {
    const int pixels = in.ConsumeIntegralInRange(-100000, 100000);
    const double dpi = in.ConsumeIntegralInRange(48, 600);
    return pixels * 1440.0 / dpi;
}

bool SameSingle(double read, double written) {
    return std::fabs(read - written) <= std::fabs(written) * 1e-6 + 1e-9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    testing::MemorySettingsStore store;

    // Arbitrary texts under the keys the tool reads.
    std::vector<std::pair<std::string, std::string>> keys;
    for (const char* field : {"Top", "Left", "Width", "Height", "Windowstate"}) {
        keys.emplace_back(std::string(LocationsSection), std::string("frmMain") + field);
    }
    for (OwnKeyWindow window : OwnKeyWindows) {
        for (const OwnKey& key : OwnKeysOf(window)) {
            keys.emplace_back(std::string(ConfigsSection), key.key);
        }
    }
    for (const char* key : {"CommPort", "ConnectRetryLimit", "CommLogEnabled"}) {
        keys.emplace_back(std::string(ConfigsSection), key);
    }
    for (const auto& [section, key] : keys) {
        if (in.ConsumeBool()) {
            store.Write(section, key, in.ConsumeRandomLengthString(24));
        }
    }

    for (const auto& [section, key] : keys) {
        const bool stored = store.Has(section, key);
        const std::string text = store.Get(section, key);
        const long long whole = ReadWholeNumber(store, section, key, 7);
        if (!stored) {
            Require(whole == 7, "a missing key reads as its default");
        } else if (const auto exact = ParseWholeNumber(text)) {
            Require(whole == *exact, "a whole number reads as itself: " + text);
        }
        Require(Usable(ReadSingle(store, section, key, 7.5)), "a stored single reads finite");
        const bool defaultSwitch = in.ConsumeBool();
        const bool onOff = ReadTrueFalse(store, section, key, defaultSwitch);
        const std::string lower = Lower(text);
        Require(onOff == (stored && lower == "true"    ? true
                          : stored && lower == "false" ? false
                                                       : defaultSwitch),
                "a switch reads \"True\" or \"False\", anything else as its default");
    }
    const TwipsSize screen{StoredTwips(in), StoredTwips(in)};
    CheckPlacement(LoadWindowPlacement(store, "frmMain", screen));
    for (OwnKeyWindow window : OwnKeyWindows) {
        CheckOwnKeys(
            LoadOwnKeyPlacement(store, window, screen, {StoredTwips(in), StoredTwips(in)}));
    }

    // What the tool writes reads back.
    const long long number = in.ConsumeIntegral<long long>();
    WriteWholeNumber(store, ConfigsSection, "CommPort", number);
    Require(ReadWholeNumber(store, ConfigsSection, "CommPort", 0) == number,
            "a whole number written reads back");
    const bool onOff = in.ConsumeBool();
    WriteTrueFalse(store, ConfigsSection, "CommLogEnabled", onOff);
    Require(ReadTrueFalse(store, ConfigsSection, "CommLogEnabled", !onOff) == onOff,
            "a switch written reads back");
    WindowPlacement placement{StoredTwips(in), StoredTwips(in), StoredTwips(in), StoredTwips(in),
                              WindowStateFromNumber(in.ConsumeIntegralInRange(0, 2))};
    SaveWindowPlacement(store, "frmMain", placement);
    const WindowPlacement back = LoadWindowPlacement(store, "frmMain", screen);
    Require(SameSingle(back.top, placement.top) && SameSingle(back.left, placement.left) &&
                SameSingle(back.width, placement.width) &&
                SameSingle(back.height, placement.height) && back.state == placement.state,
            "a window placement written reads back (as singles)");
    for (OwnKeyWindow window : OwnKeyWindows) {
        SaveOwnKeyPlacement(store, window, placement);
        const OwnKeyPlacement own = LoadOwnKeyPlacement(store, window, screen, screen);
        Require(own.state == placement.state, "an own-key window state written reads back");
        for (const auto& [read, written] :
             {std::pair{own.top, placement.top}, std::pair{own.left, placement.left},
              std::pair{own.width, placement.width}, std::pair{own.height, placement.height}}) {
            Require(!read || SameSingle(*read, written), "an own-key place written reads back");
        }
    }
    return 0;
}
