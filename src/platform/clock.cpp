#include "platform/clock.h"

#include <ctime>

namespace morva {

LocalTime LocalTimeFrom(const std::tm& fields, int hundredths) {
    return LocalTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                     fields.tm_min,         fields.tm_sec,     hundredths};
}

}  // namespace morva
