#include "ui/app/SessionBusLaunch.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>

namespace zorvex {

namespace {
constexpr const char* kBusAddress = "DBUS_SESSION_BUS_ADDRESS";

bool SessionBusLaunchCanOnlyFail(const char* installedLauncher) {
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty(kBusAddress)) {
        return false;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"))) {
        return false;
    }
    return !QFileInfo(QString::fromLocal8Bit(installedLauncher)).isExecutable() &&
           QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty();
#else
    Q_UNUSED(installedLauncher);
    return false;
#endif
}
}  // namespace

FutileBusLaunchSkip::FutileBusLaunchSkip(const char* installedLauncher) {
    if (SessionBusLaunchCanOnlyFail(installedLauncher)) {
        set_ = qputenv(kBusAddress, "disabled:");
    }
}

void FutileBusLaunchSkip::End() {
    if (set_) {
        qunsetenv(kBusAddress);
        set_ = false;
    }
}

}  // namespace zorvex
