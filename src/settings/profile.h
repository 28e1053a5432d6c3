#pragma once

namespace morva {

class Bot;

// Reads every setting of config.bot into BotConfig and applies what a load applies at once.
void LoadProfile(Bot& bot);
// Fills ChannelLogList with the census channels of section "Channels Log".
void LoadChannelLogList(Bot& bot);

// The "Configuration" menu.
void mnuOpenConfig_Click(Bot& bot);
void mnuReloadConfig_Click(Bot& bot);

}  // namespace morva
