#pragma once

#include <string>

#include "platform/clock.h"

namespace morva {

// The channel name of a census entry: the text before its first CR LF.
std::string CensusChannelName(const std::string& entry);

// The folder name of a channel. Every character that could leave "Channel Log Files" or break a
// file name on a common system becomes "%" and two hex digits, and "%" itself becomes "%25", so
// distinct channels always get distinct folders. The empty name becomes "%", which no other name
// can give.
std::string CensusFolderName(const std::string& channel);

// "2026-12-10": the date folder of a census file.
std::string CensusDate(const LocalTime& time);
// "14.03.27": the name of a census file, before ".txt".
std::string CensusTime(const LocalTime& time);

}  // namespace morva
