#include "ui/link/frmTimedOut.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/link/ConnectionController.h"

namespace zorvex {

frmTimedOut::frmTimedOut(ConnectionController& connection, QWidget* parent)
    : QWidget(parent), connection_(connection) {
    setObjectName(QStringLiteral("frmTimedOut"));
    setWindowTitle(QStringLiteral("Monitor Connection Timed Out"));

    auto* notice = new QLabel(QString::fromLatin1(TimedOutNoticeText), this);
    notice->setObjectName(QStringLiteral("lblNotice"));
    notice->setWordWrap(true);
    btnDismiss_ = new QPushButton(QStringLiteral("Dismiss This Window"), this);
    btnDismiss_->setObjectName(QStringLiteral("btnDismiss"));
    // Timer1 of this window is the connection logic's notice timer.
    connect(btnDismiss_, &QPushButton::clicked, this, [this] { connection_.DismissTimedOut(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notice);
    layout->addWidget(btnDismiss_, 0, Qt::AlignHCenter);
}

}  // namespace zorvex
