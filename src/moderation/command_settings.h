#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morva {

class Settings;

// A protect argument beginning "on" switches protection on, one beginning "off" switches it off (in
// any case); any other argument is no switch.
std::optional<bool> ProtectSwitch(std::string_view argument);
// ChannelProtect, at once and in config.bot.
void SetChannelProtect(Settings& settings, bool on);

// Trigger, at once and in config.bot. A value in config.bot is one line, so the trigger is the
// argument's first line, the same in memory as in the file. Returns the new trigger, or nothing
// (and changes nothing) when that line is empty.
std::optional<std::string> SetTrigger(Settings& settings, const std::string& argument);

}  // namespace morva
