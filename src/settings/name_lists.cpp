#include "settings/name_lists.h"

#include <algorithm>
#include <iterator>

#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "settings/like_match.h"
#include "settings/settings.h"

namespace morva {

namespace {

// One list file: its name, its entries and whether they are the file's, and its error lines.
struct ListFile {
    const char* fileName;
    std::vector<std::string> Settings::*entries;
    bool Settings::*loaded;
    const char* loadError;
    const char* saveError;
};

const ListFile AccesFile{"acces.bot", &Settings::AccesNames, &Settings::AccesLoaded,
                         "Bot: Error in Acceslist()", "Bot: Error in WriteAccesList()"};
const ListFile SafeFile{"safelist.bot", &Settings::SafeNames, &Settings::SafeLoaded,
                        "Bot: Error in Safelist()", "Bot: Error in WriteSafelist()"};
const ListFile FilterFile{"filter.bot", &Settings::FilterPatterns, &Settings::FilterLoaded,
                          "Error in Shitlist()", "Error in Shitlist()"};

void error(Settings& settings, const std::string& line) {
    AddChat(settings.output, {{ColorError, line}});
}

// A missing file is an empty list: writing it later loses nothing. A file that exists but cannot be
// read is never written over until it loads again.
void load(Settings& settings, const ListFile& list) {
    const auto path = settings.ProfilePath(list.fileName);
    const FileContent content = ReadWholeFile(path);
    settings.*list.loaded = content.bytes || content.missing;
    if (!content.bytes) {
        error(settings, std::string(list.loadError) + ": " + path.string() + ": " + content.error + ".");
        return;
    }
    std::ranges::move(ParseListFile(*content.bytes), std::back_inserter(settings.*list.entries));
}

bool save(Settings& settings, const ListFile& list, const std::vector<std::string>& entries) {
    const auto path = settings.ProfilePath(list.fileName);
    if (!(settings.*list.loaded)) {
        error(settings, std::string(list.saveError) + ": " + path.string() +
                            " could not be read, so it is not written over.");
        return false;
    }
    if (const auto reason = ReplaceFileAtomically(path, FormatListFile(entries))) {
        error(settings, std::string(list.saveError) + ": " + path.string() + ": " + *reason + ".");
        return false;
    }
    return true;
}

// Changes a list only when its file takes the change, so the list and the file never part.
template <class Edit>
bool editSaved(Settings& settings, const ListFile& list, Edit edit) {
    if (!(settings.*list.loaded)) return false;
    std::vector<std::string> edited = settings.*list.entries;
    edit(edited);
    if (!save(settings, list, edited)) return false;
    settings.*list.entries = std::move(edited);
    return true;
}

void removeFirstNoCase(std::vector<std::string>& entries, std::string_view name) {
    const auto found =
        std::ranges::find_if(entries, [name](const std::string& e) { return EqualsNoCase(e, name); });
    if (found != entries.end()) entries.erase(found);
}

}  // namespace

std::vector<std::string> ParseListFile(std::string_view bytes) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        entries.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) entries.emplace_back(bytes.substr(start));
    return entries;
}

std::string FormatListFile(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const auto& entry : entries) bytes += entry + "\r\n";
    return bytes;
}

bool ContainsNoCase(const std::vector<std::string>& entries, std::string_view name) {
    return std::ranges::any_of(entries, [name](const std::string& e) { return EqualsNoCase(e, name); });
}

bool MatchesSafeEntry(std::string_view name, std::string_view entry) {
    if (entry.find('*') != std::string_view::npos) return NameMatches(name, entry);
    return EqualsNoCase(entry, name);
}

bool MatchesAnyFilter(const std::vector<std::string>& patterns, std::string_view text) {
    const std::string lowered = LowerCase(text);
    return std::ranges::any_of(patterns,
                               [&lowered](const std::string& p) { return LikeMatch(lowered, LowerCase(p)); });
}

void Acceslist(Settings& settings) {
    ClearAcces(settings);
    load(settings, AccesFile);
}

void Safelist(Settings& settings) {
    ClearSafelist(settings);
    load(settings, SafeFile);
}

void Shitlist(Settings& settings) {
    load(settings, FilterFile);
}

bool WriteAccesList(Settings& settings) {
    return save(settings, AccesFile, settings.AccesNames);
}

bool WriteSafelist(Settings& settings) {
    return save(settings, SafeFile, settings.SafeNames);
}

bool WriteFilter(Settings& settings) {
    return save(settings, FilterFile, settings.FilterPatterns);
}

bool AddAcces(Settings& settings, const std::string& name) {
    return editSaved(settings, AccesFile, [&](auto& entries) { entries.push_back(name); });
}

bool RemoveAcces(Settings& settings, std::string_view name) {
    return editSaved(settings, AccesFile, [&](auto& entries) { removeFirstNoCase(entries, name); });
}

void ClearAcces(Settings& settings) {
    settings.AccesNames.clear();
}

bool AddSafe(Settings& settings, const std::string& entry) {
    return editSaved(settings, SafeFile, [&](auto& entries) { entries.push_back(entry); });
}

bool RemoveSafe(Settings& settings, std::string_view name) {
    return editSaved(settings, SafeFile, [&](auto& entries) { removeFirstNoCase(entries, name); });
}

void ClearSafelist(Settings& settings) {
    settings.SafeNames.clear();
}

void AddFilter(Settings& settings, const std::string& pattern) {
    settings.FilterPatterns.push_back(pattern);
}

void RemoveFilterAt(Settings& settings, int position) {
    auto& patterns = settings.FilterPatterns;
    if (position < 1 || static_cast<std::size_t>(position) > patterns.size()) return;
    patterns.erase(patterns.begin() + (position - 1));
}

bool IsAcces(const Settings& settings, std::string_view name) {
    return name.empty() || EqualsNoCase(name, settings.BotConfig.Master) ||
           ContainsNoCase(settings.AccesNames, name);
}

bool IsSafe(const Settings& settings, std::string_view name) {
    return IsAcces(settings, name) || std::ranges::any_of(settings.SafeNames, [name](const std::string& e) {
               return MatchesSafeEntry(name, e);
           });
}

bool IsFiltered(const Settings& settings, std::string_view text) {
    return MatchesAnyFilter(settings.FilterPatterns, text);
}

}  // namespace morva
