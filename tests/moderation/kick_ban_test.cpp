#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/channel_users.h"
#include "moderation/commands.h"
#include "moderation_fixture.h"

namespace morva {
namespace {

using Lines = std::vector<std::string>;

class KickAndBan : public testing::ModerationFixture {
protected:
    KickAndBan() { AddUser(bot, "MorvaBot", "0002", "[CHAT]"); }

    void members(std::initializer_list<const char*> names) {
        for (const char* name : names) AddUser(bot, name, "0000", "[STAR]");
    }
};

TEST_F(KickAndBan, ANameWithoutReasonGetsTheDefaultReasonAfterTwoBlanks) {
    KickUser(bot, "Joe", 0);
    BanUser(bot, "Joe", 0);
    EXPECT_EQ(sent(), (Lines{"/kick Joe  - Morva Kick -\r\n", "/ban Joe  - Morva Ban -\r\n"}));
}

TEST_F(KickAndBan, EverythingAfterTheFirstBlankIsTheReason) {
    KickUser(bot, "Joe spamming  the channel ", 0);
    KickUser(bot, "Joe ", 0);
    EXPECT_EQ(sent(), (Lines{"/kick Joe spamming  the channel \r\n", "/kick Joe \r\n"}));
}

TEST_F(KickAndBan, SafeNamesAreSparedWhetherListedByNamePatternOrAccess) {
    bot.SafeNames = {"friend", "*bot"};
    for (const char* name : {"FRIEND", "RoboBot", "helper", "BOSS", ""}) KickUser(bot, name, 0);
    EXPECT_TRUE(sent().empty());
}

TEST_F(KickAndBan, ANameIsKickedWhetherOrNotItIsInTheChannel) {
    KickUser(bot, "Ghost", 0);
    EXPECT_EQ(sent(), (Lines{"/kick Ghost  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, APatternKicksEveryUnsafeMemberInListOrder) {
    members({"Jim", "alice", "Joe", "Jack", "joanna", "Mojo"});
    bot.SafeNames = {"jack"};
    KickUser(bot, "J* off you go", 0);
    EXPECT_EQ(sent(),
              (Lines{"/kick Jim off you go\r\n", "/kick Joe off you go\r\n", "/kick joanna off you go\r\n"}));
}

TEST_F(KickAndBan, ListOrderIsTheOrderOfTheRowsNotOfTheRecords) {
    members({"Ann", "Bea", "Cat"});
    UpdateUser(bot, "Ann", "0010");  // moves Ann's record to the end, not her row
    KickUser(bot, "?*", 0);
    EXPECT_EQ(sent(), (Lines{"/kick MorvaBot  - Morva Kick -\r\n", "/kick Ann  - Morva Kick -\r\n",
                             "/kick Bea  - Morva Kick -\r\n", "/kick Cat  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, StarTakesTheBotItselfUnlessItIsSafe) {
    members({"Joe", "Friend", "Helper"});
    BanUser(bot, "*", 0);
    EXPECT_EQ(sent(), (Lines{"/ban MorvaBot  - Morva Ban -\r\n", "/ban Joe  - Morva Ban -\r\n"}));
    sockets.made[0]->sent.clear();
    bot.SafeNames.push_back("morvabot");
    BanUser(bot, "*", 0);
    EXPECT_EQ(sent(), (Lines{"/ban Joe  - Morva Ban -\r\n"}));
}

TEST_F(KickAndBan, PatternCharactersOfNamesStandForThemselves) {
    members({"[x]Joe", "xJoe", "#1abc", "11abc"});
    KickUser(bot, "[x]*", 0);
    KickUser(bot, "#1*", 0);
    EXPECT_EQ(sent(), (Lines{"/kick [x]Joe  - Morva Kick -\r\n", "/kick #1abc  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, APatternMatchingNoMemberSendsNothing) {
    members({"Joe"});
    KickUser(bot, "z*", 0);
    bot.ports.lvChannel.clear();
    KickUser(bot, "*", 0);
    EXPECT_TRUE(sent().empty());
}

TEST_F(KickAndBan, AJoiningUserWhoseNameHoldsAStarIsTakenAsAPattern) {
    members({"Joe", "Jim"});
    bot.BotConfig.ChannelProtect = true;
    ChatCommand(bot, "Boss", "!ban J* Go away", 0);
    EXPECT_EQ(sent(), (Lines{"/ban Joe Go away\r\n", "/ban Jim Go away\r\n"}));
}

TEST_F(KickAndBan, ListsAreSplitAtCommaBlankAndEachPieceKeepsItsReason) {
    members({"alice", "Adam", "Anna", "bob"});
    bot.SafeNames = {"anna"};
    CheckTrigger(bot, "Boss", "!ban a*, b", 0);
    EXPECT_EQ(sent(), (Lines{"/ban alice  - Morva Ban -\r\n", "/ban Adam  - Morva Ban -\r\n",
                             "/ban b  - Morva Ban -\r\n"}));
    sockets.made[0]->sent.clear();
    CheckTrigger(bot, "Boss", "!ban joe go away, now", 0);
    EXPECT_EQ(sent(), (Lines{"/ban joe go away\r\n", "/ban now  - Morva Ban -\r\n"}));
    sockets.made[0]->sent.clear();
    CheckTrigger(bot, "Boss", "!kick a,b, , c, ", 0);
    EXPECT_EQ(sent(), (Lines{"/kick a,b  - Morva Kick -\r\n", "/kick c  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, BinaryModeSendsEachLineAsAChatCommandWithoutItsLineEnd) {
    bot.BotConfig.Binary = true;
    KickUser(bot, "Joe", 0);
    const std::string body = "/kick Joe  - Morva Kick -";
    const std::string packet =
        std::string("\xFF\x0E", 2) + static_cast<char>(4 + body.size() + 1) + '\0' + body + '\0';
    EXPECT_EQ(sent(), (Lines{packet}));
}

}  // namespace
}  // namespace morva
