#include "chat/whisper_routing.h"

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/event_line.h"
#include "chat/palette.h"
#include "chat/whisper_windows.h"
#include "moderation/commands.h"

namespace morva {

namespace {

// The window of user, opened first when there is none; activated when asked.
Pane& windowOf(Bot& bot, const std::string& user, bool activate) {
    if (!HasWhisperWindow(bot, user)) OpenWhisperWindow(bot, user);
    const int slot = WhisperWindowIndex(bot, user);
    if (activate) bot.ports.shell.whisperWindowActivate(slot);
    return bot.ports.shell.whisperWindowPane(slot);
}

// The whispers pane always gets the line; the chat pane too while neither windows nor the whispers
// pane are on; with windows on, the user's window gets its own form of the line.
void route(Bot& bot, const Runs& paneLine, const std::string& user, const Runs& windowLine, bool activate) {
    AddChat(bot, bot.ports.rtbWhispers, paneLine);
    if (bot.BotConfig.WhisperWindow) {
        AddChat(bot, windowOf(bot, user, activate), windowLine);
    } else if (!bot.BotConfig.WhisperFrame) {
        AddChat(bot, paneLine);
    }
}

}  // namespace

void WhisperReceived(Bot& bot, const EventLine& e, int index) {
    const auto name = e.field(2);
    if (!name) return;
    route(bot, {{ColorWhisperFrom, "Whisper from: "}, {ColorUserName, *name + ": "}, {ColorWhite, e.text}},
          *name, {{ColorUserName, *name + ": "}, {ColorWhite, e.text}}, false);
    CheckTrigger(bot, *name, e.text, index);
}

void WhisperSent(Bot& bot, const EventLine& e) {
    const auto name = e.field(2);
    if (!name) return;
    if (e.field(3) == "friends") {
        const Runs line = {
            {ColorWhisperTo, "Whisper to: "}, {ColorOwnName, *name + " friends: "}, {ColorWhite, e.text}};
        AddChat(bot, bot.BotConfig.WhisperFrame ? bot.ports.rtbWhispers : bot.ports.rtbChat, line);
        return;
    }
    route(bot, {{ColorWhisperTo, "Whisper to: "}, {ColorOwnName, *name + ": "}, {ColorWhite, e.text}}, *name,
          {{ColorOwnName, bot.CurrentName + ": "}, {ColorWhite, e.text}}, true);
}

}  // namespace morva
