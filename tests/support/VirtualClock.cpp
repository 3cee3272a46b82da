#include "VirtualClock.h"

#include <algorithm>

namespace zorvex::testing {

struct VirtualClock::Entry {
    std::function<void()> onTick;
    bool active = false;
    int interval = 0;
    int64_t due = 0;
    uint64_t order = 0;
    bool alive = true;
};

class VirtualClock::VirtualTimer : public Timer {
public:
    VirtualTimer(VirtualClock& clock, std::shared_ptr<Entry> entry)
        : clock_(clock), entry_(std::move(entry)) {}
    ~VirtualTimer() override { entry_->alive = false; }

    void Start(int intervalMs) override {
        entry_->active = true;
        entry_->interval = std::max(intervalMs, 0);
        entry_->due = clock_.now_ + entry_->interval;
        entry_->order = ++clock_.sequence_;
    }
    void Stop() override { entry_->active = false; }
    bool IsActive() const override { return entry_->active; }
    int Interval() const override { return entry_->interval; }

private:
    VirtualClock& clock_;
    std::shared_ptr<Entry> entry_;
};

std::unique_ptr<Timer> VirtualClock::CreateTimer(std::function<void()> onTick) {
    auto entry = std::make_shared<Entry>();
    entry->onTick = std::move(onTick);
    entries_.push_back(entry);
    return std::make_unique<VirtualTimer>(*this, entry);
}

std::shared_ptr<VirtualClock::Entry> VirtualClock::NextDue(int64_t limit) const {
    std::shared_ptr<Entry> best;
    for (const auto& entry : entries_) {
        if (!entry->alive || !entry->active || entry->due > limit) {
            continue;
        }
        if (!best || entry->due < best->due ||
            (entry->due == best->due && entry->order < best->order)) {
            best = entry;
        }
    }
    return best;
}

void VirtualClock::Advance(int64_t ms) {
    const int64_t target = now_ + ms;
    while (auto entry = NextDue(target)) {
        now_ = std::max(now_, entry->due);
        // A zero interval still moves on, so a zero-interval timer cannot spin forever.
        entry->due = now_ + std::max(entry->interval, 1);
        entry->order = ++sequence_;
        entry->onTick();
    }
    now_ = target;
    std::erase_if(entries_, [](const auto& entry) { return !entry->alive; });
}

bool VirtualClock::FireNext() {
    auto entry = NextDue(INT64_MAX);
    if (!entry) {
        return false;
    }
    Advance(entry->due - now_);
    return true;
}

}  // namespace zorvex::testing
