#include "platform/QtSystemServices.h"

#include <QApplication>
#include <QDateTime>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zorvex {

LocalDateTime QtWallClock::Now() const {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(),  now.date().day(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

void QtBeeper::Beep(int frequencyHz, int durationMs) {
#ifdef Q_OS_WIN
    // The system call blocks for the duration; a 250 ms beep is what the technician expects.
    ::Beep(static_cast<DWORD>(frequencyHz), static_cast<DWORD>(durationMs));
#else
    (void)frequencyHz;
    (void)durationMs;
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::beep();
    }
#endif
}

}  // namespace zorvex
