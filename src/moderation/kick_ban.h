#pragma once

#include <string>
#include <string_view>

namespace morva {

class Bot;

// The reasons of a kick or ban that names none. Each begins with its own blank, and one more blank
// always stands between the name and the reason.
inline constexpr std::string_view KickReason = " - Morva Kick -";
inline constexpr std::string_view BanReason = " - Morva Ban -";

// KickUser or BanUser.
using TargetAction = void (*)(Bot& bot, const std::string& target, int index);

// Hands every piece of a list "a, b, c" to the action, in order.
void ForEachTarget(Bot& bot, const std::string& list, int index, TargetAction action);

}  // namespace morva
