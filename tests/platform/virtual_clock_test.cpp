#include "support/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morva::testing {
namespace {

struct Recorder {
    std::vector<std::string> fired;
    std::vector<long long> at;
};

std::unique_ptr<Timer> timerNamed(VirtualClock& clock, Recorder& log, const std::string& name, int interval) {
    auto timer = clock.makeTimer();
    timer->setInterval(interval);
    timer->setOnTick([&log, &clock, name] {
        log.fired.push_back(name);
        log.at.push_back(clock.elapsedMs());
    });
    return timer;
}

TEST(VirtualClock, FiresEveryDueTickInTimeOrder) {
    VirtualClock clock;
    Recorder log;
    auto slow = timerNamed(clock, log, "slow", 750);
    auto fast = timerNamed(clock, log, "fast", 500);
    slow->start();
    fast->start();
    clock.advance(1500);
    // At 1500 both are due: the one made first fires first.
    EXPECT_EQ(log.fired, (std::vector<std::string>{"fast", "slow", "fast", "slow", "fast"}));
    EXPECT_EQ(log.at, (std::vector<long long>{500, 750, 1000, 1500, 1500}));
}

TEST(VirtualClock, IntervalZeroNeverFiresAndStoppedTimersStayQuiet) {
    VirtualClock clock;
    Recorder log;
    auto zero = timerNamed(clock, log, "zero", 0);
    auto stopped = timerNamed(clock, log, "stopped", 10);
    zero->start();
    EXPECT_TRUE(zero->isRunning());
    clock.advance(100000);
    EXPECT_TRUE(log.fired.empty());
}

TEST(VirtualClock, TimerStoppedByAnotherTickDoesNotFire) {
    VirtualClock clock;
    Recorder log;
    auto second = timerNamed(clock, log, "second", 200);
    auto first = clock.makeTimer();
    first->setInterval(100);
    first->setOnTick([&] { second->stop(); });
    first->start();
    second->start();
    clock.advance(1000);
    EXPECT_TRUE(log.fired.empty());
}

TEST(VirtualClock, RestartingCountsFromNow) {
    VirtualClock clock;
    Recorder log;
    auto timer = timerNamed(clock, log, "t", 1000);
    timer->start();
    clock.advance(900);
    timer->start();
    clock.advance(900);
    EXPECT_TRUE(log.fired.empty());
    clock.advance(100);
    EXPECT_EQ(log.at, (std::vector<long long>{1900}));
}

TEST(VirtualClock, WallClockFollowsTheVirtualTime) {
    VirtualClock clock(LocalTime{2026, 12, 31, 23, 59, 59, 50});
    clock.advance(600);
    const LocalTime now = clock.now();
    EXPECT_EQ(now.year, 2027);
    EXPECT_EQ(now.month, 1);
    EXPECT_EQ(now.day, 1);
    EXPECT_EQ(now.second, 0);
    EXPECT_EQ(now.hundredths, 10);
}

}  // namespace
}  // namespace morva::testing
