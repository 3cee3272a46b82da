#include "ui/panels/info/frmCapability.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/panels/info/CapabilityColours.h"
#include "core/panels/info/InfoPanelTexts.h"
#include "core/protocol/CapabilityFlags.h"
#include "ui/panels/ChildActivation.h"
#include "ui/panels/PanelWidgets.h"

namespace zorvex {

namespace {

// The indicator buttons in bit order of the capability word.
constexpr std::array<const char*, CapabilityFlagCount> IndicatorNames = {
    "btnLVPS", "btnPwrDist",     "btnVideo", "btnDeflection",
    "btnNS",   "btnConvergence", "btnG2",    "btnExpLEDs"};

constexpr const char* ColourProperty = "indicatorColour";

}  // namespace

frmCapability::frmCapability(const MonitorData& data, QWidget* parent)
    : QWidget(parent), data_(data), notice_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmCapability"));
    setWindowTitle(QString::fromLatin1(info_texts::CapabilityCaption));

    auto* grid = new QGridLayout;
    const int side = fontMetrics().height() + 4;
    for (int bit = 0; bit < CapabilityFlagCount; ++bit) {
        auto* indicator = new QPushButton(this);
        indicator->setObjectName(QString::fromLatin1(IndicatorNames[bit]));
        indicator->setFixedSize(side, side);
        indicator->setFocusPolicy(Qt::NoFocus);
        indicators_[bit] = indicator;
        grid->addWidget(indicator, bit, 0);
        const std::string_view unit = CapabilityUnitNames[bit];
        auto* label =
            new QLabel(QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())), this);
        label->setObjectName(QStringLiteral("lbl") + indicator->objectName().mid(3));
        grid->addWidget(label, bit, 1);
    }
    grid->setColumnStretch(1, 1);

    QPushButton* done = MakeButton(this, "btnDone", info_texts::CapabilityDone);
    connect(done, &QPushButton::clicked, this, [this] { HideChildWindow(*this); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(done);

    notice_->setObjectName(QStringLiteral("lblNotice"));
    notice_->setWordWrap(true);
    auto* column = new QVBoxLayout(this);
    column->addWidget(notice_);
    column->addLayout(grid);
    column->addStretch();
    column->addLayout(buttons);

    OnActivate();
    new ChildActivation(*this, [this] { OnActivate(); });
}

void frmCapability::OnActivate() {
    const std::string notice = CapabilityNotice(data_);
    notice_->setText(QString::fromStdString(notice));
    notice_->setVisible(!notice.empty());
    const auto colours = CapabilityIndicatorColours(data_);
    for (int bit = 0; bit < CapabilityFlagCount; ++bit) {
        const QColor colour(colours[bit].red, colours[bit].green, colours[bit].blue);
        indicators_[bit]->setProperty(ColourProperty, colour);
        indicators_[bit]->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; border: 1px solid gray; }")
                .arg(colour.name()));
    }
}

QColor frmCapability::IndicatorColourOf(int bit) const {
    return indicators_.at(static_cast<std::size_t>(bit))->property(ColourProperty).value<QColor>();
}

}  // namespace zorvex
