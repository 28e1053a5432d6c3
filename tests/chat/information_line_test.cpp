#include "chat/information_line.h"

#include <gtest/gtest.h>

#include "census/census.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

struct NoticeCase {
    const char* text;
    const char* sent;  // what the bot sends in text mode, "" for nothing
    int banCount;
};

class NoticePhrasing : public BotFixture, public ::testing::WithParamInterface<NoticeCase> {
protected:
    void SetUp() override {
        config.BackupChannel = "Backup";
        bot.chat.CurrentName = "bot1";
        bot.chat.CurrentChannel = "Home";
        connect(false);
    }
};

TEST_P(NoticePhrasing, BothServerStylesAreUnderstood) {
    InformationLine(bot.chat, GetParam().text);
    EXPECT_EQ(sockets.made[0]->allSent(), GetParam().sent);
    EXPECT_EQ(bot.chat.BanCount, GetParam().banCount);
}

INSTANTIATE_TEST_SUITE_P(
    Notices, NoticePhrasing,
    ::testing::Values(NoticeCase{"bot1 was kicked out of the channel by alice.", "/join Home\r\n", 0},
                      NoticeCase{"bot1 has been kicked by alice.", "/join Home\r\n", 0},
                      NoticeCase{"bot1 has been kicked by alice (go away).", "/join Home\r\n", 0},
                      NoticeCase{"bot1x has been kicked by alice.", "", 0},
                      NoticeCase{"carol was banned by bot1.", "", 1},
                      NoticeCase{"carol has been banned by bot1.", "", 1},
                      NoticeCase{"carol has been banned by bot1 (spamming too much).", "", 1},
                      NoticeCase{"carol has been banned by bot10.", "", 0},
                      NoticeCase{"bot1 has been banned by alice (bye).", "/join Backup\r\n", 0},
                      NoticeCase{"bot1 was banned by alice.", "/join Backup\r\n", 0},
                      NoticeCase{"alice says bot1 was kicked, sort of", "", 0}));

// A census visit to "Mod Test" whose "/who" has gone out: its capture window is open.
class CensusAnswers : public BotFixture {
protected:
    void SetUp() override {
        profile.write("config.bot", "[Channels Log]\r\nChannel1=Mod Test\r\n");
        config.Channels = 1;
        connect(false);
        clock.advance(Census::StepMs);
        ASSERT_TRUE(bot.chat.capture.isOpen());
        chat.clear();
    }
};

TEST_F(CensusAnswers, NamesAfterTheHeadersColonAreCollected) {
    InformationLine(bot.chat, "Users in channel Mod Test: bob alice");
    EXPECT_EQ(bot.census.ChannelLogList[0], "Mod Test\r\nbob alice");
    EXPECT_TRUE(chat.text().empty());
}

TEST_F(CensusAnswers, ABareHeaderIsLeftOutAndTheLinesAfterItAreKept) {
    InformationLine(bot.chat, "Users in channel Mod Test:");
    InformationLine(bot.chat, "Users in channel Mod Test: ");
    InformationLine(bot.chat, "bob, alice");
    EXPECT_EQ(bot.census.ChannelLogList[0], "Mod Test\r\nbob, alice");
    EXPECT_TRUE(chat.text().empty());
}

}  // namespace
}  // namespace morva::testing
