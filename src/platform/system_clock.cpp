#include "platform/system_clock.h"

#include <chrono>
#include <ctime>

namespace morva {

LocalTime SystemClock::now() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    localtime_r(&seconds, &tm);
    return LocalTimeFrom(tm, static_cast<int>(millis / 10));
}

long long SystemClock::monotonicMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace morva
