#pragma once

#include <string>
#include <string_view>

namespace morva {

class Chat;

// A talk line or a received whisper that may hold a trigger command.
void CheckTrigger(Chat& chat, std::string_view user, std::string_view message);
// A trigger command from the master or an access-list user; replies are whispered to user.
void ChatCommand(Chat& chat, const std::string& user, const std::string& message);
// A slash line of the operator's own; replies go to the chat pane.
void LocalCommand(Chat& chat, const std::string& text);
// Whether a typed line is a local command that does all its work in the bot (the list and setting
// words), so that it is worth running while no connection is up.
bool RunsWithoutServer(const std::string& text);

// Kick or ban a name, a "name reason" or a pattern over the member list, sparing safe users.
void KickUser(Chat& chat, const std::string& target);
void BanUser(Chat& chat, const std::string& target);

}  // namespace morva
