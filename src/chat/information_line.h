#pragma once

#include <string>

namespace morva {

class Bot;

// Event 1018: kick and ban notices about the bot, then the census capture or the "Broadcast: " line.
void InformationLine(Bot& bot, const std::string& text, int index);

}  // namespace morva
