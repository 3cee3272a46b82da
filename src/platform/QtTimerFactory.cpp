#include "platform/QtTimerFactory.h"

#include <QTimer>

namespace zorvex {

namespace {
class QtTimer : public Timer {
  public:
    explicit QtTimer(std::function<void()> onTick) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(onTick)] { tick(); });
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }
    int Interval() const override { return timer_.interval(); }

  private:
    QTimer timer_;
};
}  // namespace

std::unique_ptr<Timer> QtTimerFactory::CreateTimer(std::function<void()> onTick) {
    return std::make_unique<QtTimer>(std::move(onTick));
}

}  // namespace zorvex
