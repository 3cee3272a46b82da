// Skipping the session bus launch only where it can only fail, and leaving the environment as
// it was afterwards.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ui/app/SessionBusLaunch.h"

namespace zorvex {
namespace {

// Sets the variables a case needs and puts back the ones it found.
class Environment {
  public:
    Environment() {
        for (const char* name : kNames) {
            saved_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        }
    }
    ~Environment() {
        for (const auto& [name, set, value] : saved_) {
            set ? qputenv(name, value) : qunsetenv(name);
        }
    }
    static void Set(const char* name, const QString& value) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value.toLocal8Bit());
    }

  private:
    static constexpr const char* kNames[] = {"DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "PATH"};
    struct Saved {
        const char* name;
        bool set;
        QByteArray value;
    };
    std::vector<Saved> saved_;
};

TEST(SessionBusLaunch, IsSkippedOnlyWhereNoBusIsAnnouncedAndNoLauncherInstalled) {
    QTemporaryDir withLauncher;
    QTemporaryDir withBus;
    QTemporaryDir empty;
    QFile launcherFile(withLauncher.filePath("dbus-launch"));
    ASSERT_TRUE(launcherFile.open(QIODevice::WriteOnly));
    launcherFile.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
    launcherFile.close();
    QFile bus(withBus.filePath("bus"));
    ASSERT_TRUE(bus.open(QIODevice::WriteOnly));
    bus.close();

    const QString launcher = withLauncher.filePath("dbus-launch");
    const QString noLauncher = empty.filePath("dbus-launch");
    const struct {
        QString address, runtime, path, installed;
        QString during;  // the address while the skip holds
    } cases[] = {
        {{}, {}, empty.path(), noLauncher, "disabled:"},
        {{}, empty.path(), empty.path(), noLauncher, "disabled:"},
        {"unix:path=/run/user/1000/bus",
         {},
         empty.path(),
         noLauncher,
         "unix:path=/run/user/1000/bus"},
        {{}, withBus.path(), empty.path(), noLauncher, {}},
        {{}, {}, withLauncher.path(), noLauncher, {}},
        {{}, {}, empty.path(), launcher, {}},
    };
    for (const auto& c : cases) {
        Environment environment;
        Environment::Set("DBUS_SESSION_BUS_ADDRESS", c.address);
        Environment::Set("XDG_RUNTIME_DIR", c.runtime);
        Environment::Set("PATH", c.path);
        const auto address = [] { return qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"); };
        FutileBusLaunchSkip skip(c.installed.toLocal8Bit().constData());
        EXPECT_EQ(address(), c.during) << c.runtime.toStdString() << " " << c.path.toStdString();
        skip.End();
        EXPECT_EQ(address(), c.address);
    }
}

}  // namespace
}  // namespace zorvex
