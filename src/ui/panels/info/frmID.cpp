#include "ui/panels/info/frmID.h"

#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <algorithm>

#include "core/panels/info/InfoPanelTexts.h"
#include "core/panels/info/InfoRequests.h"
#include "ui/app/ChildWindow.h"
#include "ui/app/Twips.h"
#include "ui/panels/ChildActivation.h"
#include "ui/panels/PanelWidgets.h"

namespace zorvex {

namespace t = info_texts;

namespace {
constexpr int Margin = 9;
}

frmID::frmID(const MonitorData& data, CommandSink& sink, QWidget* parent)
    : QWidget(parent), data_(data), sink_(sink) {
    setObjectName(QStringLiteral("frmID"));
    setWindowTitle(QString::fromLatin1(t::IdCaption));

    // The value rows are laid out; the Done button keeps its distance from the window's
    // bottom edge instead, as the window's height changes with the monitor family.
    rows_ = new QWidget(this);
    auto* grid = new QGridLayout(rows_);
    grid->setContentsMargins(Margin, Margin, Margin, 0);
    grid->addWidget(MakeCaptionLabel(rows_, "lblModelLabel", t::ModelLabel), 0, 0);
    lblModel_ = MakeValueLabel(rows_, "lblModel");
    grid->addWidget(lblModel_, 0, 1);
    grid->addWidget(MakeCaptionLabel(rows_, "lblSerialLabel", t::SerialLabel), 1, 0);
    lblSerial_ = MakeValueLabel(rows_, "lblSerial");
    grid->addWidget(lblSerial_, 1, 1);
    lblPartLabel_ = MakeCaptionLabel(rows_, "lblPartLabel", t::PartLabel);
    grid->addWidget(lblPartLabel_, 2, 0);
    lblPart_ = MakeValueLabel(rows_, "lblPart");
    grid->addWidget(lblPart_, 2, 1);
    grid->setColumnStretch(1, 1);

    btnDone_ = MakeButton(this, "btnDone", t::IdDone, t::IdDoneTip);
    connect(btnDone_, &QPushButton::clicked, this, [this] { HideChildWindow(*this); });

    // Until the first activation says otherwise, the part row follows what is known.
    lblPartLabel_->setVisible(data_.PartNumberSupported);
    lblPart_->setVisible(data_.PartNumberSupported);

    activation_ = new ChildActivation(*this, [this] { OnActivate(); });
}

void frmID::SetValue(InfoLabel label, const QString& text) {
    switch (label) {
        case InfoLabel::Model:
            lblModel_->setText(text);
            break;
        case InfoLabel::Serial:
            lblSerial_->setText(text);
            break;
        case InfoLabel::Part:
            lblPart_->setText(text);
            break;
        default:
            break;
    }
}

void frmID::OnActivate() {
    const IdLayout layout = ActivateIdWindow(data_, sink_);
    lblPartLabel_->setVisible(layout.partRowVisible);
    lblPart_->setVisible(layout.partRowVisible);
    rows_->layout()->activate();
    const int height = TwipsToPixels(layout.heightTwips, LogicalDpiY(this));
    if (QMdiSubWindow* frame = activation_->Frame()) {
        frame->setMinimumSize(frame->minimumSizeHint());
        // A maximised or minimised window keeps its size; the height is for a normal one.
        if (!frame->isMaximized() && !frame->isMinimized()) {
            frame->resize(frame->width(), std::max(height, frame->minimumHeight()));
        }
    } else {
        resize(width(), std::max(height, minimumSizeHint().height()));
    }
    LayOut();
}

int frmID::FrameHeight() const {
    if (auto* frame = ChildFrameOf(*this)) {
        return frame->height();
    }
    return height();
}

QSize frmID::minimumSizeHint() const {
    const QSize rows = rows_->minimumSizeHint();
    const QSize done = btnDone_->sizeHint();
    return {std::max(rows.width(), done.width() + 2 * Margin),
            rows.height() + 2 * Margin + done.height()};
}

void frmID::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void frmID::LayOut() {
    rows_->setGeometry(0, 0, width(), rows_->sizeHint().height());
    PlaceDoneButton();
}

void frmID::PlaceDoneButton() {
    const double dpi = LogicalDpiY(this);
    const int wanted =
        TwipsToPixels(IdDoneTop(static_cast<int>(PixelsToTwips(FrameHeight(), dpi))), dpi);
    const QSize size = btnDone_->sizeHint();
    // Never below the window's bottom edge, never over the value rows.
    const int lowest = height() - size.height() - Margin;
    const int highest = rows_->geometry().bottom() + Margin;
    const int top = std::max(highest, std::min(wanted, lowest));
    btnDone_->setGeometry((width() - size.width()) / 2, top, size.width(), size.height());
}

}  // namespace zorvex
