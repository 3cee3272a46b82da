#include "ui/panels/info/frmOperatingTime.h"

#include <QGridLayout>

#include "core/panels/info/InfoPanelTexts.h"
#include "ui/panels/ChildActivation.h"
#include "ui/panels/PanelWidgets.h"

namespace zorvex {

namespace t = info_texts;

frmOperatingTime::frmOperatingTime(CommandSink& sink, QWidget* parent)
    : QWidget(parent), requests_(sink) {
    setObjectName(QStringLiteral("frmOperatingTime"));
    setWindowTitle(QString::fromLatin1(t::OpTimeCaption));

    auto* grid = new QGridLayout;
    grid->addWidget(MakeCaptionLabel(this, "lblOperatingTimeLabel", t::OperatingTimeLabel), 0, 0);
    time_ = MakeValueLabel(this, "lblOperatingTimeValue", 15);
    grid->addWidget(time_, 0, 1);
    grid->addWidget(MakeCaptionLabel(this, "lblOperatingTimeUnitsLabel", t::OperatingTimeUnits), 0,
                    2);
    grid->addWidget(MakeCaptionLabel(this, "lblOperatingCyclsLabel", t::OperatingCyclesLabel), 1,
                    0);
    cycles_ = MakeValueLabel(this, "lblOperatingCyclesValue", 12);
    grid->addWidget(cycles_, 1, 1);
    grid->setColumnStretch(1, 1);

    LayOutValuesWithReReadAndOk(*this, grid, t::ReRead, t::Ok, nullptr,
                                [this] { requests_.OnReRead(); });

    new ChildActivation(*this, [this] { OnActivate(); });
    // Loading asks at once, also when a reply is what created the window.
    requests_.OnLoad();
}

void frmOperatingTime::SetValue(InfoLabel label, const QString& text) {
    requests_.OnAnswer();
    if (label == InfoLabel::OperatingTime) {
        time_->setText(text);
    } else if (label == InfoLabel::OperatingCycles) {
        cycles_->setText(text);
    }
}

void frmOperatingTime::OnActivate() {
    requests_.OnActivate();
}

}  // namespace zorvex
