#include "support/virtual_clock.h"

#include <algorithm>
#include <ctime>

namespace morva::testing {

class VirtualClock::FakeTimer : public Timer {
public:
    FakeTimer(VirtualClock& clock, std::int64_t order) : clock_(clock), order_(order) {}
    ~FakeTimer() override { std::erase(clock_.timers_, this); }

    void setInterval(int ms) override {
        interval_ = ms;
        if (running_) start();
    }
    int interval() const override { return interval_; }
    void start() override {
        running_ = true;
        due_ = clock_.nowMs_ + interval_;
    }
    void stop() override { running_ = false; }
    bool isRunning() const override { return running_; }

    bool armed() const { return running_ && interval_ > 0; }
    std::int64_t due() const { return due_; }
    std::int64_t order() const { return order_; }
    void fire() {
        due_ += interval_;
        tick();
    }

private:
    VirtualClock& clock_;
    std::int64_t order_;
    int interval_ = 0;
    bool running_ = false;
    std::int64_t due_ = 0;
};

class VirtualClock::FakeDeferred : public Deferred {
public:
    explicit FakeDeferred(VirtualClock& clock) : clock_(clock) {}
    ~FakeDeferred() override { cancel(); }

    void schedule() override {
        if (!isScheduled()) clock_.deferred_.push_back(this);
    }
    void cancel() override { std::erase(clock_.deferred_, this); }
    bool isScheduled() const override {
        return std::ranges::find(clock_.deferred_, this) != clock_.deferred_.end();
    }
    void runOnce() { run(); }

private:
    VirtualClock& clock_;
};

VirtualClock::VirtualClock(LocalTime start) : startHundredths_(start.hundredths) {
    std::tm tm{};
    tm.tm_year = start.year - 1900;
    tm.tm_mon = start.month - 1;
    tm.tm_mday = start.day;
    tm.tm_hour = start.hour;
    tm.tm_min = start.minute;
    tm.tm_sec = start.second;
    startSeconds_ = timegm(&tm);
}

VirtualClock::~VirtualClock() = default;

std::unique_ptr<Timer> VirtualClock::makeTimer() {
    static std::int64_t made = 0;
    auto timer = std::make_unique<FakeTimer>(*this, made++);
    timers_.push_back(timer.get());
    return timer;
}

std::unique_ptr<Deferred> VirtualClock::makeDeferred() {
    return std::make_unique<FakeDeferred>(*this);
}

LocalTime VirtualClock::now() const {
    const std::int64_t centis = startHundredths_ + nowMs_ / 10;
    const std::time_t seconds = startSeconds_ + centis / 100;
    std::tm tm{};
    gmtime_r(&seconds, &tm);
    return LocalTimeFrom(tm, static_cast<int>(centis % 100));
}

VirtualClock::FakeTimer* VirtualClock::nextDue(std::int64_t until) const {
    FakeTimer* best = nullptr;
    for (FakeTimer* timer : timers_) {
        if (!timer->armed() || timer->due() > until) continue;
        if (!best || timer->due() < best->due() ||
            (timer->due() == best->due() && timer->order() < best->order()))
            best = timer;
    }
    return best;
}

void VirtualClock::runDeferred() {
    while (!deferred_.empty()) {
        FakeDeferred* first = deferred_.front();
        deferred_.erase(deferred_.begin());
        first->runOnce();
    }
}

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t until = nowMs_ + ms;
    runDeferred();
    while (FakeTimer* timer = nextDue(until)) {
        nowMs_ = timer->due();
        timer->fire();
        runDeferred();
    }
    nowMs_ = until;
}

}  // namespace morva::testing
