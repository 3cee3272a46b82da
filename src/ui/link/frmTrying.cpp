#include "ui/link/frmTrying.h"

#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

#include "core/link/ConnectionController.h"
#include "ui/app/ChildWindow.h"
#include "ui/app/QtText.h"
#include "ui/app/Twips.h"

namespace zorvex {

frmTrying::frmTrying(ConnectionController& connection, QWidget* parent)
    : QWidget(parent), connection_(connection) {
    setObjectName(QStringLiteral("frmTrying"));
    setWindowTitle(QStringLiteral("Trying to Connect to Monitor"));

    auto* limitCaption = new QLabel(QStringLiteral("Tries to Make:"), this);
    limitCaption->setObjectName(QStringLiteral("lblTriesToMake"));
    lblLimit_ = new QLabel(this);
    lblLimit_->setObjectName(QStringLiteral("lblLimit"));
    auto* toGoCaption = new QLabel(QStringLiteral("Tries Remaining:"), this);
    toGoCaption->setObjectName(QStringLiteral("lblTriesRemaining"));
    lblToGo_ = new QLabel(this);
    lblToGo_->setObjectName(QStringLiteral("lblToGo"));

    btnChange_ = new QPushButton(QStringLiteral("Change ..."), this);
    btnChange_->setObjectName(QStringLiteral("btnChange"));
    btnChange_->setToolTip(QStringLiteral("Change Retry Limit"));
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setToolTip(QStringLiteral("Stop Connect Attempt"));
    connect(btnChange_, &QPushButton::clicked, this, [this] { connection_.Change(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { connection_.Cancel(); });

    // Small and tight: the window keeps its historic fixed size.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(0);
    layout->addWidget(limitCaption, 0, 0);
    layout->addWidget(lblLimit_, 0, 1);
    layout->addWidget(btnChange_, 0, 2);
    layout->addWidget(toGoCaption, 1, 0);
    layout->addWidget(lblToGo_, 1, 1);
    layout->addWidget(btnCancel_, 1, 2);
    layout->setColumnStretch(1, 1);
}

void frmTrying::SetLimitText(const std::string& text) {
    lblLimit_->setText(FromBytes(text));
}

void frmTrying::SetToGoText(const std::string& text) {
    lblToGo_->setText(FromBytes(text));
}

void frmTrying::showEvent(QShowEvent* event) {
    // After its place is restored the window always takes its own size.
    if (auto* frame = ChildFrameOf(*this)) {
        frame->resize(TwipsToPixels(kWidthTwips, LogicalDpiX(this)),
                      TwipsToPixels(kHeightTwips, LogicalDpiY(this)));
    }
    QWidget::showEvent(event);
}

}  // namespace zorvex
