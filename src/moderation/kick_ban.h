#pragma once

#include <string>
#include <string_view>

namespace morva {

class Chat;

// The reasons of a kick or ban that names none. Each begins with its own blank, and one more blank
// always stands between the name and the reason.
inline constexpr std::string_view KickReason = " - Morva Kick -";
inline constexpr std::string_view BanReason = " - Morva Ban -";

// KickUser or BanUser.
using TargetAction = void (*)(Chat& chat, const std::string& target);

// Hands every piece of a list "a, b, c" to the action, in order.
void ForEachTarget(Chat& chat, const std::string& list, TargetAction action);

}  // namespace morva
