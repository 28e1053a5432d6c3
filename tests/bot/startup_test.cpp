#include "bot/startup.h"

#include <gtest/gtest.h>

#include "output/palette.h"
#include "settings/ini_text.h"
#include "support/bot_fixture.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

class StartupTest : public BotFixture {};

TEST_F(StartupTest, PrintsTitleAndSeparatorThenLoadsTheProfile) {
    profile.write("config.bot", ValidConfig());
    Form_Load(bot);
    const auto lines = chatLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Morva Chat v1.0 by Quorin [Binary Edition]");
    EXPECT_EQ(lines[1], "---------------------------------------");
    EXPECT_EQ(chat.lines()[0].substr(0, 14), "[14:03:27.45] ");
    EXPECT_EQ(chat.runs()[1].first, ColorInfo);
    EXPECT_EQ(chat.runs()[3].first, ColorStatus);
    EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition].");
    EXPECT_EQ(config.Username, "bot1");
    EXPECT_FALSE(shell.inTray);
}

TEST_F(StartupTest, TrayStartHidesToTheTrayWithEmptyNamesInTheTip) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Profile", "TrayStart", "True"));
    Form_Load(bot);
    EXPECT_TRUE(shell.inTray);
    EXPECT_EQ(shell.trayTip, " in channel .");
    EXPECT_EQ(shell.captionText, " in channel .");
}

}  // namespace
}  // namespace morva::testing
