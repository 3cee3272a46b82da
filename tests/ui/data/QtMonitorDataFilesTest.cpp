#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/QtMonitorDataFiles.h"

namespace zorvex {
namespace {

std::string PathIn(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.filePath(QString::fromLatin1(name))).toStdString();
}

std::string Contents(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll().toStdString();
}

void Put(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QStringList EntriesOf(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

const std::string Sample = std::string("\"Version 3.0\"\r\n\"ScanSetName\",\"Nacht \xE9\"\r\n") +
                           std::string(2000, 'x') + "\r\n";

TEST(QtMonitorDataFiles, ReadsOnlyPlainFilesAndReplacesOneWithTheExactBytesLeavingNoTemporaryFile) {
    QTemporaryDir dir;
    QtMonitorDataFiles files;
    const std::string path = PathIn(dir, "mon1.mdv");
    // Only a plain file of a data file's size is read: a pipe or a device would never end.
    const std::string fifo = PathIn(dir, "pipe.mdv"), large = PathIn(dir, "large.mdv");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Put(large, "");
    ASSERT_EQ(truncate(large.c_str(), 64 * 1024 * 1024 + 1), 0);
    for (const std::string& refused : {path, fifo, std::string("/dev/zero"), large}) {
        EXPECT_FALSE(files.ReadWhole(refused).ok) << refused;
        EXPECT_FALSE(files.ReadWhole(refused).reason.empty()) << refused;
    }
    QFile::remove(QString::fromStdString(fifo));
    QFile::remove(QString::fromStdString(large));
    Put(path, std::string(3000, 'o'));  // older and longer than the new content
    ASSERT_TRUE(files.ReplaceWhole(path, Sample).ok);
    EXPECT_EQ(Contents(path), Sample);
    const FileBytes read = files.ReadWhole(path);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, Sample);
    EXPECT_EQ(EntriesOf(dir), QStringList{QStringLiteral("mon1.mdv")});
}

// Saved through a (relative) symbolic link: the file it names is replaced, the link stays, and
// so do the file's permissions.
TEST(QtMonitorDataFiles, AReplacedFileKeepsItsPermissionsAndItsLinks) {
    QTemporaryDir dir;
    QtMonitorDataFiles files;
    const std::string path = PathIn(dir, "mon1.mdv"), link = PathIn(dir, "link.mdv");
    Put(path, "old");
    ASSERT_TRUE(QFile::link(QStringLiteral("mon1.mdv"), QString::fromStdString(link)));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(path), mode));
    ASSERT_TRUE(files.ReplaceWhole(link, Sample).ok);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(link)).isSymLink());
    EXPECT_EQ(Contents(path), Sample);
    EXPECT_EQ(QFile::permissions(QString::fromStdString(path)) & 0xF0FF, mode & 0xF0FF);
    EXPECT_EQ(EntriesOf(dir),
              (QStringList{QStringLiteral("link.mdv"), QStringLiteral("mon1.mdv")}));
}

TEST(QtMonitorDataFiles, AWriteIntoAMissingFolderOrOverAFolderFailsWithAReason) {
    QTemporaryDir dir;
    QtMonitorDataFiles files;
    const FileOutcome missing = files.ReplaceWhole(PathIn(dir, "gone/mon1.mdv"), Sample);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "No such file or directory");
    EXPECT_TRUE(EntriesOf(dir).isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("mon1.mdv")));
    const FileOutcome folder = files.ReplaceWhole(PathIn(dir, "mon1.mdv"), Sample);
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.reason, "It is a folder, not a file");
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("mon1.mdv"))).isDir());
}

// A write that runs out of room part-way (here: the file size limit, as a full disk would).
TEST(QtMonitorDataFiles, AWriteCutShortLeavesTheEarlierFileAsItWas) {
    QTemporaryDir dir;
    QtMonitorDataFiles files;
    const std::string path = PathIn(dir, "mon1.mdv");
    Put(path, "the good file");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileOutcome outcome = files.ReplaceWhole(path, Sample);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.reason, "File too large");
    EXPECT_EQ(Contents(path), "the good file");
    EXPECT_EQ(EntriesOf(dir), QStringList{QStringLiteral("mon1.mdv")});
}

TEST(QtMonitorDataFiles, AWriteIntoAReadOnlyFolderFailsAndLeavesTheEarlierFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser writes into read-only folders";
    }
    QTemporaryDir dir;
    QtMonitorDataFiles files;
    const std::string path = PathIn(dir, "mon1.mdv");
    Put(path, "the good file");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const FileOutcome outcome = files.ReplaceWhole(path, Sample);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(Contents(path), "the good file");
}

}  // namespace
}  // namespace zorvex
