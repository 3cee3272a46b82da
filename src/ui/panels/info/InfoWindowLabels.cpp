#include "ui/panels/info/InfoWindowLabels.h"

#include "ui/app/QtText.h"

namespace zorvex {

namespace {

// Blanking a label of a window that was never created changes nothing anyone could see:
// the window would open with that label blank anyway. Creating it for that (the offline
// status blanks the version labels at start-up) would only place it before the main
// window has its size.
template <class W>
W* Target(ChildWindow<W>& window, const std::string& text) {
    if (text.empty() && !window.Exists()) {
        return nullptr;
    }
    return &window.Get();
}

}  // namespace

void InfoWindowLabels::SetInfoLabel(InfoLabel label, const std::string& text) {
    const QString shown = FromBytes(text);
    auto write = [&](auto& window) {
        if (auto* target = Target(window, text)) {
            target->SetValue(label, shown);
        }
    };
    switch (label) {
        case InfoLabel::Model:
        case InfoLabel::Serial:
        case InfoLabel::Part:
            write(id_);
            break;
        case InfoLabel::RomVersion:
        case InfoLabel::FirmwareVersion:
            write(version_);
            break;
        case InfoLabel::OperatingTime:
        case InfoLabel::OperatingCycles:
            write(opTime_);
            break;
    }
}

}  // namespace zorvex
