#include <gtest/gtest.h>

#include <algorithm>

#include "bot/startup.h"
#include "output/program_texts.h"
#include "wire_fixture.h"

namespace morva::testing {
namespace {

class LogonWire : public ::testing::Test {
protected:
    TempProfile profile;
    TestServerProcess server{{"--account", "bot1:Secret"}};
};

TEST_F(LogonWire, BinaryLogonJoinsTheChannel) {
    profile.write("config.bot", WireConfig(server.port(), true));
    WireBot bot(profile);
    Form_Load(*bot);
    ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test")) << bot.chat.text();
    EXPECT_TRUE(bot.chatHas("Bot: Logged on."));
    EXPECT_EQ(bot->chat.CurrentName, "bot1");
    EXPECT_EQ(bot.shell.captionText,
              "Morva Chat v1.0 by Quorin [Binary Edition]; Logged in as: bot1 in channel Mod Test.");
    ASSERT_TRUE(RunUntil([&] { return bot.members.count() == 1; }));
    EXPECT_EQ(bot.members.row(1).name, "bot1");
    EXPECT_EQ(bot.members.row(1).icon, 1) << "the first in a channel is its operator";
}

TEST_F(LogonWire, TextLogonJoinsTheChannel) {
    profile.write("config.bot", WireConfig(server.port(), false));
    WireBot bot(profile);
    Form_Load(*bot);
    ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test")) << bot.chat.text();
    EXPECT_TRUE(bot.chatHas("Bot: Logged on as: bot1"));
    EXPECT_FALSE(bot->connection.loginTickTimer().isRunning());
    EXPECT_FALSE(bot->connection.loginTimeoutTimer().isRunning());
}

TEST_F(LogonWire, WrongPasswordSaysWhichKeyToCheckAndStopsThere) {
    profile.write("config.bot", WireConfig(server.port(), true, "bot1", "wrong"));
    WireBot bot(profile);
    Form_Load(*bot);
    ASSERT_TRUE(bot.waitForChat("Error: Invalid password.")) << bot.chat.text();
    RunFor(1500);
    EXPECT_EQ(bot.chatLines().back(),
              "Bot: The server refused the logon of \"bot1\"; check Password= in section [Profile] of "
              "config.bot, then Reconnect.")
        << bot.chat.text();
    EXPECT_EQ(bot->connection.state(), Connection::State::Idle);
}

TEST_F(LogonWire, UnknownAccountIsReported) {
    profile.write("config.bot", WireConfig(server.port(), true, "nobody", "x"));
    WireBot bot(profile);
    Form_Load(*bot);
    EXPECT_TRUE(bot.waitForChat("Error: Account does not exist.")) << bot.chat.text();
}

TEST_F(LogonWire, ReconnectsWhenTheServerComesBack) {
    profile.write("config.bot", WireConfig(server.port(), true));
    WireBot bot(profile);
    Form_Load(*bot);
    ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test"));
    server.kill();
    ASSERT_TRUE(
        RunUntil([&] { return bot.shell.captionText == std::string(TitleText) + "; Disconnected."; }));
    EXPECT_EQ(bot.members.count(), 0);
    RunFor(500);
    server.restart();
    ASSERT_TRUE(RunUntil(
        [&] {
            const auto lines = bot.chatLines();
            return std::count(lines.begin(), lines.end(), "Joined channel: Mod Test") == 2;
        },
        10000))
        << bot.chat.text();
}

}  // namespace
}  // namespace morva::testing
