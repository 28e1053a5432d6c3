#pragma once

#include <functional>
#include <string>

namespace morva {

class Chat;

// Sends a line as the operator typed it, echoing it in the chat pane unless it starts with "/".
// Nothing at all happens while no connection is up. onSent runs when the line leaves the send queue.
void SendUserLine(Chat& chat, const std::string& text, std::function<void()> onSent = {});

}  // namespace morva
