#include <algorithm>
#include <string_view>

#include "chat/channel_users.h"
#include "chat/chat.h"
#include "moderation/command_line.h"
#include "moderation/command_settings.h"
#include "moderation/commands.h"
#include "moderation/kick_ban.h"
#include "moderation/list_commands.h"
#include "moderation/say.h"
#include "output/program_texts.h"
#include "platform/shell.h"
#include "platform/text_case.h"
#include "settings/name_lists.h"
#include "settings/settings.h"

namespace morva {

namespace {

// One trigger command: who gave it and its argument.
struct Command {
    Chat& chat;
    const std::string& user;
    const std::string& argument;
};

void say(const Command& c, const std::string& text) {
    Say(c.chat, text);
}

void whisper(const Command& c, const std::string& text) {
    say(c, "/w " + c.user + text);
}

void notInChannel(const Command& c) {
    say(c, "Error: " + c.argument + " is not in channel.");
}

void banCount(const Command& c) {
    whisper(c, " Bot: " + std::to_string(c.chat.BanCount) +
                   " users has been banned from channel while holding ops.");
}

void show(const Command& c) {
    c.chat.shell.trayRestore();
}

void hide(const Command& c) {
    Shell& shell = c.chat.shell;
    shell.trayMinimize();
    shell.traySetTip(shell.caption());
}

void protect(const Command& c) {
    if (const auto on = ProtectSwitch(c.argument)) {
        whisper(c, *on ? " Bot: Channel protection enabled." : " Bot: Channel protection disabled.");
        SetChannelProtect(c.chat.settings, *on);
    } else if (c.argument.empty()) {
        whisper(c, c.chat.settings.BotConfig.ChannelProtect ? " Bot: Channel protection enabled."
                                                            : " Bot: Channel protection disable.");
    }
}

void unban(const Command& c) {
    say(c, "/unban " + c.argument);
}

void join(const Command& c) {
    say(c, "/join " + c.argument);
}

void op(const Command& c) {
    if (FindMember(c.chat, c.argument) < 0) return notInChannel(c);
    say(c, "/designate " + c.argument);
    say(c, "/resign");
}

void designate(const Command& c) {
    if (FindMember(c.chat, c.argument) < 0) return notInChannel(c);
    say(c, "/designate " + c.argument);
    whisper(c, " Bot: Designated: " + c.argument);
}

void resign(const Command& c) {
    say(c, "/resign");
}

void sayArgument(const Command& c) {
    say(c, c.argument);
}

void add(const Command& c) {
    whisper(c, " Bot: " + AddToAcceslist(c.chat.settings, c.argument));
}

void remove(const Command& c) {
    whisper(c, " Bot: " + RemoveFromAcceslist(c.chat.settings, c.argument));
}

void safeAdd(const Command& c) {
    whisper(c, " Bot: " + AddToSafelist(c.chat.settings, c.argument));
}

void safeRemove(const Command& c) {
    whisper(c, " Bot: " + RemoveFromSafelist(c.chat.settings, c.argument));
}

void end(const Command& c) {
    c.chat.shell.endProgram();
}

void setTrigger(const Command& c) {
    if (const auto trigger = SetTrigger(c.chat.settings, c.argument))
        whisper(c, " Trigger set to: " + *trigger);
}

void kick(const Command& c) {
    ForEachTarget(c.chat, c.argument, KickUser);
}

void ban(const Command& c) {
    ForEachTarget(c.chat, c.argument, BanUser);
}

void version(const Command& c) {
    say(c, std::string(TitleText) + ".");
}

enum class Right { Anyone, Operator, Master };

struct ChatWord {
    std::string_view word;
    Right right;
    void (*run)(const Command&);
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

bool holds(const Command& c, Right right) {
    switch (right) {
        case Right::Operator:
            return IsBotOp(c.chat);
        case Right::Master:
            return EqualsNoCase(c.user, c.chat.settings.BotConfig.Master);
        case Right::Anyone:
            break;
    }
    return true;
}

}  // namespace

// Every talk line comes here, so the texts are only copied for a line that asks something.
void CheckTrigger(Chat& chat, std::string_view user, std::string_view message) {
    // The access list counts the empty name in; a line that names no speaker comes from a broken or
    // hostile event and commands nothing.
    if (user.empty()) return;
    const std::string& trigger = chat.settings.BotConfig.Trigger;
    if (EqualsNoCase(message, "?trigger") && IsAcces(chat.settings, user)) {
        whisper(Command{chat, std::string(user), {}}, " Trigger: " + trigger);
    }
    // Only a one-character trigger can start a command from chat.
    if (trigger.size() == 1 && message.starts_with(trigger) && IsAcces(chat.settings, user)) {
        ChatCommand(chat, std::string(user), std::string(message));
    }
}

void ChatCommand(Chat& chat, const std::string& user, const std::string& message) {
    const CommandLine line = SplitCommandLine(message, chat.settings.BotConfig.Trigger.size());
    const auto found = std::ranges::find(ChatWords, line.word, &ChatWord::word);
    if (found == std::end(ChatWords)) {
        chat.hooks().OtherCommand(user, line.word, line.argument);
        return;
    }
    const Command command{chat, user, line.argument};
    if (holds(command, found->right)) found->run(command);
}

}  // namespace morva
