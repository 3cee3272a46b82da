#include "ui/app/SessionBusLaunch.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>

namespace zorvex {

namespace {
constexpr const char* kBusAddress = "DBUS_SESSION_BUS_ADDRESS";

bool SessionBusLaunchCanOnlyFail() {
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty(kBusAddress)) {
        return false;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"))) {
        return false;
    }
    return QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty();
#else
    return false;
#endif
}
}  // namespace

FutileBusLaunchSkip::FutileBusLaunchSkip() {
    if (SessionBusLaunchCanOnlyFail()) {
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
