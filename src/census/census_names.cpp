#include "census/census_names.h"

#include <cstdio>
#include <string_view>

namespace morva {

std::string CensusChannelName(const std::string& entry) {
    return entry.substr(0, entry.find("\r\n"));
}

std::string CensusTime(const LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%02d", time.hour % 100, time.minute % 100, time.second % 100);
    return text;
}

}  // namespace morva
