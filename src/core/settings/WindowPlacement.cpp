#include "core/settings/WindowPlacement.h"

#include <string>

namespace zorvex {

namespace {

OwnKey State(std::string key) {
    return {PlacementField::State, std::move(key), {0, false}};
}
OwnKey At(PlacementField field, std::string key, double twips) {
    return {field, std::move(key), {twips, false}};
}

// Standard window layout: state, top, left, width, height.
std::vector<OwnKey> Standard(const std::string& prefix, OwnKeyDefault top, OwnKeyDefault left,
                             double width, double height) {
    return {State(prefix + "WindowState"),
            {PlacementField::Top, prefix + "Top", top},
            {PlacementField::Left, prefix + "Left", left},
            At(PlacementField::Width, prefix + "Width", width),
            At(PlacementField::Height, prefix + "Height", height)};
}

constexpr OwnKeyDefault kCentre{0, true};
OwnKeyDefault Twips(double value) {
    return {value, false};
}

double CentredDefault(PlacementField field, TwipsSize mainWindow, TwipsSize currentSize) {
    if (field == PlacementField::Top) {
        return (mainWindow.height - currentSize.height) / 2;
    }
    return (mainWindow.width - currentSize.width) / 2;
}

}  // namespace

WindowState WindowStateFromNumber(long long number) {
    switch (number) {
        case 1:
            return WindowState::Minimised;
        case 2:
            return WindowState::Maximised;
        default:
            return WindowState::Normal;
    }
}

WindowPlacement LoadWindowPlacement(const SettingsStore& store, std::string_view windowName,
                                    TwipsSize screen, std::optional<TwipsSize> firstRunSize) {
    const std::string name(windowName);
    const TwipsSize fallback =
        firstRunSize.value_or(TwipsSize{screen.width / 2, screen.height / 2});
    WindowPlacement placement;
    placement.top = ReadSingle(store, LocationsSection, name + "Top", 0);
    placement.left = ReadSingle(store, LocationsSection, name + "Left", 0);
    placement.width = ReadSingle(store, LocationsSection, name + "Width", fallback.width);
    placement.height = ReadSingle(store, LocationsSection, name + "Height", fallback.height);
    placement.state =
        WindowStateFromNumber(ReadWholeNumber(store, LocationsSection, name + "Windowstate", 0));
    return placement;
}

void SaveWindowPlacement(SettingsStore& store, std::string_view windowName,
                         const WindowPlacement& placement) {
    const std::string name(windowName);
    WriteSingle(store, LocationsSection, name + "Top", placement.top);
    WriteSingle(store, LocationsSection, name + "Left", placement.left);
    WriteSingle(store, LocationsSection, name + "Height", placement.height);
    WriteSingle(store, LocationsSection, name + "Width", placement.width);
    WriteWholeNumber(store, LocationsSection, name + "Windowstate",
                     static_cast<long long>(placement.state));
}

const std::vector<OwnKey>& OwnKeysOf(OwnKeyWindow window) {
    static const std::vector<OwnKey> id = Standard("ID", Twips(0), Twips(0), 4725, 7470);
    static const std::vector<OwnKey> version = Standard("Version", kCentre, kCentre, 4320, 2475);
    static const std::vector<OwnKey> opTime = Standard("OpTime", kCentre, kCentre, 4620, 1440);
    static const std::vector<OwnKey> peekPoke =
        Standard("PeekPoke", Twips(500), Twips(500), 3585, 2265);
    static const std::vector<OwnKey> tries = {State("TriesWindowState"),
                                              At(PlacementField::Top, "TriesTop", 0),
                                              At(PlacementField::Left, "TriesLeft", 0)};
    static const std::vector<OwnKey> timedOut = {
        State("TimedOutWindowState"), At(PlacementField::Width, "TimedOutWidth", 4800),
        At(PlacementField::Height, "TimedOutHeight", 2475),
        At(PlacementField::Top, "TimedOutTop", 0), At(PlacementField::Left, "TimedOutLeft", 0)};
    switch (window) {
        case OwnKeyWindow::ID:
            return id;
        case OwnKeyWindow::Version:
            return version;
        case OwnKeyWindow::OpTime:
            return opTime;
        case OwnKeyWindow::PeekPoke:
            return peekPoke;
        case OwnKeyWindow::Tries:
            return tries;
        case OwnKeyWindow::TimedOut:
            break;
    }
    return timedOut;
}

OwnKeyPlacement LoadOwnKeyPlacement(const SettingsStore& store, OwnKeyWindow window,
                                    TwipsSize mainWindow, TwipsSize currentSize) {
    OwnKeyPlacement placement;
    for (const OwnKey& key : OwnKeysOf(window)) {
        if (key.field == PlacementField::State) {
            placement.state =
                WindowStateFromNumber(ReadWholeNumber(store, ConfigsSection, key.key, 0));
            if (placement.state != WindowState::Normal) {
                // A minimised or maximised window keeps the size the toolkit gives it.
                return placement;
            }
            continue;
        }
        const double fallback = key.fallback.centred
                                    ? CentredDefault(key.field, mainWindow, currentSize)
                                    : key.fallback.twips;
        const double value = ReadSingle(store, ConfigsSection, key.key, fallback);
        switch (key.field) {
            case PlacementField::Top:
                placement.top = value;
                break;
            case PlacementField::Left:
                placement.left = value;
                break;
            case PlacementField::Width:
                placement.width = value;
                break;
            case PlacementField::Height:
                placement.height = value;
                break;
            case PlacementField::State:
                break;
        }
    }
    return placement;
}

void SaveOwnKeyPlacement(SettingsStore& store, OwnKeyWindow window,
                         const WindowPlacement& placement) {
    for (const OwnKey& key : OwnKeysOf(window)) {
        switch (key.field) {
            case PlacementField::State:
                WriteWholeNumber(store, ConfigsSection, key.key,
                                 static_cast<long long>(placement.state));
                break;
            case PlacementField::Top:
                WriteSingle(store, ConfigsSection, key.key, placement.top);
                break;
            case PlacementField::Left:
                WriteSingle(store, ConfigsSection, key.key, placement.left);
                break;
            case PlacementField::Width:
                WriteSingle(store, ConfigsSection, key.key, placement.width);
                break;
            case PlacementField::Height:
                WriteSingle(store, ConfigsSection, key.key, placement.height);
                break;
        }
    }
}

}  // namespace zorvex
