#pragma once

#include <ctime>

namespace morva {

// The local wall-clock time, down to hundredths of a second.
struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, hundredths = 0;
    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// The calendar fields of a broken-down time with the hundredths of its second.
LocalTime LocalTimeFrom(const std::tm& fields, int hundredths);

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
    // Milliseconds on a clock that only moves forward, for measuring spans of time.
    virtual long long monotonicMs() const = 0;
};

}  // namespace morva
