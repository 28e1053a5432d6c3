#include "terminal/terminal_actions.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "bot/bot.h"
#include "moderation/member_actions.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "settings/profile.h"

namespace morva {

namespace {

struct Action {
    std::string_view word;
    std::string_view help;
    void (*run)(Bot& bot, const std::string& argument);
};

void say(Bot& bot, Rgb color, const std::string& text) {
    AddChat(bot.output, {{color, text}});
}

void favorite(Bot& bot, const std::string& argument) {
    const int entry =
        argument.size() == 1 && argument[0] >= '1' && argument[0] <= '5' ? argument[0] - '1' : -1;
    if (entry < 0 || bot.settings.BotConfig.FavChannels[static_cast<std::size_t>(entry)].empty()) {
        say(bot, ColorError,
            "Bot: //fav takes the number of a favourite channel that config.bot names (1 to 5).");
        return;
    }
    mnuChannel_Click(bot.chat, entry);
}

void help(Bot& bot, const std::string&);

constexpr std::array<Action, 7> Actions{{
    {"reconnect", "connect anew", [](Bot& bot, const std::string&) { bot.connection.Bot_Connect(); }},
    {"disconnect", "close the connection",
     [](Bot& bot, const std::string&) { bot.connection.Bot_Disconnect(); }},
    {"reload", "read config.bot again",
     [](Bot& bot, const std::string&) { mnuReloadConfig_Click(bot.settings); }},
    {"clear", "forget the chat pane's lines",
     [](Bot& bot, const std::string&) { mnuClearChat_Click(bot.chat); }},
    {"fav", "N: join favourite channel N", favorite},
    {"quit", "end the program", [](Bot& bot, const std::string&) { bot.ports.shell.endProgram(); }},
    {"help", "this list", help},
}};

void help(Bot& bot, const std::string&) {
    say(bot, ColorStatus, "Bot: Lines that start with // are for the bot alone:");
    for (const Action& action : Actions)
        say(bot, ColorGrey, "  //" + std::string(action.word) + "  " + std::string(action.help));
}

}  // namespace

bool RunTerminalAction(Bot& bot, const std::string& line) {
    if (!line.starts_with("//")) return false;
    const std::string rest = line.substr(2);
    const std::size_t blank = rest.find(' ');
    const std::string word = rest.substr(0, blank);
    const std::string argument = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
    const auto found = std::ranges::find(Actions, word, &Action::word);
    if (found == Actions.end()) {
        say(bot, ColorError, "Bot: \"//" + word + "\" is no action; //help lists them.");
        return true;
    }
    found->run(bot, argument);
    return true;
}

}  // namespace morva
