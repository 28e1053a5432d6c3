#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morva {

class Settings;

// The list file format, shared by acces.bot, safelist.bot and filter.bot: one entry per line; a line
// ends at CR LF, a lone CR or a lone LF (files from Linux editors); a last line without line end
// counts, and a file that ends with a line end has no empty entry after it.
std::vector<std::string> ParseListFile(std::string_view bytes);
// Every entry followed by CR LF; no entries give no bytes.
std::string FormatListFile(const std::vector<std::string>& entries);

// The look-ups over plain lists, without regard to case.
bool ContainsNoCase(const std::vector<std::string>& entries, std::string_view name);
// A safe-list entry that contains "*" is a name pattern; any other entry is a plain name.
bool MatchesSafeEntry(std::string_view name, std::string_view entry);
bool MatchesAnyFilter(const std::vector<std::string>& patterns, std::string_view text);

// Loading. Acceslist and Safelist replace their list; Shitlist appends to the filter list. A file that
// cannot be read gives an error line with its path and the system's reason; a missing one is an empty
// list, and one that exists but could not be read is not written over until it loads again.
void Acceslist(Settings& settings);
void Safelist(Settings& settings);
void Shitlist(Settings& settings);

// Saving: the file is replaced whole and true returned, or left as it was and an error line printed.
bool WriteAccesList(Settings& settings);
bool WriteSafelist(Settings& settings);
bool WriteFilter(Settings& settings);

// Changes. The access and safe lists save themselves and change only when their file took the change
// (false: it did not, and nothing changed); the filter list is saved by its caller.
bool AddAcces(Settings& settings, const std::string& name);
bool RemoveAcces(Settings& settings, std::string_view name);
void ClearAcces(Settings& settings);
bool AddSafe(Settings& settings, const std::string& entry);
bool RemoveSafe(Settings& settings, std::string_view name);
void ClearSafelist(Settings& settings);
void AddFilter(Settings& settings, const std::string& pattern);
// position counts from 1; a position outside the list changes nothing.
void RemoveFilterAt(Settings& settings, int position);

// Look-ups. The empty name and the master always have access; everybody with access is safe.
bool IsAcces(const Settings& settings, std::string_view name);
bool IsSafe(const Settings& settings, std::string_view name);
// True when the text matches a filter pattern, both sides lower-cased; an invalid pattern matches nothing.
bool IsFiltered(const Settings& settings, std::string_view text);

}  // namespace morva
