#include "ui/panels/PanelWidgets.h"

#include <QFontMetrics>

namespace zorvex {

QLabel* MakeCaptionLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* MakeValueLabel(QWidget* parent, const char* name, int typicalCharacters) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                           typicalCharacters);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, const char* tip) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (tip != nullptr) {
        button->setToolTip(QString::fromLatin1(tip));
    }
    button->setAutoDefault(false);
    return button;
}

}  // namespace zorvex
