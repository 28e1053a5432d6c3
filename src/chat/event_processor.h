#pragma once

namespace morva {

class Chat;
struct ChatEvent;

// Handles one chat event of either protocol: what it shows, how the member list changes, what the
// trigger commands hear, and how the bot answers a kick or ban.
void ProcessEventLine(Chat& chat, const ChatEvent& event);

}  // namespace morva
