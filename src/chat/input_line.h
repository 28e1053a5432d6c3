#pragma once

#include <functional>
#include <string>

namespace morva {

class Chat;

class Pane;

// Sends a line as the operator typed it, echoing it in the chat pane unless it starts with "/".
// Nothing at all happens while no connection is up. onSent runs when the line leaves the send queue.
void SendUserLine(Chat& chat, const std::string& text, std::function<void()> onSent = {});
// Tells the operator, in the pane they typed into, that a typed line was kept because no connection
// is up.
void TellNotSent(Chat& chat, Pane& pane);

}  // namespace morva
