#include "moderation/member_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/channel_users.h"
#include "moderation/commands.h"
#include "support/moderation_fixture.h"
#include "output/add_chat.h"
#include "output/palette.h"

namespace morva {
namespace {

using Lines = std::vector<std::string>;

class MemberActions : public testing::ModerationFixture {
protected:
    // Rows: MorvaBot, Joe, Jim, Friend, Helper.
    void selectRow(int row) { members.select(row); }
};

TEST_F(MemberActions, ServerEntriesNeedOperatorStatusAndASelection) {
    const struct {
        void (*click)(Chat&);
        const char* line;
    } entries[] = {
        {mnuDesignate_Click, "/designate Joe\r\n"},
        {mnuKick_Click, "/kick Joe - Morva Kick -\r\n"},
        {mnuBan_Click, "/ban Joe - Morva Ban -\r\n"},
    };
    for (const bool op : {true, false}) {
        for (const int row : {2, 0}) {
            for (const auto& entry : entries) {
                SCOPED_TRACE(std::string(entry.line) + (op ? " op" : " no op") + " row " +
                             std::to_string(row));
                ClearChannel(bot.chat);
                fillChannel(op);
                selectRow(row);
                sockets.made[0]->sent.clear();
                entry.click(bot.chat);
                EXPECT_EQ(sent(), op && row != 0 ? Lines{entry.line} : Lines{});
                EXPECT_TRUE(chat.text().empty());
            }
        }
    }
}

TEST_F(MemberActions, KickHasOneBlankBeforeItsReasonWhereTheCommandHasTwo) {
    fillChannel(true);
    selectRow(2);
    mnuKick_Click(bot.chat);
    CheckTrigger(bot.chat, "Boss", "!kick Joe");
    EXPECT_EQ(sent(), (Lines{"/kick Joe - Morva Kick -\r\n", "/kick Joe  - Morva Kick -\r\n"}));
}

TEST_F(MemberActions, KickAndBanTakeSafeMembersAndNamesWithStarsAsThey) {
    fillChannel(true);
    AddUser(bot.chat, "J*", "0000", "[STAR]");
    selectRow(4);
    mnuBan_Click(bot.chat);
    selectRow(5);
    mnuKick_Click(bot.chat);
    selectRow(6);
    mnuKick_Click(bot.chat);
    EXPECT_EQ(sent(), (Lines{"/ban Friend - Morva Ban -\r\n", "/kick Helper - Morva Kick -\r\n",
                             "/kick J* - Morva Kick -\r\n"}));
}

TEST_F(MemberActions, ListEntriesWorkWithoutOperatorStatusAndSendNothing) {
    fillChannel(false);
    profile.write("acces.bot", "Helper\r\n");
    selectRow(2);
    mnuAdd_Click(bot.chat);
    mnuSafeadd_Click(bot.chat);
    selectRow(5);
    mnuAdd_Click(bot.chat);
    mnuRem_Click(bot.chat);
    selectRow(4);
    mnuRemSafelist_Click(bot.chat);
    EXPECT_EQ(coloredLines(),
              (Lines{"status|Bot: Joe added to acceslist.", "status|Bot: Joe already in safelist.",
                     "status|Bot: Helper already in acceslist.", "status|Bot: Helper removed from acceslist.",
                     "status|Bot: Friend removed from safelist."}));
    EXPECT_EQ(bot.settings.AccesNames, (Lines{"Joe"}));
    EXPECT_TRUE(bot.settings.SafeNames.empty());
    EXPECT_EQ(profile.read("acces.bot"), "Joe\r\n");
    EXPECT_TRUE(sent().empty());
}

TEST_F(MemberActions, RemovingFromTheSafeListAMemberSafeOnlyThroughAPatternChangesNothing) {
    fillChannel(true);
    bot.settings.SafeNames = {"j*"};
    selectRow(2);
    mnuRemSafelist_Click(bot.chat);
    EXPECT_EQ(chatLines(), (Lines{"Bot: Joe removed from safelist."}));
    EXPECT_EQ(bot.settings.SafeNames, (Lines{"j*"}));
}

TEST_F(MemberActions, EveryEntryDoesNothingWithoutASelection) {
    fillChannel(true);
    profile.write("acces.bot", "Helper\r\n");
    for (auto click : {mnuDesignate_Click, mnuKick_Click, mnuBan_Click, mnuAdd_Click, mnuRem_Click,
                       mnuSafeadd_Click, mnuRemSafelist_Click})
        click(bot.chat);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(chat.text().empty());
    EXPECT_EQ(bot.settings.AccesNames, (Lines{"Helper"}));
    EXPECT_EQ(bot.settings.SafeNames, (Lines{"Friend"}));
    EXPECT_FALSE(profile.exists("safelist.bot"));
}

TEST_F(MemberActions, SendsGoOnTheActiveConnection) {
    reconnectOnSocket1();
    fillChannel(true);
    selectRow(3);
    mnuBan_Click(bot.chat);
    EXPECT_EQ(sockets.made[1]->sent, (Lines{"/ban Jim - Morva Ban -\r\n"}));
}

TEST_F(MemberActions, ClearingOnePaneLeavesTheOther) {
    AddChat(bot.output, {{ColorWhite, "chat"}});
    AddChat(bot.output, whispers, {{ColorWhite, "whisper"}});
    mnuClearChat_Click(bot.chat);
    EXPECT_TRUE(chat.paneLines().empty());
    EXPECT_EQ(whispers.paneLines().size(), 1u);
    AddChat(bot.output, {{ColorWhite, "again"}});
    mnuClearWhispers_Click(bot.chat);
    EXPECT_TRUE(whispers.paneLines().empty());
    EXPECT_EQ(chatLines(), (Lines{"again"}));
}

TEST_F(MemberActions, FavouritesJoinTheirChannelWithoutEcho) {
    config.FavChannels = {"Lobby", "Op Test", "", "Clan X", "Last"};
    for (int entry = 0; entry < 5; ++entry) mnuChannel_Click(bot.chat, entry);
    mnuChannel_Click(bot.chat, 5);
    mnuChannel_Click(bot.chat, -1);
    EXPECT_EQ(sent(), (Lines{"/join Lobby\r\n", "/join Op Test\r\n", "/join \r\n", "/join Clan X\r\n",
                             "/join Last\r\n"}));
    EXPECT_TRUE(chat.text().empty());
}

TEST_F(MemberActions, FavouritesSendNothingWhileDisconnected) {
    config.FavChannels[0] = "Lobby";
    sockets.made[0]->peerClose();
    sockets.made[0]->sent.clear();
    mnuChannel_Click(bot.chat, 0);
    EXPECT_TRUE(sent().empty());
}

}  // namespace
}  // namespace morva
