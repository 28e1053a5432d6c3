#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/clock.h"
#include "platform/timer.h"

namespace morva::testing {

// Timers on a virtual clock: nothing fires until a test advances the clock, and then every due
// tick fires in time order (timers due at the same moment in the order they were made). Deferred
// work runs when the clock is advanced, before any timer that falls due: advance(0) runs it at once,
// in the order it was scheduled, until none is left.
class VirtualClock : public TimerFactory, public Clock {
public:
    explicit VirtualClock(LocalTime start = LocalTime{2026, 12, 10, 14, 3, 27, 45});
    ~VirtualClock() override;

    std::unique_ptr<Timer> makeTimer() override;
    std::unique_ptr<Deferred> makeDeferred() override;
    LocalTime now() const override;
    long long monotonicMs() const override { return nowMs_; }

    void advance(std::int64_t ms);
    std::int64_t elapsedMs() const { return nowMs_; }

private:
    class FakeTimer;
    class FakeDeferred;
    friend class FakeTimer;
    friend class FakeDeferred;
    FakeTimer* nextDue(std::int64_t until) const;
    void runDeferred();

    std::int64_t startSeconds_;
    int startHundredths_;
    std::int64_t nowMs_ = 0;
    std::vector<FakeTimer*> timers_;
    // Scheduled deferred work, first scheduled first.
    std::vector<FakeDeferred*> deferred_;
};

}  // namespace morva::testing
