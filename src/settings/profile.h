#pragma once

#include <string>
#include <vector>

namespace morva {

class Settings;

// Reads every setting of config.bot into BotConfig and applies what a load applies at once.
void LoadProfile(Settings& settings);
// The census channels of section "Channels Log", entry i from key "Channel" i+1, Channels of them.
std::vector<std::string> ReadChannelLogList(const Settings& settings);

// The "Configuration" menu.
void mnuOpenConfig_Click(Settings& settings);
void mnuReloadConfig_Click(Settings& settings);

}  // namespace morva
