#pragma once

#include "platform/clock.h"

namespace morva {

// The machine's local time.
class SystemClock : public Clock {
public:
    LocalTime now() const override;
    long long monotonicMs() const override;
};

}  // namespace morva
