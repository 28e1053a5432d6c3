#include "moderation/member_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/channel_users.h"
#include "connection/connection.h"
#include "moderation/commands.h"
#include "moderation_fixture.h"

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
        void (*click)(Bot&);
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
                ClearChannel(bot);
                fillChannel(op);
                selectRow(row);
                sockets.made[0]->sent.clear();
                entry.click(bot);
                EXPECT_EQ(sent(), op && row != 0 ? Lines{entry.line} : Lines{});
                EXPECT_TRUE(chat.text().empty());
            }
        }
    }
}

TEST_F(MemberActions, KickHasOneBlankBeforeItsReasonWhereTheCommandHasTwo) {
    fillChannel(true);
    selectRow(2);
    mnuKick_Click(bot);
    CheckTrigger(bot, "Boss", "!kick Joe", 0);
    EXPECT_EQ(sent(), (Lines{"/kick Joe - Morva Kick -\r\n", "/kick Joe  - Morva Kick -\r\n"}));
}

TEST_F(MemberActions, KickAndBanTakeSafeMembersAndNamesWithStarsAsThey) {
    fillChannel(true);
    AddUser(bot, "J*", "0000", "[STAR]");
    selectRow(4);
    mnuBan_Click(bot);
    selectRow(5);
    mnuKick_Click(bot);
    selectRow(6);
    mnuKick_Click(bot);
    EXPECT_EQ(sent(), (Lines{"/ban Friend - Morva Ban -\r\n", "/kick Helper - Morva Kick -\r\n",
                             "/kick J* - Morva Kick -\r\n"}));
}

TEST_F(MemberActions, ListEntriesWorkWithoutOperatorStatusAndSendNothing) {
    fillChannel(false);
    profile.write("acces.bot", "Helper\r\n");
    selectRow(2);
    mnuAdd_Click(bot);
    mnuSafeadd_Click(bot);
    selectRow(5);
    mnuAdd_Click(bot);
    mnuRem_Click(bot);
    selectRow(4);
    mnuRemSafelist_Click(bot);
    EXPECT_EQ(paneLines(),
              (Lines{"status|Bot: Joe added to acceslist.", "status|Bot: Joe already in safelist.",
                     "status|Bot: Helper already in acceslist.", "status|Bot: Helper removed from acceslist.",
                     "status|Bot: Friend removed from safelist."}));
    EXPECT_EQ(bot.AccesNames, (Lines{"Joe"}));
    EXPECT_TRUE(bot.SafeNames.empty());
    EXPECT_EQ(profile.read("acces.bot"), "Joe\r\n");
    EXPECT_TRUE(sent().empty());
}

TEST_F(MemberActions, RemovingFromTheSafeListAMemberSafeOnlyThroughAPatternChangesNothing) {
    fillChannel(true);
    bot.SafeNames = {"j*"};
    selectRow(2);
    mnuRemSafelist_Click(bot);
    EXPECT_EQ(chatLines(), (Lines{"Bot: Joe removed from safelist."}));
    EXPECT_EQ(bot.SafeNames, (Lines{"j*"}));
}

TEST_F(MemberActions, EveryEntryDoesNothingWithoutASelection) {
    fillChannel(true);
    profile.write("acces.bot", "Helper\r\n");
    for (auto click : {mnuDesignate_Click, mnuKick_Click, mnuBan_Click, mnuAdd_Click, mnuRem_Click,
                       mnuSafeadd_Click, mnuRemSafelist_Click})
        click(bot);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(chat.text().empty());
    EXPECT_EQ(bot.AccesNames, (Lines{"Helper"}));
    EXPECT_EQ(bot.SafeNames, (Lines{"Friend"}));
    EXPECT_FALSE(profile.exists("safelist.bot"));
}

TEST_F(MemberActions, SendsGoOnTheActiveSocket) {
    AddConnection(bot);
    sockets.made[1]->acceptConnect();
    sockets.made[1]->sent.clear();
    fillChannel(true);
    selectRow(3);
    mnuBan_Click(bot);
    EXPECT_EQ(sockets.made[1]->sent, (Lines{"/ban Jim - Morva Ban -\r\n"}));
}

TEST_F(MemberActions, ClearingOnePaneLeavesTheOther) {
    chat.setInsertColor(RGB(1, 2, 3));
    chat.replaceSelection("chat\r\n");
    whispers.replaceSelection("whisper\r\n");
    mnuClearChat_Click(bot);
    EXPECT_EQ(chat.text(), "");
    EXPECT_EQ(whispers.text(), "whisper\r\n");
    chat.replaceSelection("again\r\n");
    EXPECT_EQ(chat.text(), "again\r\n");
    mnuClearWhispers_Click(bot);
    EXPECT_EQ(whispers.text(), "");
    EXPECT_EQ(chat.text(), "again\r\n");
}

TEST_F(MemberActions, FavouritesJoinTheirChannelWithoutEcho) {
    bot.BotConfig.FavChannels = {"Lobby", "Op Test", "", "Clan X", "Last"};
    for (int entry = 0; entry < 5; ++entry) mnuChannel_Click(bot, entry);
    mnuChannel_Click(bot, 5);
    mnuChannel_Click(bot, -1);
    EXPECT_EQ(sent(), (Lines{"/join Lobby\r\n", "/join Op Test\r\n", "/join \r\n", "/join Clan X\r\n",
                             "/join Last\r\n"}));
    EXPECT_TRUE(chat.text().empty());
}

TEST_F(MemberActions, FavouritesSendNothingWhileDisconnected) {
    bot.BotConfig.FavChannels[0] = "Lobby";
    sockets.made[0]->peerClose();
    sockets.made[0]->sent.clear();
    mnuChannel_Click(bot, 0);
    EXPECT_TRUE(sent().empty());
}

}  // namespace
}  // namespace morva
