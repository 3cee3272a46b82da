#include "ui/app/frmAbout.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QVBoxLayout>

#include "core/app/AboutTexts.h"
#include "ui/app/QtText.h"

namespace zorvex {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

SystemInfoRegistry ReadSystemInfoRegistry() {
    SystemInfoRegistry registry;
#ifdef Q_OS_WIN
    const QSettings msinfo(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
        QSettings::NativeFormat);
    if (msinfo.contains(QStringLiteral("PATH"))) {
        registry.msinfoPath = ToBytes(msinfo.value(QStringLiteral("PATH")).toString());
    }
    const QSettings location(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
        QSettings::NativeFormat);
    if (location.contains(QStringLiteral("MSINFO"))) {
        registry.sharedToolsMsinfo = ToBytes(location.value(QStringLiteral("MSINFO")).toString());
    }
#endif
    // Elsewhere there is no machine-wide registry, so there is no system-information tool.
    return registry;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent),
      lblTitle_(MakeLabel(this, "lblTitle")),
      lblVersion_(MakeLabel(this, "lblVersion")),
      lblDescription_(MakeLabel(this, "lblDescription")),
      lblDisclaimer_(MakeLabel(this, "lblDisclaimer")),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      cmdSysInfo_(new QPushButton(QStringLiteral("&System Info..."), this)) {
    setObjectName(QStringLiteral("frmAbout"));
    const std::string_view title = BuiltApplicationTitle();
    setWindowTitle(FromBytes(AboutCaption(title)));

    lblTitle_->setText(FromBytes(title));
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    lblVersion_->setText(FromBytes(AboutVersionText(BuiltProgramVersion())));
    lblDescription_->setText(FromBytes(AboutDescription()));
    lblDescription_->setWordWrap(true);
    lblDisclaimer_->setText(QString::fromLatin1(AboutDisclaimer));
    lblDisclaimer_->setWordWrap(true);
    lblDisclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::StartSystemInfo);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle_);
    texts->addWidget(lblVersion_);
    texts->addSpacing(8);
    texts->addWidget(lblDescription_);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    buttons->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer_, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    resize(420, sizeHint().height());

    message_ = [this](const QString& text) {
        QMessageBox::information(this, FromBytes(BuiltApplicationTitle()), text, QMessageBox::Ok);
    };
}

void frmAbout::StartSystemInfo() {
    const auto program = SystemInfoProgram(ReadSystemInfoRegistry(), [](const std::string& path) {
        return QFileInfo::exists(FromBytes(path));
    });
    // A program that is named but cannot start is as unavailable as a missing one.
    if (program && QProcess::startDetached(FromBytes(*program), {})) {
        return;
    }
    message_(QString::fromLatin1(SystemInfoUnavailable));
}

}  // namespace zorvex
