#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "bot/startup.h"
#include "chat/input_line.h"
#include "output/program_texts.h"
#include "settings/ini_text.h"
#include "wire_fixture.h"

namespace morva::testing {
namespace {

// The bot against both kinds of server: today's community servers and, with --classic, the
// original service's texts.
class RealServer : public ::testing::TestWithParam<bool> {
protected:
    bool classic() const { return GetParam(); }
    std::vector<std::string> serverArgs() const {
        return classic() ? std::vector<std::string>{"--classic"} : std::vector<std::string>{};
    }
    void start(const std::string& config) {
        profile.write("config.bot", config);
        profile.write("acces.bot", "");
        profile.write("safelist.bot", "bot1\r\n");
        profile.write("filter.bot", "");
        bot = std::make_unique<WireBot>(profile);
        Form_Load(**bot);
    }
    void type(const std::string& line) { SendUserLine((*bot)->chat, line); }
    int count(const std::string& line) const {
        const auto lines = bot->chatLines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }

    TempProfile profile;
    TestServerProcess server{serverArgs()};
    std::unique_ptr<WireBot> bot;
};

TEST_P(RealServer, KickedByAMemberTheBotRejoins) {
    TextPeer alice(server.port(), "alice", "Mod Test");  // first in the channel: its operator
    start(WireConfig(server.port(), true));
    ASSERT_TRUE(bot->waitForChat("Joined channel: Mod Test"));
    alice.say("/kick bot1 go away");
    ASSERT_TRUE(bot->waitForChat("Joined channel: The Void")) << bot->chat.text();
    EXPECT_TRUE(RunUntil([&] { return count("Joined channel: Mod Test") == 2; })) << bot->chat.text();
}

TEST_P(RealServer, BannedTheBotGoesToTheBackupChannel) {
    TextPeer alice(server.port(), "alice", "Mod Test");
    start(WireConfig(server.port(), false));
    ASSERT_TRUE(bot->waitForChat("Joined channel: Mod Test"));
    alice.say("/ban bot1");
    EXPECT_TRUE(bot->waitForChat("Joined channel: Backup")) << bot->chat.text();
}

TEST_P(RealServer, BanCountCountsTheBotsOwnBans) {
    start(WireConfig(server.port(), true));
    ASSERT_TRUE(bot->waitForChat("Joined channel: Mod Test"));
    TextPeer carol(server.port(), "carol", "Mod Test");
    TextPeer dave(server.port(), "dave", "Mod Test");
    type("/ban carol spamming");
    ASSERT_TRUE(carol.waitFor("1007 CHANNEL \"The Void\""));
    type("/ban dave");
    ASSERT_TRUE(dave.waitFor("1007 CHANNEL \"The Void\""));
    EXPECT_TRUE(RunUntil([&] { return (*bot)->chat.BanCount == 2; })) << bot->chat.text();
}

TEST_P(RealServer, ACensusOfTwoChannelsWritesTheirMembers) {
    TextPeer carol(server.port(), "carol", "lobby");
    TextPeer dave(server.port(), "dave", "op x");
    TextPeer erin(server.port(), "erin", "op x");
    std::string config = WireConfig(server.port(), true);
    config = IniWrite(config, "Channels Log", "Channels", "2");
    start(config);
    ASSERT_TRUE(bot->waitForChat("Bot: Getting Channels Log Done.", 8000)) << bot->chat.text();
    std::map<std::string, std::string> files;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(profile.dir() / "Channel Log Files"))
        if (entry.is_regular_file())
            files[entry.path().parent_path().parent_path().filename()] = ReadFile(entry.path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files["lobby"], "lobby\r\ncarol\r\n");
    EXPECT_EQ(files["op x"], classic() ? "op x\r\ndave, erin\r\n" : "op x\r\ndave erin\r\n");
}

INSTANTIATE_TEST_SUITE_P(Styles, RealServer, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Classic" : "Community"; });

// What only today's community servers do.
class CommunityServer : public ::testing::Test {
protected:
    TempProfile profile;
};

TEST_F(CommunityServer, AMixedCasePasswordLogsOn) {
    TestServerProcess server({"--account", "bot1:secret"});
    profile.write("config.bot", WireConfig(server.port(), true, "bot1", "SeCrEt"));
    WireBot bot(profile);
    Form_Load(*bot);
    EXPECT_TRUE(bot.waitForChat("Bot: Logged on.")) << bot.chat.text();
}

// Twelve unsafe members, the master's "!kick *", and the server's flood quota.
class PatternKick : public ::testing::TestWithParam<bool> {
protected:
    bool queueOn() const { return GetParam(); }
};

TEST_P(PatternKick, TwelveKicksPassTheQuotaOnlyThroughTheQueue) {
    // The server's window at half the queue's, so that the queue's three rounds take two seconds.
    TestServerProcess server({"--flood-window", "500"});
    TempProfile profile;
    std::string config = IniWrite(WireConfig(server.port(), true), "Flood", "Seconds", "1");
    if (!queueOn()) config = IniWrite(config, "Flood", "Lines", "0");
    profile.write("config.bot", config);
    profile.write("safelist.bot", "bot1\r\n");
    WireBot bot(profile);
    Form_Load(*bot);
    ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test"));
    std::vector<std::unique_ptr<TextPeer>> members;
    for (int i = 1; i <= 12; ++i)
        members.push_back(
            std::make_unique<TextPeer>(server.port(), "member" + std::to_string(i), "Mod Test"));
    TextPeer boss(server.port(), "Boss", "Mod Test");
    ASSERT_TRUE(RunUntil([&] { return bot.members.count() == 14; }));
    boss.say("!kick *");
    const auto kicked = [&] {
        return std::count_if(members.begin(), members.end(),
                             [](const auto& m) { return m->waitFor("1007 CHANNEL \"The Void\"", 0); });
    };
    if (queueOn()) {
        EXPECT_TRUE(RunUntil([&] { return kicked() == 12; }, 10000)) << kicked() << " kicked";
        EXPECT_NE(bot.shell.captionText, std::string(TitleText) + "; Disconnected.");
        EXPECT_EQ(bot.chatLines().end()[-1].find("Disconnected"), std::string::npos);
    } else {
        EXPECT_TRUE(RunUntil([&] {
            return bot.shell.captionText == std::string(TitleText) + "; Disconnected.";
        })) << bot.chat.text();
        EXPECT_LT(kicked(), 12);
    }
}

INSTANTIATE_TEST_SUITE_P(Queue, PatternKick, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

}  // namespace
}  // namespace morva::testing
