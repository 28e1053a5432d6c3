#pragma once

#include <optional>
#include <string_view>

#include "sessions/chat_event.h"

namespace morva {

class Chat;

// Handles one chat event of either protocol: what it shows, how the member list changes, what the
// trigger commands hear, and how the bot answers a kick or ban.
void ProcessEventLine(Chat& chat, const ChatEvent& event);
// What the server's refusal of a channel says (full, missing or restricted); nothing for other events.
std::optional<std::string_view> ChannelRefusal(EventId id);

}  // namespace morva
