#include "platform/QtMonitorDataFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zorvex {

namespace {
QString PathOf(const std::string& path) {
    return QFile::decodeName(path.c_str());
}
std::string Reason(const QFileDevice& file) {
    return file.errorString().toStdString();
}
}  // namespace

FileBytes QtMonitorDataFiles::ReadWhole(const std::string& path) {
    QFile file(PathOf(path));
    if (QFileInfo(file).isDir()) {
        return {false, {}, "It is a folder, not a file"};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return {false, {}, Reason(file)};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {false, {}, Reason(file)};
    }
    return {true, bytes.toStdString(), {}};
}

FileOutcome QtMonitorDataFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
    QSaveFile file(PathOf(path));
    if (QFileInfo(file.fileName()).isDir()) {
        return {false, "It is a folder, not a file"};
    }
    if (!file.open(QIODevice::WriteOnly)) {
        return {false, Reason(file)};
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const std::string reason = Reason(file);
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit()) {
        return {false, Reason(file)};
    }
    return {};
}

}  // namespace zorvex
