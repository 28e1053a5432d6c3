#pragma once

#include <string>

namespace morva {

class Chat;

// Event 1018: kick and ban notices about the bot, then the capture window or the "Broadcast: " line.
void InformationLine(Chat& chat, const std::string& text);

}  // namespace morva
