#include "chat/information_line.h"

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/event_line.h"
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

std::string word(const std::vector<std::string>& words, std::size_t i) { return i < words.size() ? words[i] : ""; }

void kickNotice(Bot& bot, const std::string& text, int index) {
    if (text.find("was kicked out of the channel by") == std::string::npos) return;
    if (word(SplitWords(text), 0) == bot.CurrentName) joinChannel(bot, bot.CurrentChannel, index);
}

void banNotice(Bot& bot, const std::string& text, int index) {
    if (text.find("was banned by") == std::string::npos) return;
    const auto words = SplitWords(text);
    if (words.size() > 4 && words[4] == bot.CurrentName && bot.BanCount < 32767) ++bot.BanCount;
    if (word(words, 0) == bot.CurrentName) joinChannel(bot, bot.BotConfig.BackupChannel, index);
}

void captureOrShow(Bot& bot, const std::string& text) {
    if (!bot.tmrGetInfo->isRunning()) {
        AddChat(bot, {{ColorInfo, "Broadcast: " + text}});
        return;
    }
    auto& list = bot.BotConfig.ChannelLogList;
    const int entry = bot.CensusIndex - 1;
    if (text.compare(0, 16, "Users in channel") == 0 || entry < 0 || entry >= static_cast<int>(list.size())) return;
    list[static_cast<std::size_t>(entry)] += "\r\n" + text;
}

}  // namespace

void InformationLine(Bot& bot, const std::string& text, int index) {
    kickNotice(bot, text, index);
    banNotice(bot, text, index);
    captureOrShow(bot, text);
}

}  // namespace morva
