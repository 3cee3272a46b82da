#include "ui/link/frmChangeTries.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/link/ConnectionController.h"
#include "ui/app/QtText.h"

namespace zorvex {

frmChangeTries::frmChangeTries(ConnectionController& connection, QWidget* parent)
    : QWidget(parent), connection_(connection) {
    setObjectName(QStringLiteral("frmChangeTries"));
    setWindowTitle(QStringLiteral("Change Retry Limit"));

    auto* caption = new QLabel(QStringLiteral("Retry Limit:"), this);
    caption->setObjectName(QStringLiteral("lblRetryLimit"));
    txtConnectRetryLimit_ = new QLineEdit(this);
    txtConnectRetryLimit_->setObjectName(QStringLiteral("txtConnectRetryLimit"));
    caption->setBuddy(txtConnectRetryLimit_);
    btnOK_ = new QPushButton(QStringLiteral("OK"), this);
    btnOK_->setObjectName(QStringLiteral("btnOK"));
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK_, &QPushButton::clicked, this, [this] { Apply(); });
    connect(txtConnectRetryLimit_, &QLineEdit::returnPressed, this, [this] { Apply(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { connection_.CancelRetryLimit(); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(txtConnectRetryLimit_, 0, 1);
    layout->addWidget(btnOK_, 1, 0);
    layout->addWidget(btnCancel_, 1, 1);
}

void frmChangeTries::SetLimitText(const std::string& text) {
    txtConnectRetryLimit_->setText(FromBytes(text));
}

void frmChangeTries::Apply() {
    const auto message = connection_.ApplyRetryLimit(ToBytes(txtConnectRetryLimit_->text()));
    if (message && showMessage_) {
        showMessage_(*message);
    }
}

}  // namespace zorvex
