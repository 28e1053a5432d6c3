#include "terminal/terminal_actions.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <functional>
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

// The window's menu entries typed in the terminal, on a bot connected in text mode.
class TerminalActions : public BotFixture {
protected:
    void SetUp() override {
        profile.write("config.bot", ValidConfig());
        config.FavChannels[1] = "Op Test";
        connect(false);
    }
    bool run(const std::string& line) { return RunTerminalAction(bot, line); }
};

// What an action left behind.
struct Outcome {
    Connection::State state;
    std::vector<std::string> lines;
    int ends;
    std::string last() const { return lines.empty() ? std::string() : lines.back(); }
};

TEST_F(TerminalActions, EachActionDoesWhatItsMenuEntryDoesAndOnlyThat) {
    const struct {
        const char* line;
        std::function<bool(const Outcome&)> done;
        std::vector<std::string> sent;
    } cases[] = {
        {"//disconnect", [](const Outcome& o) { return o.state == Connection::State::Idle; }, {}},
        {"//reconnect",
         [](const Outcome& o) { return o.last() == "Bot: Connecting to: chat.test:6112."; },
         {}},
        {"//reload",
         [](const Outcome& o) {
             return o.last() == "Config.bot reloaded. (Note: Controls will not reload.)";
         },
         {}},
        {"//clear", [](const Outcome& o) { return o.lines.empty(); }, {}},
        {"//fav 2",
         [](const Outcome& o) { return o.state == Connection::State::LoggedOn; },
         {"/join Op Test\r\n"}},
        {"//quit", [](const Outcome& o) { return o.ends == 1; }, {}},
        {"//help",
         [](const Outcome& o) { return o.lines.size() == 8 && o.lines[1].starts_with("  //reconnect"); },
         {}},
        {"//fav 4",
         [](const Outcome& o) { return o.last().starts_with("Bot: //fav takes the number of a favourite"); },
         {}},
        {"//bogus",
         [](const Outcome& o) { return o.last() == "Bot: \"//bogus\" is no action; //help lists them."; },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        SetUp();
        shell.ends = 0;
        chat.clear();
        if (std::string(c.line) == "//clear") AddChat(bot.output, {{ColorWhite, "a line"}});
        sockets.made[0]->sent.clear();
        EXPECT_TRUE(run(c.line));
        const Outcome outcome{bot.connection.state(), chatLines(), shell.ends};
        EXPECT_TRUE(c.done(outcome)) << ::testing::PrintToString(outcome.lines);
        EXPECT_EQ(sent(), c.sent);
    }
}

TEST_F(TerminalActions, OtherLinesAreNotActions) {
    for (const char* line : {"hello", "/who Lobby", "/ /x", " //quit", ""}) EXPECT_FALSE(run(line)) << line;
    EXPECT_EQ(shell.ends, 0);
}

TEST(TerminalActionsProcess, HelpAnswersOnStandardInput) {
    TempProfile profile;
    profile.write("config.bot", ValidConfig());
    ChildProcess bot({MORVACHAT_PATH, "--terminal", "--profile", profile.dir().string()});
    ASSERT_TRUE(bot.waitForOutput("---------------------------------------\n")) << bot.output();
    bot.writeInput("//help\n");
    EXPECT_TRUE(bot.waitForOutput("//reconnect  connect anew")) << bot.output();
    EXPECT_EQ(bot.signalAndWait(SIGTERM), 0);
}

}  // namespace
}  // namespace morva::testing
