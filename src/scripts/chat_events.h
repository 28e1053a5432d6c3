#pragma once

#include <optional>

#include "scripts/script_event.h"

namespace morva {

class Chat;
struct ChatEvent;

// What the scripts hear of a chat event the core has handled: on_logon, on_channel, on_join, on_leave,
// on_talk, on_emote, on_whisper, on_flags, on_info or on_error; nothing for the others.
std::optional<ScriptEvent> ScriptEventOf(const Chat& chat, const ChatEvent& event);
// The bot is logged on, under its name, and asks for its home channel.
ScriptEvent LogonEvent(const Chat& chat);

}  // namespace morva
