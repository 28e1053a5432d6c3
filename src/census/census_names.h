#pragma once

#include <string>

#include "platform/clock.h"

namespace morva {

// The channel name of a census entry: the text before its first CR LF.
std::string CensusChannelName(const std::string& entry);

// "14.03.27": the name of a census file, before ".txt".
std::string CensusTime(const LocalTime& time);

}  // namespace morva
