#include <algorithm>
#include <string_view>

#include "bot/bot.h"
#include "chat/channel_users.h"
#include "moderation/command_line.h"
#include "moderation/command_settings.h"
#include "moderation/commands.h"
#include "moderation/kick_ban.h"
#include "moderation/list_commands.h"
#include "moderation/say.h"
#include "platform/text_case.h"
#include "settings/name_lists.h"

namespace morva {

namespace {

// One trigger command: who gave it, its argument, the socket it came on.
struct Chat {
    Bot& bot;
    const std::string& user;
    const std::string& argument;
    int index;
};

void say(const Chat& c, const std::string& text) {
    Say(c.bot, text, c.index);
}

void whisper(const Chat& c, const std::string& text) {
    say(c, "/w " + c.user + text);
}

void notInChannel(const Chat& c) {
    say(c, "Error: " + c.argument + " is not in channel.");
}

void banCount(const Chat& c) {
    whisper(c, " Bot: " + std::to_string(c.bot.BanCount) +
                   " users has been banned from channel while holding ops.");
}

void show(const Chat& c) {
    c.bot.ports.shell.trayRestore();
}

void hide(const Chat& c) {
    Shell& shell = c.bot.ports.shell;
    shell.trayMinimize();
    shell.traySetTip(shell.caption());
}

void protect(const Chat& c) {
    if (const auto on = ProtectSwitch(c.argument)) {
        whisper(c, *on ? " Bot: Channel protection enabled." : " Bot: Channel protection disabled.");
        SetChannelProtect(c.bot, *on);
    } else if (c.argument.empty()) {
        whisper(c, c.bot.BotConfig.ChannelProtect ? " Bot: Channel protection enabled."
                                                  : " Bot: Channel protection disable.");
    }
}

void unban(const Chat& c) {
    say(c, "/unban " + c.argument);
}

void join(const Chat& c) {
    say(c, "/join " + c.argument);
}

void op(const Chat& c) {
    if (c.bot.ports.lvChannel.find(c.argument) == 0) return notInChannel(c);
    say(c, "/designate " + c.argument);
    say(c, "/resign");
}

void designate(const Chat& c) {
    if (c.bot.ports.lvChannel.find(c.argument) == 0) return notInChannel(c);
    say(c, "/designate " + c.argument);
    whisper(c, " Bot: Designated: " + c.argument);
}

void resign(const Chat& c) {
    say(c, "/resign");
}

void sayArgument(const Chat& c) {
    say(c, c.argument);
}

void add(const Chat& c) {
    whisper(c, " Bot: " + AddToAcceslist(c.bot, c.argument));
}

void remove(const Chat& c) {
    whisper(c, " Bot: " + RemoveFromAcceslist(c.bot, c.argument));
}

void safeAdd(const Chat& c) {
    whisper(c, " Bot: " + AddToSafelist(c.bot, c.argument));
}

void safeRemove(const Chat& c) {
    whisper(c, " Bot: " + RemoveFromSafelist(c.bot, c.argument));
}

void end(const Chat& c) {
    c.bot.ports.shell.endProgram();
}

void setTrigger(const Chat& c) {
    if (const auto trigger = SetTrigger(c.bot, c.argument)) whisper(c, " Trigger set to: " + *trigger);
}

void kick(const Chat& c) {
    ForEachTarget(c.bot, c.argument, c.index, KickUser);
}

void ban(const Chat& c) {
    ForEachTarget(c.bot, c.argument, c.index, BanUser);
}

void version(const Chat& c) {
    say(c, c.bot.TitleText + ".");
}

enum class Right { Anyone, Operator, Master };

struct ChatWord {
    std::string_view word;
    Right right;
    void (*run)(const Chat&);
};

constexpr ChatWord ChatWords[] = {
    {"bancount", Right::Operator, banCount},
    {"show", Right::Anyone, show},
    {"hide", Right::Anyone, hide},
    {"protect", Right::Anyone, protect},
    {"unban", Right::Anyone, unban},
    {"join", Right::Anyone, join},
    {"op", Right::Operator, op},
    {"designate", Right::Operator, designate},
    {"resign", Right::Operator, resign},
    {"say", Right::Anyone, sayArgument},
    {"add", Right::Master, add},
    {"remove", Right::Master, remove},
    {"rem", Right::Master, remove},
    {"safeadd", Right::Anyone, safeAdd},
    {"saferem", Right::Anyone, safeRemove},
    {"saferemove", Right::Anyone, safeRemove},
    {"end", Right::Master, end},
    {"crash", Right::Master, end},
    {"quit", Right::Master, end},
    {"settrigger", Right::Master, setTrigger},
    {"kick", Right::Operator, kick},
    {"ban", Right::Operator, ban},
    {"ver", Right::Anyone, version},
    {"version", Right::Anyone, version},
};

bool holds(const Chat& c, Right right) {
    switch (right) {
        case Right::Operator:
            return IsBotOp(c.bot);
        case Right::Master:
            return EqualsNoCase(c.user, c.bot.BotConfig.Master);
        case Right::Anyone:
            break;
    }
    return true;
}

}  // namespace

void CheckTrigger(Bot& bot, const std::string& user, const std::string& message, int index) {
    const std::string& trigger = bot.BotConfig.Trigger;
    if (LowerCase(message) == "?trigger" && IsAcces(bot, user)) {
        whisper(Chat{bot, user, {}, index}, " Trigger: " + trigger);
    }
    // Only a one-character trigger can start a command from chat.
    if (trigger.size() == 1 && message.starts_with(trigger) && IsAcces(bot, user)) {
        ChatCommand(bot, user, message, index);
    }
}

void ChatCommand(Bot& bot, const std::string& user, const std::string& message, int index) {
    const CommandLine line = SplitCommandLine(message, bot.BotConfig.Trigger.size());
    const auto found = std::ranges::find(ChatWords, line.word, &ChatWord::word);
    if (found == std::end(ChatWords)) return;
    const Chat chat{bot, user, line.argument, index};
    if (holds(chat, found->right)) found->run(chat);
}

}  // namespace morva
