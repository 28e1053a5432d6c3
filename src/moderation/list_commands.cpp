#include "moderation/list_commands.h"

#include "settings/name_lists.h"
#include "settings/settings.h"

namespace morva {

namespace {
// A change the list file did not take was not made: the report says so, and why.
std::string notChanged(const std::string& name, const char* what, bool loaded, const char* fileName) {
    return name + " not " + what + ": " + fileName +
           (loaded ? " could not be written." : " could not be read.");
}
}  // namespace

// The tests ask whether the name has access or is safe, not whether it is an entry: so the master
// "is removed" from the access list, and a name safe through a pattern "is removed" from the safe
// list, while neither list changes.

std::string AddToAcceslist(Settings& settings, const std::string& name) {
    if (IsAcces(settings, name)) return name + " already in acceslist.";
    if (!AddAcces(settings, name)) return notChanged(name, "added", settings.AccesLoaded, "acces.bot");
    return name + " added to acceslist.";
}

std::string RemoveFromAcceslist(Settings& settings, const std::string& name) {
    if (!IsAcces(settings, name)) return name + " not found in acceslist.";
    if (!RemoveAcces(settings, name)) return notChanged(name, "removed", settings.AccesLoaded, "acces.bot");
    return name + " removed from acceslist.";
}

std::string AddToSafelist(Settings& settings, const std::string& name) {
    if (IsSafe(settings, name)) return name + " already in safelist.";
    if (!AddSafe(settings, name)) return notChanged(name, "added", settings.SafeLoaded, "safelist.bot");
    return name + " added to safelist.";
}

std::string RemoveFromSafelist(Settings& settings, const std::string& name) {
    if (!IsSafe(settings, name)) return name + " not found in safelist.";
    if (!RemoveSafe(settings, name)) return notChanged(name, "removed", settings.SafeLoaded, "safelist.bot");
    return name + " removed from safelist.";
}

}  // namespace morva
