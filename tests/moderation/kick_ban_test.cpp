#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/channel_users.h"
#include "moderation/commands.h"
#include "support/moderation_fixture.h"
#include "support/packets.h"

namespace morva {
namespace {

using Lines = std::vector<std::string>;

class KickAndBan : public testing::ModerationFixture {
protected:
    KickAndBan() { AddUser(bot.chat, "MorvaBot", "0002", "[CHAT]"); }

    void addMembers(std::initializer_list<const char*> names) {
        for (const char* name : names) AddUser(bot.chat, name, "0000", "[STAR]");
    }
};

TEST_F(KickAndBan, ANameWithoutReasonGetsTheDefaultReasonAfterTwoBlanks) {
    KickUser(bot.chat, "Joe");
    BanUser(bot.chat, "Joe");
    EXPECT_EQ(sent(), (Lines{"/kick Joe  - Morva Kick -\r\n", "/ban Joe  - Morva Ban -\r\n"}));
}

TEST_F(KickAndBan, EverythingAfterTheFirstBlankIsTheReason) {
    KickUser(bot.chat, "Joe spamming  the channel ");
    KickUser(bot.chat, "Joe ");
    EXPECT_EQ(sent(), (Lines{"/kick Joe spamming  the channel \r\n", "/kick Joe \r\n"}));
}

TEST_F(KickAndBan, SafeNamesAreSparedWhetherListedByNamePatternOrAccess) {
    bot.settings.SafeNames = {"friend", "*bot"};
    for (const char* name : {"FRIEND", "RoboBot", "helper", "BOSS", ""}) KickUser(bot.chat, name);
    EXPECT_TRUE(sent().empty());
}

TEST_F(KickAndBan, ANameIsKickedWhetherOrNotItIsInTheChannel) {
    KickUser(bot.chat, "Ghost");
    EXPECT_EQ(sent(), (Lines{"/kick Ghost  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, APatternKicksEveryUnsafeMemberInListOrder) {
    addMembers({"Jim", "alice", "Joe", "Jack", "joanna", "Mojo"});
    bot.settings.SafeNames = {"jack"};
    KickUser(bot.chat, "J* off you go");
    EXPECT_EQ(sent(),
              (Lines{"/kick Jim off you go\r\n", "/kick Joe off you go\r\n", "/kick joanna off you go\r\n"}));
}

TEST_F(KickAndBan, AMemberWhoseFlagsChangeKeepsItsPlaceInTheListOrder) {
    addMembers({"Ann", "Bea", "Cat"});
    UpdateUser(bot.chat, "ann", "0010");
    KickUser(bot.chat, "?*");
    EXPECT_EQ(sent(), (Lines{"/kick MorvaBot  - Morva Kick -\r\n", "/kick Ann  - Morva Kick -\r\n",
                             "/kick Bea  - Morva Kick -\r\n", "/kick Cat  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, StarTakesTheBotItselfUnlessItIsSafe) {
    addMembers({"Joe", "Friend", "Helper"});
    BanUser(bot.chat, "*");
    EXPECT_EQ(sent(), (Lines{"/ban MorvaBot  - Morva Ban -\r\n", "/ban Joe  - Morva Ban -\r\n"}));
    sockets.made[0]->sent.clear();
    bot.settings.SafeNames.push_back("morvabot");
    BanUser(bot.chat, "*");
    EXPECT_EQ(sent(), (Lines{"/ban Joe  - Morva Ban -\r\n"}));
}

TEST_F(KickAndBan, PatternCharactersOfNamesStandForThemselves) {
    addMembers({"[x]Joe", "xJoe", "#1abc", "11abc"});
    KickUser(bot.chat, "[x]*");
    KickUser(bot.chat, "#1*");
    EXPECT_EQ(sent(), (Lines{"/kick [x]Joe  - Morva Kick -\r\n", "/kick #1abc  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, APatternMatchingNoMemberSendsNothing) {
    addMembers({"Joe"});
    KickUser(bot.chat, "z*");
    ClearChannel(bot.chat);
    KickUser(bot.chat, "*");
    EXPECT_TRUE(sent().empty());
}

TEST_F(KickAndBan, AJoiningUserWhoseNameHoldsAStarIsTakenAsAPattern) {
    addMembers({"Joe", "Jim"});
    config.ChannelProtect = true;
    config.ProtectMessage = "Go away";
    feed("1002 JOIN J* 0000 [STAR]");
    EXPECT_EQ(sent(), (Lines{"/ban Joe Go away\r\n", "/ban Jim Go away\r\n", "/ban J* Go away\r\n"}));
}

TEST_F(KickAndBan, ListsAreSplitAtCommaBlankAndEachPieceKeepsItsReason) {
    addMembers({"alice", "Adam", "Anna", "bob"});
    bot.settings.SafeNames = {"anna"};
    CheckTrigger(bot.chat, "Boss", "!ban a*, b");
    EXPECT_EQ(sent(), (Lines{"/ban alice  - Morva Ban -\r\n", "/ban Adam  - Morva Ban -\r\n",
                             "/ban b  - Morva Ban -\r\n"}));
    sockets.made[0]->sent.clear();
    CheckTrigger(bot.chat, "Boss", "!ban joe go away, now");
    EXPECT_EQ(sent(), (Lines{"/ban joe go away\r\n", "/ban now  - Morva Ban -\r\n"}));
    sockets.made[0]->sent.clear();
    CheckTrigger(bot.chat, "Boss", "!kick a,b, , c, ");
    EXPECT_EQ(sent(), (Lines{"/kick a,b  - Morva Kick -\r\n", "/kick c  - Morva Kick -\r\n"}));
}

TEST_F(KickAndBan, BinaryModeSendsEachLineAsAChatCommandWithoutItsLineEnd) {
    connect(true);
    KickUser(bot.chat, "Joe");
    EXPECT_EQ(sent(), (Lines{testing::Packet('\x0E', std::string("/kick Joe  - Morva Kick -") + '\0')}));
}

}  // namespace
}  // namespace morva
