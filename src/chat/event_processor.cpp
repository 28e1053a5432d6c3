#include "chat/event_processor.h"

#include "bot/bot.h"
#include "census/census.h"
#include "chat/add_chat.h"
#include "chat/channel_users.h"
#include "chat/event_line.h"
#include "chat/friend_notice.h"
#include "chat/information_line.h"
#include "chat/palette.h"
#include "chat/whisper_routing.h"
#include "connection/connection.h"
#include "moderation/commands.h"
#include "settings/name_lists.h"

namespace morva {

namespace {

constexpr std::size_t MaxPendingLine = 64 * 1024;

using Fields = EventLine;

void userJoins(Bot& bot, const Fields& e, int index) {
    const auto name = e.field(2), flags = e.field(3), product = e.field(4);
    if (bot.BotConfig.JoinNotifications && name && product)
        AddChat(bot, {{ColorJoin, *name + " joined channel using " + *product + "."}});
    if (name && flags && product) AddUser(bot, *name, *flags, *product);
    bot.BanCount = 0;
    if (name && IsBotOp(bot) && bot.BotConfig.ChannelProtect) {
        const BotConfig& c = bot.BotConfig;
        ChatCommand(bot, c.Master, c.Trigger + "ban " + *name + " " + c.ProtectMessage, index);
    }
}

void userLeaves(Bot& bot, const Fields& e) {
    const auto name = e.field(2);
    if (!name) return;
    RemoveUser(bot, *name);
    if (bot.BotConfig.LeaveNotifications) AddChat(bot, {{ColorLeave, *name + " left channel."}});
}

Rgb speakerColor(const Bot& bot, const std::string& name) {
    switch (GetFlags(bot, name)) {
        case 2:
        case 12:
        case 22:
            return ColorWhite;
        case 1:
            return ColorPaleCyan;
        default:
            return ColorUserName;
    }
}

void talk(Bot& bot, const Fields& e, int index) {
    const auto name = e.field(2);
    if (!name) return;
    if (!IsFiltered(bot, e.text))
        AddChat(bot, {{speakerColor(bot, *name), *name + ": "}, {ColorWhite, e.text}});
    CheckTrigger(bot, *name, e.text, index);
}

void channelEntered(Bot& bot, const Fields& e) {
    bot.CurrentChannel = e.text;
    ClearChannel(bot);
    AddChat(bot, {{ColorChannel, "Joined channel: "}, {ColorWhite, bot.CurrentChannel}});
    bot.ports.shell.setCaption(bot.LoggedInCaption());
}

void emote(Bot& bot, const Fields& e) {
    const auto name = e.field(2);
    if (name && bot.BotConfig.EmotesEnabled && !IsFiltered(bot, e.text))
        AddChat(bot, {{ColorEmote, "*" + *name + " " + e.text}});
}

void loggedOnAs(Bot& bot, const Fields& e) {
    bot.tmrLogin->stop();
    bot.tmrLoginTimeout->stop();
    ConnectionLoggedOn(bot);
    if (const auto name = e.field(2)) bot.CurrentName = *name;
    AddChat(bot, {{ColorStatus, "Bot: Logged on as: "}, {ColorOwnName, bot.CurrentName}});
    StartCensus(bot);
}

void error(Bot& bot, const std::string& text) {
    AddChat(bot, {{ColorError, text}});
}

void dispatch(Bot& bot, const Fields& e, int index) {
    switch (e.number()) {
        case 1001:
            if (e.fields.size() > 4) AddUser(bot, e.fields[2], e.fields[3], e.fields[4]);
            break;
        case 1002:
            userJoins(bot, e, index);
            break;
        case 1003:
            userLeaves(bot, e);
            break;
        case 1004:
            WhisperReceived(bot, e, index);
            break;
        case 1005:
            talk(bot, e, index);
            break;
        case 1007:
            channelEntered(bot, e);
            break;
        case 1009:
            if (e.fields.size() > 3) UpdateUser(bot, e.fields[2], e.fields[3]);
            break;
        case 1010:
            WhisperSent(bot, e);
            break;
        case 1013:
            error(bot, "Error: Channel is full.");
            break;
        case 1014:
            error(bot, "Error: Channel does not exist.");
            break;
        case 1015:
            error(bot, "Error: Channel restricted.");
            break;
        case 1018:
            InformationLine(bot, e.text, index);
            break;
        case 1019:
            error(bot, "Error: " + e.text);
            break;
        case 1023:
            emote(bot, e);
            break;
        case 2010:
            loggedOnAs(bot, e);
            break;
        default:
            break;
    }
}

}  // namespace

void ProcessEventLine(Bot& bot, std::string& line, int index) {
    if (!line.empty() && line[0] == '\n') line.erase(0, 1);
    const long number = LeadingNumber(std::string_view(line).substr(0, 4));
    if (number < 1001 || number > 3000) return;
    dispatch(bot, SplitEventLine(line), index);
}

void ProcessChatData(Bot& bot, const std::string& chunk, int index) {
    FriendAddedNotice(bot, chunk);
    std::string data = std::move(bot.ChatDataRest) + chunk;
    bot.ChatDataRest.clear();
    std::size_t start = 0;
    if (bot.ChatDataSkipping) {
        // The rest of a dropped overlong line runs to its line end; a CR at the very end may be its half.
        const std::size_t end = data.find("\r\n");
        if (end == std::string::npos) {
            if (!data.empty() && data.back() == '\r') bot.ChatDataRest.assign(1, '\r');
            return;
        }
        bot.ChatDataSkipping = false;
        start = end + 2;
    }
    for (std::size_t end; (end = data.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = data.substr(start, end - start);
        ProcessEventLine(bot, line, index);
    }
    if (data.size() - start <= MaxPendingLine) {
        bot.ChatDataRest = data.substr(start);
    } else {
        AddChat(bot, {{ColorError,
                       "Bot: The server sent more than 64 KiB without a line end; that text was dropped."}});
        bot.ChatDataSkipping = true;
    }
}

}  // namespace morva
