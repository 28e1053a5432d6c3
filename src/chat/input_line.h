#pragma once

#include <string>

namespace morva {

class Bot;

// Sends a line as the operator typed it, echoing it in the chat pane unless it starts with "/".
// Nothing at all happens while the socket is not connected.
void SendUserLine(Bot& bot, const std::string& text, int index);

// Enter in the input line. Returns false when the line is empty and the key is left to the box;
// otherwise sends the line, runs a slash line as a local command too, and empties the line.
bool txtSend_Enter(Bot& bot, std::string& txtSend);

}  // namespace morva
