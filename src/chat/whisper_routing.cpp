#include "chat/whisper_routing.h"

#include "chat/chat.h"
#include "chat/whisper_windows.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/shell.h"
#include "sessions/chat_event.h"
#include "settings/settings.h"

namespace morva {

namespace {

// The window of user, opened first when there is none; activated when asked.
Pane& windowOf(Chat& chat, const std::string& user, bool activate) {
    if (!HasWhisperWindow(chat, user)) OpenWhisperWindow(chat, user);
    const int slot = WhisperWindowIndex(chat, user);
    if (activate) chat.shell.whisperWindowActivate(slot);
    return chat.shell.whisperWindowPane(slot);
}

// The whispers pane always gets the line; the chat pane too while neither windows nor the whispers
// pane are on; with windows on, the user's window gets its own form of the line.
void route(Chat& chat, const Runs& paneLine, const std::string& user, const Runs& windowLine, bool activate) {
    const BotConfig& c = chat.settings.BotConfig;
    AddChat(chat.output, chat.output.rtbWhispers, paneLine);
    if (c.WhisperWindow) {
        AddChat(chat.output, windowOf(chat, user, activate), windowLine);
    } else if (!c.WhisperFrame) {
        AddChat(chat.output, paneLine);
    }
}

}  // namespace

void WhisperReceived(Chat& chat, const ChatEvent& e) {
    if (!e.name) return;
    const std::string name(*e.name), text(e.text);
    route(chat, {{ColorWhisperFrom, "Whisper from: "}, {ColorUserName, name + ": "}, {ColorWhite, text}},
          name, {{ColorUserName, name + ": "}, {ColorWhite, text}}, false);
    chat.hooks().CheckTrigger(name, text);
}

void WhisperSent(Chat& chat, const ChatEvent& e) {
    if (!e.name) return;
    const std::string name(*e.name), text(e.text);
    if (e.flags == "friends") {
        const Runs line = {
            {ColorWhisperTo, "Whisper to: "}, {ColorOwnName, name + " friends: "}, {ColorWhite, text}};
        AddChat(chat.output,
                chat.settings.BotConfig.WhisperFrame ? chat.output.rtbWhispers : chat.output.rtbChat, line);
        return;
    }
    route(chat, {{ColorWhisperTo, "Whisper to: "}, {ColorOwnName, name + ": "}, {ColorWhite, text}}, name,
          {{ColorOwnName, chat.CurrentName + ": "}, {ColorWhite, text}}, true);
}

}  // namespace morva
