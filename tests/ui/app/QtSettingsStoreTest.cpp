// The settings file as the tool keeps it: a run of writes goes out once, on the event loop's
// next turn or when the store goes, and reads see both the store's own writes and another
// writer's.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "platform/QtSettingsStore.h"

namespace zorvex {
namespace {

struct SettingsFile : ::testing::Test {
    SettingsFile() { qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit()); }
    ~SettingsFile() override {
        wasSet_ ? qputenv("XDG_CONFIG_HOME", previous_) : qunsetenv("XDG_CONFIG_HOME");
    }
    // The file itself, as another program would read it (a QSettings in this process would
    // share the store's unwritten changes).
    QString OnDisk() const {
        QFile file(location);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    QTemporaryDir folder;
    QString location = folder.path() + QStringLiteral("/Zorvex/Title.conf");

  private:
    bool wasSet_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    QByteArray previous_ = qgetenv("XDG_CONFIG_HOME");
};

TEST_F(SettingsFile, WritesReachTheFileOnTheNextTurnOrAtTheEndAndReadsSeeEveryWriter) {
    {
        QtSettingsStore store(QStringLiteral("Title"));
        ASSERT_EQ(store.Location(), location);
        store.Write("Configs", "CommPort", "3");
        store.Write("StartUp", "RunType", "1");
        // Its own writes at once; the file once the event loop has turned.
        EXPECT_EQ(store.Read("Configs", "CommPort", "1"), "3");
        EXPECT_EQ(OnDisk(), "");
        QCoreApplication::processEvents();
        EXPECT_EQ(OnDisk(), "[Configs]\nCommPort=3\n\n[StartUp]\nRunType=1\n");

        // Another writer's change is read, and kept beside this store's own next write.
        QFile other(location);
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("[Configs]\nCommPort=3\nCommLogEnabled=True\n");
        other.close();
        EXPECT_EQ(store.Read("Configs", "CommLogEnabled", "False"), "True");
        store.Write("Configs", "CommPort", "4");
    }
    EXPECT_EQ(OnDisk(), "[Configs]\nCommLogEnabled=True\nCommPort=4\n");
}

}  // namespace
}  // namespace zorvex
