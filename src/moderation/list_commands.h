#pragma once

#include <string>

namespace morva {

class Settings;

// The access and safe list edits of the trigger and slash commands. Each returns its report without
// the "Bot: " lead, such as "Joe added to acceslist.".
std::string AddToAcceslist(Settings& settings, const std::string& name);
std::string RemoveFromAcceslist(Settings& settings, const std::string& name);
std::string AddToSafelist(Settings& settings, const std::string& name);
std::string RemoveFromSafelist(Settings& settings, const std::string& name);

}  // namespace morva
