#include "chat/information_line.h"

#include <initializer_list>

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "connection/bncs_logon.h"
#include "connection/connection.h"

namespace morva {

namespace {

void joinChannel(Bot& bot, const std::string& channel, int index) {
    if (bot.BotConfig.Binary) {
        SendJoinChannel(bot, channel, index);
    } else {
        SendChat(bot, "/join " + channel + "\r\n", index);
    }
}

bool containsAny(const std::string& text, std::initializer_list<const char*> phrases) {
    for (const char* phrase : phrases)
        if (text.find(phrase) != std::string::npos) return true;
    return false;
}

std::string firstWord(const std::string& text) {
    return text.substr(0, text.find(' '));
}

// The name after " by " in a notice, without the "." or "(reason)." that may follow it:
// "x was banned by carol." and "x has been banned by carol (spam)." both give "carol".
std::string byWhom(const std::string& text) {
    const std::size_t by = text.find(" by ");
    if (by == std::string::npos) return "";
    std::string name = firstWord(text.substr(by + 4));
    name = name.substr(0, name.find('('));
    if (!name.empty() && name.back() == '.') name.pop_back();
    return name;
}

// Both the original service's phrasing and today's community servers' are understood.
void kickNotice(Bot& bot, const std::string& text, int index) {
    if (!containsAny(text, {"was kicked out of the channel by", "has been kicked by"})) return;
    if (firstWord(text) == bot.CurrentName) joinChannel(bot, bot.CurrentChannel, index);
}

void banNotice(Bot& bot, const std::string& text, int index) {
    if (!containsAny(text, {"was banned by", "has been banned by"})) return;
    if (byWhom(text) == bot.CurrentName && bot.BanCount < 32767) ++bot.BanCount;
    if (firstWord(text) == bot.CurrentName) joinChannel(bot, bot.BotConfig.BackupChannel, index);
}

// While a census visit listens, the names of a "/who" answer go to its entry. Servers answer
// either with a bare header and the names on the lines after it, or with the names after the
// header's ": " on the same line.
void capture(Bot& bot, const std::string& text) {
    auto& list = bot.BotConfig.ChannelLogList;
    const int entry = bot.CensusIndex - 1;
    if (entry < 0 || entry >= static_cast<int>(list.size())) return;
    std::string names = text;
    if (text.compare(0, 16, "Users in channel") == 0) {
        const std::size_t colon = text.find(": ");
        if (colon == std::string::npos || colon + 2 == text.size()) return;
        names = text.substr(colon + 2);
    }
    list[static_cast<std::size_t>(entry)] += "\r\n" + names;
}

void captureOrShow(Bot& bot, const std::string& text) {
    if (bot.tmrGetInfo->isRunning()) {
        capture(bot, text);
    } else {
        AddChat(bot, {{ColorInfo, "Broadcast: " + text}});
    }
}

}  // namespace

void InformationLine(Bot& bot, const std::string& text, int index) {
    kickNotice(bot, text, index);
    banNotice(bot, text, index);
    captureOrShow(bot, text);
}

}  // namespace morva
