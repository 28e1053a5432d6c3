#pragma once

#include <string>

namespace morva {

class Bot;

// The access and safe list edits of the trigger and slash commands. Each returns its report without
// the "Bot: " lead, such as "Joe added to acceslist.".
std::string AddToAcceslist(Bot& bot, const std::string& name);
std::string RemoveFromAcceslist(Bot& bot, const std::string& name);
std::string AddToSafelist(Bot& bot, const std::string& name);
std::string RemoveFromSafelist(Bot& bot, const std::string& name);

}  // namespace morva
