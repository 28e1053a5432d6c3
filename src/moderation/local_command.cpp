#include <algorithm>
#include <string_view>

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/channel_users.h"
#include "chat/input_line.h"
#include "chat/palette.h"
#include "moderation/command_line.h"
#include "moderation/command_settings.h"
#include "moderation/commands.h"
#include "moderation/kick_ban.h"
#include "moderation/list_commands.h"
#include "moderation/say.h"

namespace morva {

namespace {

// One slash command of the operator's: its argument and the socket to send on.
struct Local {
    Bot& bot;
    const std::string& argument;
    int index;
};

void status(const Local& c, const std::string& text) {
    AddChat(c.bot, {{ColorStatus, text}});
}

void banCount(const Local& c) {
    status(c, "Bot: " + std::to_string(c.bot.BanCount) + " users banned from channel while holding op.");
}

// The server reports where a friend is: befriending the user for a moment makes it tell.
void find(const Local& c) {
    AddChat(c.bot, {{ColorGrey, "Finding " + c.argument + "..."}});
    c.bot.tmrGetInfo->start();
    SendUserLine(c.bot, "/f a " + c.argument, c.index);
    SendUserLine(c.bot, "/f r " + c.argument, c.index);
}

void add(const Local& c) {
    status(c, "Bot: " + AddToAcceslist(c.bot, c.argument));
}

void protect(const Local& c) {
    const auto on = ProtectSwitch(c.argument);
    if (!on && !c.argument.empty()) return;
    const bool enabled = on.value_or(c.bot.BotConfig.ChannelProtect);
    status(c, enabled ? "Bot: Channel protection enabled." : "Bot: Channel protection disabled.");
    if (on) SetChannelProtect(c.bot, *on);
}

void remove(const Local& c) {
    status(c, "Bot: " + RemoveFromAcceslist(c.bot, c.argument));
}

void safeAdd(const Local& c) {
    status(c, "Bot: " + AddToSafelist(c.bot, c.argument));
}

void safeRemove(const Local& c) {
    status(c, "Bot: " + RemoveFromSafelist(c.bot, c.argument));
}

void setTrigger(const Local& c) {
    if (const auto trigger = SetTrigger(c.bot, c.argument)) status(c, "Trigger set to: " + *trigger);
}

void op(const Local& c) {
    if (c.bot.ports.lvChannel.find(c.argument) == 0) {
        AddChat(c.bot, {{ColorError, "Error: " + c.argument + " is not in channel."}});
        return;
    }
    Say(c.bot, "/designate " + c.argument, c.index);
    Say(c.bot, "/resign", c.index);
}

// The typed line has reached the server already, which kicks or bans a plain name by itself; only
// lists and patterns need the bot.
void listOrPattern(const Local& c, TargetAction action) {
    if (c.argument.find(", ") != std::string::npos) {
        ForEachTarget(c.bot, c.argument, c.index, action);
    } else if (c.argument.find('*') != std::string::npos) {
        action(c.bot, c.argument, c.index);
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
    void (*run)(const Local&);
};

constexpr LocalWord LocalWords[] = {
    {"bancount", true, banCount},
    {"find", false, find},
    {"add", false, add},
    {"protect", false, protect},
    {"remove", false, remove},
    {"rem", false, remove},
    {"safeadd", false, safeAdd},
    {"saferem", false, safeRemove},
    {"saferemove", false, safeRemove},
    {"settrigger", false, setTrigger},
    {"op", true, op},
    {"kick", true, kick},
    {"ban", true, ban},
};

}  // namespace

void LocalCommand(Bot& bot, const std::string& text, int index) {
    const CommandLine line = SplitCommandLine(text, 1);
    const auto found = std::ranges::find(LocalWords, line.word, &LocalWord::word);
    if (found == std::end(LocalWords)) return;
    if (found->needsOperator && !IsBotOp(bot)) return;
    found->run(Local{bot, line.argument, index});
}

}  // namespace morva
