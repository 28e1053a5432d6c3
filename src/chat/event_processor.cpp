#include "chat/event_processor.h"

#include "chat/channel_users.h"
#include "chat/chat.h"
#include "chat/information_line.h"
#include "chat/whisper_routing.h"
#include "output/add_chat.h"
#include "output/chat_log.h"
#include "output/palette.h"
#include "platform/shell.h"
#include "sessions/chat_event.h"
#include "settings/name_lists.h"
#include "settings/settings.h"

namespace morva {

namespace {

std::string text(std::string_view view) {
    return std::string(view);
}

void userJoins(Chat& chat, const ChatEvent& e) {
    const BotConfig& c = chat.settings.BotConfig;
    if (c.JoinNotifications && e.name && e.product)
        AddChat(chat.output,
                {{ColorJoin, text(*e.name) + " joined channel using " + text(*e.product) + "."}});
    if (e.name && e.flags && e.product)
        AddUser(chat, text(*e.name), text(*e.flags), text(*e.product), e.ping);
    chat.BanCount = 0;
    if (e.name && IsBotOp(chat) && c.ChannelProtect) chat.hooks().ProtectChannel(text(*e.name));
}

void userLeaves(Chat& chat, const ChatEvent& e) {
    if (!e.name) return;
    const std::string name = text(*e.name);
    RemoveUser(chat, name);
    if (chat.settings.BotConfig.LeaveNotifications)
        AddChat(chat.output, {{ColorLeave, name + " left channel."}});
}

Rgb speakerColor(const Chat& chat, const std::string& name) {
    switch (GetFlags(chat, name)) {
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

void talk(Chat& chat, const ChatEvent& e) {
    if (!e.name) return;
    const std::string name = text(*e.name);
    if (!IsFiltered(chat.settings, e.text))
        AddChat(chat.output, {{speakerColor(chat, name), name + ": "}, {ColorWhite, text(e.text)}});
    chat.hooks().CheckTrigger(name, e.text);
}

void channelEntered(Chat& chat, const ChatEvent& e) {
    chat.CurrentChannel = text(e.text);
    if (chat.output.log) chat.output.log->setChannel(chat.CurrentChannel);
    ClearChannel(chat);
    AddChat(chat.output, {{ColorChannel, "Joined channel: "}, {ColorWhite, chat.CurrentChannel}});
    chat.shell.setCaption(chat.LoggedInCaption());
}

void emote(Chat& chat, const ChatEvent& e) {
    if (e.name && chat.settings.BotConfig.EmotesEnabled && !IsFiltered(chat.settings, e.text))
        AddChat(chat.output, {{ColorEmote, "*" + text(*e.name) + " " + text(e.text)}});
}

void loggedOnAs(Chat& chat, const ChatEvent& e) {
    if (e.name) chat.CurrentName = text(*e.name);
    AddChat(chat.output, {{ColorStatus, "Bot: Logged on as: "}, {ColorOwnName, chat.CurrentName}});
    chat.hooks().TextLoggedOn();
}

void error(Chat& chat, const std::string& line) {
    AddChat(chat.output, {{ColorError, line}});
}

}  // namespace

void ProcessEventLine(Chat& chat, const ChatEvent& e) {
    switch (e.id) {
        case EventId::ShowUser:
            if (e.name && e.flags && e.product)
                AddUser(chat, text(*e.name), text(*e.flags), text(*e.product), e.ping);
            break;
        case EventId::Join:
            userJoins(chat, e);
            break;
        case EventId::Leave:
            userLeaves(chat, e);
            break;
        case EventId::Whisper:
            WhisperReceived(chat, e);
            break;
        case EventId::Talk:
            talk(chat, e);
            break;
        case EventId::Channel:
            channelEntered(chat, e);
            break;
        case EventId::UserFlags:
            if (e.name && e.flags) UpdateUser(chat, text(*e.name), text(*e.flags));
            break;
        case EventId::WhisperSent:
            WhisperSent(chat, e);
            break;
        case EventId::ChannelFull:
        case EventId::ChannelDoesNotExist:
        case EventId::ChannelRestricted:
            error(chat, "Error: " + text(*ChannelRefusal(e.id)));
            break;
        case EventId::Info:
            InformationLine(chat, text(e.text));
            break;
        case EventId::Error:
            error(chat, "Error: " + text(e.text));
            break;
        case EventId::Emote:
            emote(chat, e);
            break;
        case EventId::LoggedOn:
            loggedOnAs(chat, e);
            break;
        default:
            break;
    }
}

std::optional<std::string_view> ChannelRefusal(EventId id) {
    switch (id) {
        case EventId::ChannelFull:
            return "Channel is full.";
        case EventId::ChannelDoesNotExist:
            return "Channel does not exist.";
        case EventId::ChannelRestricted:
            return "Channel restricted.";
        default:
            return std::nullopt;
    }
}

}  // namespace morva
