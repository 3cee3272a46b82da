#include "ui/panels/info/frmVersion.h"

#include <QGridLayout>

#include "core/panels/info/InfoPanelTexts.h"
#include "core/panels/info/InfoRequests.h"
#include "ui/app/QtText.h"
#include "ui/panels/ChildActivation.h"
#include "ui/panels/PanelWidgets.h"

namespace zorvex {

namespace t = info_texts;

frmVersion::frmVersion(CommandSink& sink, QWidget* parent) : QWidget(parent), sink_(sink) {
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QString::fromLatin1(t::VersionCaption));

    auto* grid = new QGridLayout;
    grid->addWidget(MakeCaptionLabel(this, "lblFirmwareVersion", t::FirmwareVersionLabel), 0, 0);
    firmware_ = MakeValueLabel(this, "lblMonitorFirmwareVersionValue", 10);
    grid->addWidget(firmware_, 0, 1);
    grid->addWidget(MakeCaptionLabel(this, "lblEpromVersion", t::EpromVersionLabel), 1, 0);
    eprom_ = MakeValueLabel(this, "lblMonitorEpromVersionValue", 10);
    grid->addWidget(eprom_, 1, 1);
    grid->addWidget(MakeCaptionLabel(this, "lblKVTFit", t::ToolVersionLabel), 2, 0);
    QLabel* tool = MakeValueLabel(this, "lblKVTFitVersionValue", 10);
    tool->setText(FromBytes(ToolVersionText()));
    grid->addWidget(tool, 2, 1);
    grid->setColumnStretch(1, 1);

    LayOutValuesWithReReadAndOk(*this, grid, t::ReRead, t::Ok, t::VersionOkTip,
                                [this] { RequestVersions(sink_); });

    new ChildActivation(*this, [this] { OnActivate(); });
}

void frmVersion::SetValue(InfoLabel label, const QString& text) {
    if (label == InfoLabel::FirmwareVersion) {
        firmware_->setText(text);
    } else if (label == InfoLabel::RomVersion) {
        eprom_->setText(text);
    }
}

void frmVersion::OnActivate() {
    RequestVersions(sink_);
}

}  // namespace zorvex
