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

void loadInto(Settings& settings, std::vector<std::string>& entries, const char* fileName,
              const char* errorLine) {
    const auto bytes = ReadWholeFile(settings.ProfilePath(fileName));
    if (!bytes) {
        AddChat(settings.output, {{ColorError, errorLine}});
        return;
    }
    std::ranges::move(ParseListFile(*bytes), std::back_inserter(entries));
}

void save(Settings& settings, const std::vector<std::string>& entries, const char* fileName,
          const char* errorLine) {
    if (!ReplaceFileAtomically(settings.ProfilePath(fileName), FormatListFile(entries))) {
        AddChat(settings.output, {{ColorError, errorLine}});
    }
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
        if (bytes[i] != '\r') continue;
        entries.emplace_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
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
    loadInto(settings, settings.AccesNames, "acces.bot", "Bot: Error in Acceslist()");
}

void Safelist(Settings& settings) {
    ClearSafelist(settings);
    loadInto(settings, settings.SafeNames, "safelist.bot", "Bot: Error in Safelist()");
}

void Shitlist(Settings& settings) {
    loadInto(settings, settings.FilterPatterns, "filter.bot", "Error in Shitlist()");
}

void WriteAccesList(Settings& settings) {
    save(settings, settings.AccesNames, "acces.bot", "Bot: Error in WriteAccesList()");
}

void WriteSafelist(Settings& settings) {
    save(settings, settings.SafeNames, "safelist.bot", "Bot: Error in WriteSafelist()");
}

void WriteFilter(Settings& settings) {
    save(settings, settings.FilterPatterns, "filter.bot", "Error in Shitlist()");
}

void AddAcces(Settings& settings, const std::string& name) {
    settings.AccesNames.push_back(name);
    WriteAccesList(settings);
}

void RemoveAcces(Settings& settings, std::string_view name) {
    removeFirstNoCase(settings.AccesNames, name);
    WriteAccesList(settings);
}

void ClearAcces(Settings& settings) {
    settings.AccesNames.clear();
}

void AddSafe(Settings& settings, const std::string& entry) {
    settings.SafeNames.push_back(entry);
    WriteSafelist(settings);
}

void RemoveSafe(Settings& settings, std::string_view name) {
    removeFirstNoCase(settings.SafeNames, name);
    WriteSafelist(settings);
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
