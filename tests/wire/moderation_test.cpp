#include <gtest/gtest.h>

#include "bot/startup.h"
#include "settings/ini_text.h"
#include "wire_fixture.h"

namespace morva::testing {
namespace {

// The bot moderating a channel of the test server: it arrives first, so it holds operator status.
class ModerationWire : public ::testing::TestWithParam<bool> {
protected:
    void start(bool protect) {
        std::string config = WireConfig(server.port(), GetParam());
        config = IniWrite(config, "Profile", "ChannelProtect", protect ? "True" : "False");
        profile.write("config.bot", config);
        profile.write("acces.bot", "");
        profile.write("safelist.bot", "Friend\r\n");
        profile.write("filter.bot", "");
        Form_Load(*bot);
        ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test")) << bot.chat.text();
        ASSERT_TRUE(RunUntil([&] { return bot.members.count() == 1 && bot.members.row(1).icon == 1; }));
    }

    TempProfile profile;
    TestServerProcess server;
    WireBot bot{profile};
};

TEST_P(ModerationWire, TheMastersKickCommandKicksJoe) {
    start(false);
    TextPeer joe(server.port(), "Joe", "Mod Test");
    TextPeer boss(server.port(), "Boss", "Mod Test");
    boss.say("!kick Joe");
    EXPECT_TRUE(joe.waitFor("1007 CHANNEL \"The Void\""));
    EXPECT_TRUE(boss.waitFor("Joe has been kicked by bot1 ( - Morva Kick -)."));
    EXPECT_TRUE(RunUntil([&] { return bot.members.count() == 2; }));
}

TEST_P(ModerationWire, ProtectionBansAJoiningStrangerAndSparesTheSafeListed) {
    start(true);
    TextPeer friendly(server.port(), "Friend", "Mod Test");
    TextPeer stranger(server.port(), "Stranger", "Mod Test");
    EXPECT_TRUE(stranger.waitFor("1007 CHANNEL \"The Void\""));
    EXPECT_TRUE(bot.waitForChat("Broadcast: Stranger has been banned by bot1 (Go away)."));
    RunFor(300);
    EXPECT_FALSE(friendly.waitFor("The Void", 0));
    EXPECT_EQ(bot->chat.BanCount, 1);
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, ModerationWire, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

}  // namespace
}  // namespace morva::testing
