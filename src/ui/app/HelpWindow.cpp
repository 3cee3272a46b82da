#include "ui/app/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/app/AboutTexts.h"
#include "core/app/DisplayConfiguration.h"
#include "ui/app/QtText.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zorvex {

QString HelpIndexPath() {
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        exeDir.filePath(QStringLiteral("../share/zorvex/help/index.html")),
        exeDir.filePath(QStringLiteral("help/index.html")),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate)) {
            return QFileInfo(candidate).canonicalFilePath();
        }
    }
    return {};
}

bool StartLegacyHelpViewer() {
    for (const char* commandLine : HelpCommandLines) {
        QStringList parts = QString::fromLatin1(commandLine).split(QLatin1Char(' '));
        QProcess process;
        process.setProgram(parts.takeFirst());
        process.setArguments(parts);
#ifdef Q_OS_WIN
        // The viewer starts minimised and takes the focus, as the tool always started it.
        process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
        });
#endif
        if (process.startDetached()) {
            return true;
        }
    }
    return false;
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(FromBytes(BuiltApplicationTitle()) + QStringLiteral(" Help"));
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);

    const QString index = HelpIndexPath();
    if (!index.isEmpty()) {
        browser_->setSource(QUrl::fromLocalFile(index));
        loaded_ = true;
    } else {
        browser_->setPlainText(QStringLiteral("The help pages were not found beside the program."));
    }
}

QString HelpWindow::Source() const {
    return browser_->source().toLocalFile();
}

}  // namespace zorvex
