#include "settings/name_lists.h"

#include <algorithm>
#include <iterator>

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "settings/like_match.h"

namespace morva {

namespace {

void loadInto(Bot& bot, std::vector<std::string>& entries, const char* fileName, const char* errorLine) {
    const auto bytes = ReadWholeFile(bot.ProfilePath(fileName));
    if (!bytes) {
        AddChat(bot, {{ColorError, errorLine}});
        return;
    }
    std::ranges::move(ParseListFile(*bytes), std::back_inserter(entries));
}

void save(Bot& bot, const std::vector<std::string>& entries, const char* fileName, const char* errorLine) {
    if (!ReplaceFileAtomically(bot.ProfilePath(fileName), FormatListFile(entries))) {
        AddChat(bot, {{ColorError, errorLine}});
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

void Acceslist(Bot& bot) {
    ClearAcces(bot);
    loadInto(bot, bot.AccesNames, "acces.bot", "Bot: Error in Acceslist()");
}

void Safelist(Bot& bot) {
    ClearSafelist(bot);
    loadInto(bot, bot.SafeNames, "safelist.bot", "Bot: Error in Safelist()");
}

void Shitlist(Bot& bot) {
    loadInto(bot, bot.FilterPatterns, "filter.bot", "Error in Shitlist()");
}

void WriteAccesList(Bot& bot) {
    save(bot, bot.AccesNames, "acces.bot", "Bot: Error in WriteAccesList()");
}

void WriteSafelist(Bot& bot) {
    save(bot, bot.SafeNames, "safelist.bot", "Bot: Error in WriteSafelist()");
}

void WriteFilter(Bot& bot) {
    save(bot, bot.FilterPatterns, "filter.bot", "Error in Shitlist()");
}

void AddAcces(Bot& bot, const std::string& name) {
    bot.AccesNames.push_back(name);
    WriteAccesList(bot);
}

void RemoveAcces(Bot& bot, std::string_view name) {
    removeFirstNoCase(bot.AccesNames, name);
    WriteAccesList(bot);
}

void ClearAcces(Bot& bot) {
    bot.AccesNames.clear();
}

void AddSafe(Bot& bot, const std::string& entry) {
    bot.SafeNames.push_back(entry);
    WriteSafelist(bot);
}

void RemoveSafe(Bot& bot, std::string_view name) {
    removeFirstNoCase(bot.SafeNames, name);
    WriteSafelist(bot);
}

void ClearSafelist(Bot& bot) {
    bot.SafeNames.clear();
}

void AddFilter(Bot& bot, const std::string& pattern) {
    bot.FilterPatterns.push_back(pattern);
}

void RemoveFilterAt(Bot& bot, int position) {
    auto& patterns = bot.FilterPatterns;
    if (position < 1 || static_cast<std::size_t>(position) > patterns.size()) return;
    patterns.erase(patterns.begin() + (position - 1));
}

bool IsAcces(const Bot& bot, std::string_view name) {
    return name.empty() || EqualsNoCase(name, bot.BotConfig.Master) || ContainsNoCase(bot.AccesNames, name);
}

bool IsSafe(const Bot& bot, std::string_view name) {
    return IsAcces(bot, name) || std::ranges::any_of(bot.SafeNames, [name](const std::string& e) {
               return MatchesSafeEntry(name, e);
           });
}

bool IsFiltered(const Bot& bot, std::string_view text) {
    return MatchesAnyFilter(bot.FilterPatterns, text);
}

}  // namespace morva
