#pragma once

#include <string>

namespace morva {

class Bot;

// A talk line or a received whisper that may hold a trigger command.
void CheckTrigger(Bot& bot, const std::string& user, const std::string& message, int index);
// A trigger command from the master or an access-list user; replies are whispered to user.
void ChatCommand(Bot& bot, const std::string& user, const std::string& message, int index);
// A slash line of the operator's own; replies go to the chat pane.
void LocalCommand(Bot& bot, const std::string& text, int index);

// Kick or ban a name, a "name reason" or a pattern over the member list, sparing safe users.
void KickUser(Bot& bot, const std::string& target, int index);
void BanUser(Bot& bot, const std::string& target, int index);

}  // namespace morva
