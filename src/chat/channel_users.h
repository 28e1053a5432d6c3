#pragma once

#include <cstdint>
#include <string>

namespace morva {

class Bot;

// The members of the current channel, kept twice: the records of Bot::ChannelUsers
// ("name flags [PRODUCT]") for the logic, and the rows of the visible member list.

// Adds a record and a row at the end; a name already present gets a second one.
void AddUser(Bot& bot, const std::string& name, const std::string& flags, const std::string& product);
// Removes the first record of that name (exact) and the first row of that name (any case).
void RemoveUser(Bot& bot, const std::string& name);
// Gives a member new flags; the row keeps its place in the list.
void UpdateUser(Bot& bot, const std::string& name, const std::string& flags);
// Empties records and rows on entering a channel.
void ClearChannel(Bot& bot);

// The flags of the first record of that name (exact) as a number; 0 when there is none.
std::int16_t GetFlags(const Bot& bot, const std::string& name);
// The member-list icon: by product, then overridden by operator, squelch and flag 0x01.
std::int16_t GetIcon(const std::string& flags, const std::string& product);
// Whether the bot's own record carries operator flags.
bool IsBotOp(const Bot& bot);

}  // namespace morva
