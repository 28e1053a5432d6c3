#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/clock.h"
#include "platform/timer.h"

namespace morva::testing {

// Timers on a virtual clock: nothing fires until a test advances the clock, and then every due
// tick fires in time order (timers due at the same moment in the order they were made).
class VirtualClock : public TimerFactory, public Clock {
public:
    explicit VirtualClock(LocalTime start = LocalTime{2026, 12, 10, 14, 3, 27, 45});
    ~VirtualClock() override;

    std::unique_ptr<Timer> makeTimer() override;
    LocalTime now() const override;
    long long monotonicMs() const override { return nowMs_; }

    void advance(std::int64_t ms);
    std::int64_t elapsedMs() const { return nowMs_; }

private:
    class FakeTimer;
    friend class FakeTimer;
    FakeTimer* nextDue(std::int64_t until) const;

    std::int64_t startSeconds_;
    int startHundredths_;
    std::int64_t nowMs_ = 0;
    std::vector<FakeTimer*> timers_;
};

}  // namespace morva::testing
