#include "terminal/terminal_actions.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "connection/connection.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "support/bot_fixture.h"
#include "support/child_process.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

// What an action left behind: the chat pane held "a line" before it ran.
struct Outcome {
    Connection::State state;
    std::vector<std::string> lines;
    int ends;
    std::string last() const { return lines.empty() ? std::string() : lines.back(); }
};

struct ActionCase {
    const char* name;
    const char* line;
    bool online;
    std::function<bool(const Outcome&)> done;
    std::vector<std::string> sent = {};
};

void PrintTo(const ActionCase& c, std::ostream* os) {
    *os << '"' << c.line << '"' << (c.online ? "" : " offline");
}

bool LastIs(const Outcome& o, const std::string& text) {
    return o.last() == text;
}

const std::string NoFavorite =
    "Bot: //fav takes the number of a favourite channel that config.bot names (1 to 5).";

const ActionCase Cases[] = {
    {"Disconnect", "//disconnect", true, [](const Outcome& o) { return o.state == Connection::State::Idle; }},
    {"Reconnect", "//reconnect", true,
     [](const Outcome& o) { return LastIs(o, "Bot: Connecting to: chat.test:6112."); }},
    {"Reload", "//reload", true,
     [](const Outcome& o) { return LastIs(o, "Config.bot reloaded. (Note: Controls will not reload.)"); }},
    {"Clear", "//clear", true, [](const Outcome& o) { return o.lines.empty(); }},
    {"Favorite",
     "//fav 2",
     true,
     [](const Outcome& o) { return o.lines.size() == 1; },
     {"/join Op Test\r\n"}},
    {"AnyCaseAndBlanks",
     "//FAV \t2 ",
     true,
     [](const Outcome& o) { return o.lines.size() == 1; },
     {"/join Op Test\r\n"}},
    {"FavoriteOffline", "//fav 2", false,
     [](const Outcome& o) { return LastIs(o, "Bot: Not connected; the line was not sent."); }},
    {"FavoriteNotNamed", "//fav 4", true, [](const Outcome& o) { return LastIs(o, NoFavorite); }},
    {"FavoriteWithoutNumber", "//fav", true, [](const Outcome& o) { return LastIs(o, NoFavorite); }},
    {"FavoriteOutOfRange", "//fav 12", true, [](const Outcome& o) { return LastIs(o, NoFavorite); }},
    {"Quit", "//quit", true, [](const Outcome& o) { return o.ends == 1; }},
    {"Help", "//help", true,
     [](const Outcome& o) {
         return o.lines.size() == 10 &&
                o.lines[1] == "Bot: Lines that start with // are for the bot alone:" &&
                o.lines[2] == "  //reconnect  connect anew" && o.lines[7] == "    //fav 2  Op Test" &&
                o.lines[9] == "  //help  this list";
     }},
    {"Unknown", "//bogus", true,
     [](const Outcome& o) { return LastIs(o, "Bot: \"//bogus\" is no action; //help lists them."); }},
    {"NothingAfterTheSlashes", "//", true,
     [](const Outcome& o) { return LastIs(o, "Bot: \"//\" is no action; //help lists them."); }},
    {"StrayArgument", "//clear skies", true,
     [](const Outcome& o) {
         return o.lines.size() == 2 &&
                LastIs(o, "Bot: //clear takes nothing after it; the line was not sent.");
     }},
};

// The window's menu entries typed in the terminal, each on a fresh bot (connected in text mode
// unless the case says otherwise) whose config.bot names favourite 2 only.
class TerminalActions : public BotFixture, public ::testing::WithParamInterface<ActionCase> {
protected:
    void SetUp() override {
        profile.write("config.bot", ValidConfig());
        config.FavChannels[1] = "Op Test";
        if (GetParam().online) connect(false);
        AddChat(bot.output, {{ColorWhite, "a line"}});
    }
    std::vector<std::string> sentSoFar() const {
        return sockets.made.empty() ? std::vector<std::string>() : sent();
    }
};

TEST_P(TerminalActions, DoesWhatItsMenuEntryDoesAndSendsNothingElse) {
    const ActionCase& c = GetParam();
    EXPECT_TRUE(RunTerminalAction(bot, c.line));
    const Outcome outcome{bot.connection.state(), chatLines(), shell.ends};
    EXPECT_TRUE(c.done(outcome)) << ::testing::PrintToString(outcome.lines);
    EXPECT_EQ(sentSoFar(), c.sent);
    if (std::string_view(c.name) != "Quit") {
        EXPECT_EQ(shell.ends, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, TerminalActions, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

class OrdinaryLines : public BotFixture {};

TEST_F(OrdinaryLines, AreNotActions) {
    connect(false);
    for (const char* line : {"hello", "/who Lobby", "/ /x", " //quit", "", "http://x"}) {
        EXPECT_FALSE(RunTerminalAction(bot, line)) << line;
    }
    EXPECT_TRUE(chatLines().empty());
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(shell.ends, 0);
}

TEST(TerminalActionsProcess, HelpAndQuitOnStandardInput) {
    TempProfile profile;
    profile.write("config.bot", ValidConfig());
    ChildProcess bot({MORVACHAT_PATH, "--terminal", "--profile", profile.dir().string()});
    ASSERT_TRUE(bot.waitForOutput("---------------------------------------\n")) << bot.output();
    bot.writeInput("//help\n");
    EXPECT_TRUE(bot.waitForOutput("//reconnect  connect anew")) << bot.output();
    bot.writeInput("//quit\n");
    EXPECT_EQ(bot.waitForExit(), 0) << bot.output();
}

}  // namespace
}  // namespace morva::testing
