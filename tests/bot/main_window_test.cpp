#include "bot/main_window.h"

#include <gtest/gtest.h>

#include "support/bot_fixture.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

class MainWindowCore : public BotFixture {};

TEST_F(MainWindowCore, MissingGeometryKeepsTheDesignSize) {
    profile.write("config.bot", ValidConfig());
    const WindowGeometry design = shell.geometry;
    RestoreGeometry(bot);
    EXPECT_EQ(shell.geometry.width, design.width);
    EXPECT_EQ(shell.geometry.left, design.left);
}

TEST_F(MainWindowCore, SavedGeometryIsRestoredAndABrokenValueReported) {
    profile.write("config.bot", "[Form]\r\nWidth=9000.5\r\nHeight=6000\r\nLeft=wide\r\nTop=300\r\n");
    RestoreGeometry(bot);
    EXPECT_EQ(shell.geometry.width, 9000.5);
    EXPECT_EQ(shell.geometry.height, 6000);
    EXPECT_EQ(shell.geometry.top, 300);
    EXPECT_EQ(shell.geometry.left, 2400) << "kept";
    EXPECT_EQ(lastChatLine(),
              "Bot: config.bot has \"Left=wide\" in section [Form], which is not a number; keeping the "
              "design size.");
}

TEST_F(MainWindowCore, GeometryIsSavedAboutASecondAfterALayoutPass) {
    profile.write("config.bot", "; mine\r\n[Profile]\r\nPort=1\r\n");
    Form_Resize(bot, false);
    clock.advance(999);
    EXPECT_EQ(profile.read("config.bot"), "; mine\r\n[Profile]\r\nPort=1\r\n");
    clock.advance(1);
    EXPECT_EQ(
        profile.read("config.bot"),
        "; mine\r\n[Profile]\r\nPort=1\r\n[Form]\r\nWidth=12495\r\nHeight=8340\r\nTop=1200\r\nLeft=2400\r\n");
    EXPECT_FALSE(bot.window.tmrResize->isRunning());
}

TEST_F(MainWindowCore, MinimisingGoesToTheTrayWithTheLogonAsTipAndCaption) {
    bot.chat.CurrentName = "bot1";
    bot.chat.CurrentChannel = "lobby";
    Form_Resize(bot, true);
    EXPECT_TRUE(shell.inTray);
    EXPECT_EQ(shell.trayTip, "bot1 in channel lobby.");
    EXPECT_EQ(shell.captionText, "bot1 in channel lobby.");
    EXPECT_FALSE(bot.window.tmrResize->isRunning()) << "no layout while minimised";
}

TEST(TwipsText, SevenSignificantDigitsAndNoPointForWholeNumbers) {
    EXPECT_EQ(TwipsText(12495), "12495");
    EXPECT_EQ(TwipsText(8655.5), "8655.5");
    EXPECT_EQ(TwipsText(133.176), "133.176");
    EXPECT_EQ(TwipsText(1234567.8), "1234568");
}

TEST_F(MainWindowCore, IdleMessageGoesOutEveryIdleDelayMinutes) {
    config.IdleDelay = 3;
    config.IdleMessage = "hello";
    bot.chat.CurrentName = "bot1";
    connect(false);  // text mode arms the idle timer
    std::vector<long long> sentAt;
    for (int minute = 1; minute <= 9; ++minute) {
        const std::size_t before = sockets.made[0]->sent.size();
        clock.advance(60000);
        if (sockets.made[0]->sent.size() > before) sentAt.push_back(minute);
    }
    EXPECT_EQ(sentAt, (std::vector<long long>{3, 6, 9}));
    EXPECT_EQ(sockets.made[0]->sent.back(), " && hello && Morva Chat v1.1 by Quorin [Binary Edition].\r\n");
    EXPECT_EQ(lastChatLine(), "bot1:  && hello && Morva Chat v1.1 by Quorin [Binary Edition].");
}

TEST_F(MainWindowCore, AboutPrintsTheTitleBetweenTwoSeparators) {
    mnuAbout_Click(bot);
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{std::string(39, '-'), "Morva Chat v1.0 by Quorin [Binary Edition]",
                                        std::string(39, '-')}));
}

}  // namespace
}  // namespace morva::testing
