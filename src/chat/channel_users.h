#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "chat/channel_members.h"

namespace morva {

class Chat;

// The channel model: Chat::ChannelUsers is the truth and the member list mirrors it row for member.
// Members are found by their exact name, as the server spells it, except where noted.

// Adds a member at the end; a name already present gets a second one.
void AddUser(Chat& chat, const std::string& name, const std::string& flags, const std::string& product,
             std::int32_t ping = 0);
// Removes the first member of that name.
void RemoveUser(Chat& chat, const std::string& name);
// Gives the first member of that name (any case) new flags; it keeps its place in the list.
void UpdateUser(Chat& chat, const std::string& name, const std::string& flags);
// Empties the channel on entering one, and shows the count.
void ClearChannel(Chat& chat);
// Empties the member list when the connection ends; the label keeps its text.
void ForgetMembers(Chat& chat);

// The position (from 0) of the first member whose name equals name in any case, or -1.
int FindMember(const Chat& chat, const std::string& name);
// The name of the member the operator selected in the member list, if any.
std::optional<std::string> SelectedMember(const Chat& chat);
// The flags of the first member of that name as a number; 0 when there is none.
std::int16_t GetFlags(const Chat& chat, const std::string& name);
// The member-list icon: by product, then overridden by operator, squelch and flag 0x01.
std::int16_t GetIcon(const std::string& flags, const std::string& product);
// Whether the bot's own member (its name in any case) carries operator flags.
bool IsBotOp(const Chat& chat);

}  // namespace morva
