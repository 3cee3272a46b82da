#include "ui/data/QtFileCommandsView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "core/app/DisplayConfiguration.h"
#include "ui/app/QtText.h"

namespace zorvex {

namespace {

bool HasWildcard(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

QString StartFolderOf(const std::string& stored) {
    const QString folder = QFile::decodeName(stored.c_str());
    if (!folder.isEmpty() && QDir(folder).exists()) {
        return folder;
    }
    return QDir::homePath();
}

}  // namespace

QStringList NameFiltersOf(const std::string& filter) {
    const QStringList parts = FromBytes(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString pattern = parts[i + 1];
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; here it would leave out names without a dot.
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
            description.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
        }
#endif
        const QString shown = QLatin1Char('(') + pattern + QLatin1Char(')');
        filters << (description.endsWith(shown) ? description
                                                : description + QLatin1Char(' ') + shown);
    }
    return filters;
}

FileDialogSetup SetupFor(const OpenDialogRequest& request) {
    FileDialogSetup setup;
    setup.nameFilters = NameFiltersOf(request.filter);
    setup.fileMustExist = (request.flags & DialogFileMustExist) != 0;
    return setup;
}

FileDialogSetup SetupFor(const SaveDialogRequest& request) {
    FileDialogSetup setup;
    setup.save = true;
    setup.nameFilters = NameFiltersOf(request.filter);
    setup.startFolder = StartFolderOf(request.initialFolder);
    setup.proposedName = FromBytes(request.fileName);
    setup.defaultSuffix = QString::fromLatin1(MdvExtension + 1);  // without the dot
    setup.confirmOverwrite = (request.flags & DialogOverwritePrompt) != 0;
    return setup;
}

QtFileCommandsView::QtFileCommandsView(QWidget* parent,
                                       std::function<void(const std::string&)> showMessage)
    : parent_(parent), showMessage_(std::move(showMessage)) {}

bool QtFileCommandsView::AskYesNo(const std::string& question) {
    if (questionRunner_) {
        return questionRunner_(FromBytes(question));
    }
    return QMessageBox::question(parent_, FromBytes(BuiltApplicationTitle()), FromBytes(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<ChosenFile> QtFileCommandsView::ChooseFileToOpen(const OpenDialogRequest& request) {
    return Choose(SetupFor(request));
}

std::optional<ChosenFile> QtFileCommandsView::ChooseFileToSave(const SaveDialogRequest& request) {
    return Choose(SetupFor(request));
}

std::optional<ChosenFile> QtFileCommandsView::Choose(const FileDialogSetup& setup) {
    const std::optional<QString> path = dialogRunner_ ? dialogRunner_(setup) : RunDialog(setup);
    if (!path || path->isEmpty()) {
        return std::nullopt;
    }
    const QString native = QDir::toNativeSeparators(*path);
    return ChosenFile{QFile::encodeName(native).toStdString(),
                      QFile::encodeName(QFileInfo(*path).fileName()).toStdString()};
}

std::optional<QString> QtFileCommandsView::RunDialog(const FileDialogSetup& setup) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(setup.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(setup.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmOverwrite);
    dialog.setNameFilters(setup.nameFilters);
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.startFolder.isEmpty()) {
        dialog.setDirectory(setup.startFolder);
    }
    if (!setup.proposedName.isEmpty()) {
        dialog.selectFile(setup.proposedName);
    }
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString chosen = dialog.selectedFiles().constFirst();
        const QString name = QFileInfo(chosen).fileName();
        if (!HasWildcard(name)) {
            return chosen;
        }
        // A pattern such as the proposed "*.mdv" is a filter to list by, not a file name.
        dialog.setNameFilter(name);
        dialog.selectFile(QString());
    }
}

void QtFileCommandsView::ShowBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace zorvex
