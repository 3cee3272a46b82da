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

const std::string Sample = std::string("\"Version 3.0\"\r\n\"ScanSetName\",\"Nacht \xE9\"\r\n") +
                           std::string(2000, 'x') + "\r\n";

class QtMonitorDataFilesTest : public ::testing::Test {
  protected:
    std::string PathIn(const char* name) const {
        return QFile::encodeName(dir.filePath(QString::fromLatin1(name))).toStdString();
    }
    static std::string Contents(const std::string& path) {
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        return file.readAll().toStdString();
    }
    static void Put(const std::string& path, const std::string& bytes) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    QtMonitorDataFiles files;
    const std::string path = PathIn("mon1.mdv");
};

TEST_F(QtMonitorDataFilesTest, ReadsOnlyPlainFilesAndReplacesOneWithTheExactBytesAndNoTemporary) {
    // Only a plain file of a data file's size is read: a pipe or a device would never end.
    const std::string fifo = PathIn("pipe.mdv"), large = PathIn("large.mdv");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Put(large, "");
    ASSERT_EQ(truncate(large.c_str(), 64 * 1024 * 1024 + 1), 0);
    for (const std::string& refused : {path, fifo, std::string("/dev/zero"), large}) {
        const FileBytes read = files.ReadWhole(refused);
        EXPECT_FALSE(read.ok || read.reason.empty()) << refused;
    }
    QFile::remove(QString::fromStdString(fifo));
    QFile::remove(QString::fromStdString(large));
    Put(path, std::string(3000, 'o'));  // older and longer than the new content
    ASSERT_TRUE(files.ReplaceWhole(path, Sample).ok);
    EXPECT_EQ(Contents(path), Sample);
    const FileBytes read = files.ReadWhole(path);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, Sample);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("mon1.mdv")});
}

// Saved through a (relative) symbolic link: the file it names is replaced, the link stays, and
// so do the file's permissions.
TEST_F(QtMonitorDataFilesTest, AReplacedFileKeepsItsPermissionsAndItsLinks) {
    const std::string link = PathIn("link.mdv");
    Put(path, "old");
    ASSERT_TRUE(QFile::link(QStringLiteral("mon1.mdv"), QString::fromStdString(link)));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(path), mode));
    ASSERT_TRUE(files.ReplaceWhole(link, Sample).ok);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(link)).isSymLink());
    EXPECT_EQ(Contents(path), Sample);
    EXPECT_EQ(QFile::permissions(QString::fromStdString(path)) & 0xF0FF, mode & 0xF0FF);
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("link.mdv"), QStringLiteral("mon1.mdv")}));
}

TEST_F(QtMonitorDataFilesTest, AWriteIntoAMissingFolderOrOverAFolderFailsWithAReason) {
    const FileOutcome missing = files.ReplaceWhole(PathIn("gone/mon1.mdv"), Sample);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "No such file or directory");
    EXPECT_TRUE(Entries().isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("mon1.mdv")));
    const FileOutcome folder = files.ReplaceWhole(path, Sample);
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.reason, "It is a folder, not a file");
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("mon1.mdv"))).isDir());
}

// A write that runs out of room part-way (here: the file size limit, as a full disk would),
// and one into a read-only folder (not for the superuser, who writes there anyway).
TEST_F(QtMonitorDataFilesTest, AFailedWriteLeavesTheEarlierFileAsItWas) {
    Put(path, "the good file");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileOutcome cut = files.ReplaceWhole(path, Sample);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(cut.ok);
    EXPECT_EQ(cut.reason, "File too large");
    EXPECT_EQ(Contents(path), "the good file");
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("mon1.mdv")});
    if (geteuid() != 0) {
        const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        QFile::setPermissions(dir.path(), all & ~QFileDevice::WriteOwner);
        EXPECT_FALSE(files.ReplaceWhole(path, Sample).ok);
        QFile::setPermissions(dir.path(), all);
        EXPECT_EQ(Contents(path), "the good file");
    }
}

}  // namespace
}  // namespace zorvex
