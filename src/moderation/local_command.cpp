#include <algorithm>
#include <string_view>

#include "chat/channel_users.h"
#include "chat/chat.h"
#include "chat/input_line.h"
#include "moderation/command_line.h"
#include "moderation/command_settings.h"
#include "moderation/commands.h"
#include "moderation/kick_ban.h"
#include "moderation/list_commands.h"
#include "moderation/say.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/settings.h"

namespace morva {

namespace {

// One slash command of the operator's and its argument.
struct Local {
    Chat& chat;
    const std::string& argument;
};

void status(const Local& c, const std::string& text) {
    AddChat(c.chat.output, {{ColorStatus, text}});
}

void banCount(const Local& c) {
    status(c, "Bot: " + std::to_string(c.chat.BanCount) + " users banned from channel while holding op.");
}

// The server reports where a friend is: befriending the user for a moment makes it tell. Its
// answers are kept out of the pane from the moment the request leaves the send queue.
void find(const Local& c) {
    AddChat(c.chat.output, {{ColorGrey, "Finding " + c.argument + "..."}});
    InfoCapture& capture = c.chat.capture;
    SendUserLine(c.chat, "/f a " + c.argument, [&capture] { capture.open(); });
    SendUserLine(c.chat, "/f r " + c.argument);
}

void add(const Local& c) {
    status(c, "Bot: " + AddToAcceslist(c.chat.settings, c.argument));
}

void protect(const Local& c) {
    const auto on = ProtectSwitch(c.argument);
    if (!on && !c.argument.empty()) return;
    const bool enabled = on.value_or(c.chat.settings.BotConfig.ChannelProtect);
    status(c, enabled ? "Bot: Channel protection enabled." : "Bot: Channel protection disabled.");
    if (on) SetChannelProtect(c.chat.settings, *on);
}

void remove(const Local& c) {
    status(c, "Bot: " + RemoveFromAcceslist(c.chat.settings, c.argument));
}

void safeAdd(const Local& c) {
    status(c, "Bot: " + AddToSafelist(c.chat.settings, c.argument));
}

void safeRemove(const Local& c) {
    status(c, "Bot: " + RemoveFromSafelist(c.chat.settings, c.argument));
}

void setTrigger(const Local& c) {
    if (const auto trigger = SetTrigger(c.chat.settings, c.argument))
        status(c, "Trigger set to: " + *trigger);
}

void op(const Local& c) {
    if (FindMember(c.chat, c.argument) < 0) {
        AddChat(c.chat.output, {{ColorError, "Error: " + c.argument + " is not in channel."}});
        return;
    }
    Say(c.chat, "/designate " + c.argument);
    Say(c.chat, "/resign");
}

// The typed line has reached the server already, which kicks or bans a plain name by itself; only
// lists and patterns need the bot.
void listOrPattern(const Local& c, TargetAction action) {
    if (c.argument.find(", ") != std::string::npos) {
        ForEachTarget(c.chat, c.argument, action);
    } else if (c.argument.find('*') != std::string::npos) {
        action(c.chat, c.argument);
    }
}

void kick(const Local& c) {
    listOrPattern(c, KickUser);
}

void ban(const Local& c) {
    listOrPattern(c, BanUser);
}

struct LocalWord {
    std::string_view word;
    bool needsOperator;
    bool needsServer;
    void (*run)(const Local&);
};

constexpr LocalWord LocalWords[] = {
    {"bancount", true, true, banCount},
    {"find", false, true, find},
    {"add", false, false, add},
    {"protect", false, false, protect},
    {"remove", false, false, remove},
    {"rem", false, false, remove},
    {"safeadd", false, false, safeAdd},
    {"saferem", false, false, safeRemove},
    {"saferemove", false, false, safeRemove},
    {"settrigger", false, false, setTrigger},
    {"op", true, true, op},
    {"kick", true, true, kick},
    {"ban", true, true, ban},
};

const LocalWord* localWord(const std::string& text) {
    const CommandLine line = SplitCommandLine(text, 1);
    const auto found = std::ranges::find(LocalWords, line.word, &LocalWord::word);
    return found == std::end(LocalWords) ? nullptr : found;
}

}  // namespace

void LocalCommand(Chat& chat, const std::string& text) {
    const LocalWord* found = localWord(text);
    if (!found || (found->needsOperator && !IsBotOp(chat))) return;
    found->run(Local{chat, SplitCommandLine(text, 1).argument});
}

bool RunsWithoutServer(const std::string& text) {
    const LocalWord* found = localWord(text);
    return found && !found->needsServer;
}

}  // namespace morva
