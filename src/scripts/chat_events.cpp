#include "scripts/chat_events.h"

#include <string>

#include "chat/chat.h"
#include "chat/event_processor.h"
#include "sessions/chat_event.h"
#include "settings/settings.h"

namespace morva {

namespace {

std::string text(const std::optional<std::string_view>& field) {
    return std::string(field.value_or(""));
}

// An event about a user names one; one that does not comes from a broken stream and is not passed on.
std::optional<ScriptEvent> about(const ChatEvent& e, ScriptEvent event) {
    if (!e.name) return std::nullopt;
    event.args.insert(event.args.begin(), std::string(*e.name));
    return event;
}

}  // namespace

ScriptEvent LogonEvent(const Chat& chat) {
    return {"on_logon", {chat.CurrentName, chat.settings.BotConfig.Channel}};
}

std::optional<ScriptEvent> ScriptEventOf(const Chat& chat, const ChatEvent& e) {
    const std::string said(e.text);
    switch (e.id) {
        case EventId::LoggedOn:
            return LogonEvent(chat);
        case EventId::Channel:
            return ScriptEvent{"on_channel", {chat.CurrentChannel}};
        case EventId::Join:
            return about(e, {"on_join", {text(e.flags), text(e.product)}});
        case EventId::Leave:
            return about(e, {"on_leave", {}});
        case EventId::Talk:
            return about(e, {"on_talk", {said, text(e.flags)}});
        case EventId::Emote:
            return about(e, {"on_emote", {said}});
        case EventId::Whisper:
            return about(e, {"on_whisper", {said}});
        case EventId::UserFlags:
            return about(e, {"on_flags", {text(e.flags)}});
        case EventId::Info:
            return ScriptEvent{"on_info", {said}};
        case EventId::Error:
            return ScriptEvent{"on_error", {said}};
        case EventId::ChannelFull:
        case EventId::ChannelDoesNotExist:
        case EventId::ChannelRestricted:
            return ScriptEvent{"on_error", {std::string(*ChannelRefusal(e.id))}};
        default:
            return std::nullopt;
    }
}

}  // namespace morva
