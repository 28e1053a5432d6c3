#include "census/census.h"

#include <filesystem>
#include <system_error>

#include "bot/bot.h"
#include "census/census_names.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "connection/connection.h"
#include "platform/files.h"
#include "settings/profile.h"

namespace morva {

namespace {

const std::string LogFolder = "Channel Log Files";
// The capture window of one visit; it closes before the next 900 ms step.
constexpr int CaptureMs = 700;

// The channel's folder, relative to the profile folder.
std::filesystem::path channelFolder(const std::string& entry) {
    return std::filesystem::path(LogFolder) / CensusFolderName(CensusChannelName(entry));
}

void makeChannelFolders(Bot& bot, const std::string& entry, const LocalTime& now) {
    const auto folder = channelFolder(entry);
    MakeFolder(bot, folder.string());
    MakeFolder(bot, (folder / CensusDate(now)).string());
}

// The folders are made again here: a census that runs past midnight needs a date folder that did
// not exist when the list was loaded.
bool writeCensusFile(Bot& bot, const std::string& entry) {
    const LocalTime now = bot.ports.clock.now();
    MakeFolder(bot, LogFolder);
    makeChannelFolders(bot, entry, now);
    const auto file = channelFolder(entry) / CensusDate(now) / (CensusTime(now) + ".txt");
    return ReplaceFileAtomically(bot.ProfilePath(file.string()), entry + "\r\n");
}

}  // namespace

void StartCensus(Bot& bot) {
    if (bot.BotConfig.Channels == 0) return;
    LoadChannelLogList(bot);
    bot.CensusIndex = 0;
    bot.tmrWhoChannel->start();
}

// The census walks the list loaded at logon, not Channels: a reload of config.bot during the
// census may change Channels, and must not send the census past the end of its list.
void tmrWhoChannel_Timer(Bot& bot) {
    const auto& list = bot.BotConfig.ChannelLogList;
    if (bot.CensusIndex < 0 || bot.CensusIndex >= static_cast<int>(list.size())) {
        bot.tmrWhoChannel->stop();
        WriteChannelLog(bot);
        return;
    }
    const std::string channel = CensusChannelName(list[static_cast<std::size_t>(bot.CensusIndex)]);
    bot.tmrGetInfo->setInterval(CaptureMs);
    bot.tmrGetInfo->start();
    AddChat(bot, {{ColorGrey, "Bot: Getting Channel Log: " + channel}});
    SendChat(bot, "/who " + channel + "\r\n", bot.ActiveSocket);
    ++bot.CensusIndex;
}

void MakeFolder(Bot& bot, const std::string& relativePath) {
    std::error_code ignored;
    std::filesystem::create_directory(bot.ProfilePath(relativePath), ignored);
}

void MakeLogFolders(Bot& bot) {
    const LocalTime now = bot.ports.clock.now();
    MakeFolder(bot, LogFolder);
    for (const auto& entry : bot.BotConfig.ChannelLogList) makeChannelFolders(bot, entry, now);
}

void WriteChannelLog(Bot& bot) {
    for (const auto& entry : bot.BotConfig.ChannelLogList) {
        if (!writeCensusFile(bot, entry)) {
            AddChat(bot, {{ColorError, "Error in writing channels log files."}});
            return;
        }
    }
    AddChat(bot, {{ColorStatus, "Bot: Getting Channels Log Done."}});
}

}  // namespace morva
