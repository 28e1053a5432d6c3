#pragma once

#include "platform/clock.h"

namespace morva {

// The machine's local time.
class SystemClock : public Clock {
public:
    LocalTime now() const override;
};

}  // namespace morva
