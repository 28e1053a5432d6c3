#pragma once

#include <string>

#include "platform/clock.h"

namespace morva {

// The folder name of a channel. Every character that could leave the folder it goes in or break a
// file name on a common system becomes "%" and two hex digits, and "%" itself becomes "%25", so
// distinct channels always get distinct folders. The empty name becomes "%", which no other name
// can give.
std::string SafeFolderName(const std::string& channel);

// "2026-12-10".
std::string DateText(const LocalTime& time);

}  // namespace morva
