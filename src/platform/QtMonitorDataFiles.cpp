#include "platform/QtMonitorDataFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorvex {

namespace {

QString PathOf(const std::string& path) {
    return QFile::decodeName(path.c_str());
}
std::string Reason(const QFileDevice& file) {
    return file.errorString().toStdString();
}
constexpr const char* FolderReason = "It is a folder, not a file";
constexpr const char* NotAFileReason = "It is not a plain file (a device, pipe or socket)";
constexpr const char* TooLargeReason = "It is far larger than any monitor data file";
// No data file comes near this; reading more would only fill the memory.
constexpr qint64 MaxDataFileBytes = qint64{64} * 1024 * 1024;

#ifdef Q_OS_UNIX
std::string SystemReason(int error) {
    return std::strerror(error);
}

// A symbolic link is followed to the file it names (a relative target counts from the link's
// folder), so a save replaces that file and the link stays a link.
std::string FinalTarget(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            break;
        }
        std::string target(static_cast<std::size_t>(link.st_size) + 256, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) {
            break;
        }
        target.resize(static_cast<std::size_t>(n));
        const auto slash = path.rfind('/');
        path = target.front() == '/' || slash == std::string::npos
                   ? target
                   : path.substr(0, slash + 1) + target;
    }
    return path;
}

// The temporary file goes beside the target, so the final rename stays on one file system
// and replaces the target in one step.
FileOutcome WriteBesideAndRename(const std::string& named, std::string_view bytes) {
    const std::string path = FinalTarget(named);
    const auto slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // A new name beside the target; created with the usual mode, so the umask applies.
    std::random_device random;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "." + name + "." + std::to_string(random() % 1000000) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return {false, SystemReason(errno)};
    }
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return FileOutcome{false, SystemReason(error)};
    };
    // A replaced file keeps its mode.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        return fail(errno);
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        if (n == 0) {
            return fail(ENOSPC);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        return fail(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return {false, SystemReason(error)};
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return {false, SystemReason(error)};
    }
    return {};
}
#endif

}  // namespace

FileBytes QtMonitorDataFiles::ReadWhole(const std::string& path) {
    QFile file(PathOf(path));
    if (QFileInfo(file).isDir()) {
        return {false, {}, FolderReason};
    }
#ifdef Q_OS_UNIX
    // Opened without waiting (a pipe would block until a writer came) and checked on the
    // handle itself, so what is read is what was checked.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {false, {}, SystemReason(errno)};
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        const int error = errno;
        ::close(fd);
        return {false, {}, SystemReason(error)};
    }
    const char* refusal = !S_ISREG(opened.st_mode)            ? NotAFileReason
                          : opened.st_size > MaxDataFileBytes ? TooLargeReason
                                                              : nullptr;
    if (refusal != nullptr) {
        ::close(fd);
        return {false, {}, refusal};
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {false, {}, Reason(file)};
    }
#else
    const QFileInfo info(file);
    if (!info.isFile()) {
        return {false, {}, NotAFileReason};
    }
    if (info.size() > MaxDataFileBytes) {
        return {false, {}, TooLargeReason};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return {false, {}, Reason(file)};
    }
#endif
    // Bounded as well: the file may grow after the check.
    const QByteArray bytes = file.read(MaxDataFileBytes + 1);
    if (bytes.size() > MaxDataFileBytes) {
        return {false, {}, TooLargeReason};
    }
    if (file.error() != QFileDevice::NoError) {
        return {false, {}, Reason(file)};
    }
    return {true, bytes.toStdString(), {}};
}

FileOutcome QtMonitorDataFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
    if (QFileInfo(PathOf(path)).isDir()) {
        return {false, FolderReason};
    }
#ifdef Q_OS_UNIX
    return WriteBesideAndRename(path, bytes);
#else
    // Unbuffered, so that a short write shows at once instead of being lost in a flush.
    QSaveFile file(PathOf(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
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
#endif
}

}  // namespace zorvex
