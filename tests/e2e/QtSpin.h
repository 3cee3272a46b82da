#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <functional>

namespace zorvex::e2e {

// Runs the event loop until the condition holds or the time is up.
inline bool Spin(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    for (clock.start(); !condition(); QTest::qSleep(5)) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace zorvex::e2e
