#pragma once

#include <string>

namespace morva {

class Bot;

// Handles one event line ("1005 TALK name flags \"text\"" ...) that came on socket index. A line
// starting with a line feed loses it, for the caller too.
void ProcessEventLine(Bot& bot, std::string& line, int index);

// Text-protocol data of one receive: the friend-added notice, then every complete line. The
// unfinished end waits for the next receive of the same connection.
void ProcessChatData(Bot& bot, const std::string& chunk, int index);

}  // namespace morva
