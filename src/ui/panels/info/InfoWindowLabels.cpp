#include "ui/panels/info/InfoWindowLabels.h"

#include "ui/app/QtText.h"

namespace zorvex {

void InfoWindowLabels::SetInfoLabel(InfoLabel label, const std::string& text) {
    const QString shown = FromBytes(text);
    switch (label) {
        case InfoLabel::Model:
        case InfoLabel::Serial:
        case InfoLabel::Part:
            id_.Get().SetValue(label, shown);
            break;
        case InfoLabel::RomVersion:
        case InfoLabel::FirmwareVersion:
            version_.Get().SetValue(label, shown);
            break;
        case InfoLabel::OperatingTime:
        case InfoLabel::OperatingCycles:
            opTime_.Get().SetValue(label, shown);
            break;
    }
}

}  // namespace zorvex
