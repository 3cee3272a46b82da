#include "ui/panels/PanelWidgets.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/panels/ChildActivation.h"

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

void LayOutValuesWithReReadAndOk(QWidget& window, QLayout* values, const char* reReadText,
                                 const char* okText, const char* okTip,
                                 std::function<void()> onReRead) {
    QPushButton* reRead = MakeButton(&window, "btnReRead", reReadText);
    QPushButton* ok = MakeButton(&window, "btnOK", okText, okTip);
    QObject::connect(reRead, &QPushButton::clicked, &window, std::move(onReRead));
    QObject::connect(ok, &QPushButton::clicked, &window, [&window] { HideChildWindow(window); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(reRead);
    buttons->addWidget(ok);

    auto* column = new QVBoxLayout(&window);
    column->addLayout(values);
    column->addStretch();
    column->addLayout(buttons);
}

}  // namespace zorvex
