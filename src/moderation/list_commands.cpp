#include "moderation/list_commands.h"

#include "bot/bot.h"
#include "settings/name_lists.h"

namespace morva {

// The tests ask whether the name has access or is safe, not whether it is an entry: so the master
// "is removed" from the access list, and a name safe through a pattern "is removed" from the safe
// list, while neither list changes.

std::string AddToAcceslist(Bot& bot, const std::string& name) {
    if (IsAcces(bot, name)) return name + " already in acceslist.";
    AddAcces(bot, name);
    return name + " added to acceslist.";
}

std::string RemoveFromAcceslist(Bot& bot, const std::string& name) {
    if (!IsAcces(bot, name)) return name + " not found in acceslist.";
    RemoveAcces(bot, name);
    return name + " removed from acceslist.";
}

std::string AddToSafelist(Bot& bot, const std::string& name) {
    if (IsSafe(bot, name)) return name + " already in safelist.";
    AddSafe(bot, name);
    return name + " added to safelist.";
}

std::string RemoveFromSafelist(Bot& bot, const std::string& name) {
    if (!IsSafe(bot, name)) return name + " not found in safelist.";
    RemoveSafe(bot, name);
    return name + " removed from safelist.";
}

}  // namespace morva
