#include "terminal/terminal_actions.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "bot/bot.h"
#include "bot/startup.h"
#include "chat/input_line.h"
#include "moderation/member_actions.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/text_case.h"

namespace morva {

namespace {

struct Action {
    std::string_view word;
    std::string_view help;
    bool takesArgument;
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
    // The menu entry sends nothing without a connection; a typed action must say so.
    if (!bot.connection.IsConnected()) {
        TellNotSent(bot.chat, bot.output.rtbChat);
        return;
    }
    mnuChannel_Click(bot.chat, entry);
}

void help(Bot& bot, const std::string&);

constexpr std::array<Action, 7> Actions{{
    {"reconnect", "connect anew", false, [](Bot& bot, const std::string&) { bot.connection.Bot_Connect(); }},
    {"disconnect", "close the connection", false,
     [](Bot& bot, const std::string&) { bot.connection.Bot_Disconnect(); }},
    {"reload", "read config.bot and the scripts again", false,
     [](Bot& bot, const std::string&) { ReloadConfig(bot); }},
    {"clear", "forget the chat pane's lines", false,
     [](Bot& bot, const std::string&) { mnuClearChat_Click(bot.chat); }},
    {"fav", "N: join favourite channel N", true, favorite},
    {"quit", "end the program", false, [](Bot& bot, const std::string&) { bot.ports.shell.endProgram(); }},
    {"help", "this list", false, help},
}};

// The window shows the favourites' names in its menu; the terminal has only this list to show them.
void helpFavorites(Bot& bot) {
    const auto& channels = bot.settings.BotConfig.FavChannels;
    for (std::size_t i = 0; i < channels.size(); ++i)
        if (!channels[i].empty())
            say(bot, ColorGrey, "    //fav " + std::to_string(i + 1) + "  " + channels[i]);
}

void help(Bot& bot, const std::string&) {
    say(bot, ColorStatus, "Bot: Lines that start with // are for the bot alone:");
    for (const Action& action : Actions) {
        say(bot, ColorGrey, "  //" + std::string(action.word) + "  " + std::string(action.help));
        if (action.run == favorite) helpFavorites(bot);
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(const std::string& text) {
    const auto first = std::ranges::find_if_not(text, isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace

bool RunTerminalAction(Bot& bot, const std::string& line) {
    if (!line.starts_with("//")) return false;
    const std::string rest = trimmed(line.substr(2));
    const auto blank = std::ranges::find_if(rest, isBlank);
    const std::string word = LowerCase(std::string(rest.begin(), blank));
    const std::string argument = trimmed(std::string(blank, rest.end()));
    const auto found = std::ranges::find(Actions, word, &Action::word);
    if (found == Actions.end()) {
        say(bot, ColorError, "Bot: \"//" + word + "\" is no action; //help lists them.");
    } else if (!found->takesArgument && !argument.empty()) {
        // "//clear skies" is more likely a chat line than a wish to clear the pane.
        say(bot, ColorError, "Bot: //" + word + " takes nothing after it; the line was not sent.");
    } else {
        found->run(bot, argument);
    }
    return true;
}

}  // namespace morva
