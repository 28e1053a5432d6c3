#pragma once

namespace morva {

class Bot;

// Start-up of the program, in order: caption, title lines, settings and what later steps need.
void Form_Load(Bot& bot);
// Configuration > Reload config.bot in either face: the settings, then the scripts.
void ReloadConfig(Bot& bot);

}  // namespace morva
