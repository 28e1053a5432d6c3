#include "bot/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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

TEST_F(StartupTest, LeftoversOfSavesCutShortAreRemovedAndNothingElse) {
    profile.write("config.bot", ValidConfig());
    const struct {
        const char* name;
        bool removed;
    } files[] = {
        {"config.bot.tmp-a1B2c3", true},
        {"Census/lobby/2026-12-10/21-00-00.txt.tmp-ZZZZZZ", true},
        {"notes.tmp-abc", false},
        {".tmp-abcdef", false},
        {"config.bot.tmp-abcdef.txt", false},
        {"Chat Logs/lobby/2026-12-10.log", false},
    };
    for (const auto& file : files) {
        std::filesystem::create_directories((profile.dir() / file.name).parent_path());
        profile.write(file.name, "left");
    }
    Form_Load(bot);
    for (const auto& file : files) EXPECT_EQ(profile.exists(file.name), !file.removed) << file.name;
}

TEST_F(StartupTest, TrayStartHidesToTheTrayWithEmptyNamesInTheTip) {
    profile.write("config.bot", IniWrite(ValidConfig(), "Profile", "TrayStart", "True"));
    Form_Load(bot);
    EXPECT_TRUE(shell.inTray);
    EXPECT_EQ(shell.trayTip, " in channel .");
    EXPECT_EQ(shell.captionText, " in channel .");
}

TEST_F(StartupTest, AFirstStartWritesAStarterProfileSaysWhatToFillInAndDialsNothing) {
    Form_Load(bot);
    const std::string configPath = (profile.dir() / "config.bot").string();
    EXPECT_EQ(
        chatLines(),
        (std::vector<std::string>{
            "Morva Chat v1.0 by Quorin [Binary Edition]", "---------------------------------------",
            "Bot: Welcome to MorvaChat. A new profile was made in " + profile.dir().string() + ".",
            "Bot: To connect, fill in Server, Port, Username, Password and Channel in section [Profile] of " +
                configPath + ",",
            "Bot: with Configuration > Open config.bot or any text editor, then choose Reconnect (in the "
            "terminal: start the program again).",
            "Bot: Using 1 socket(s) for connection."}))
        << "every key is there, every list loads: no error line";
    EXPECT_EQ(std::filesystem::status(configPath).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    for (const char* list : {"acces.bot", "safelist.bot", "filter.bot"})
        EXPECT_EQ(profile.read(list), "") << list;
    EXPECT_FALSE(config.ConnectStartup);
    bot.connection.Bot_Connect();
    clock.advance(60000);
    EXPECT_TRUE(sockets.made[0]->dials.empty()) << "no server yet";
    EXPECT_NE(lastChatLine().find("no server"), std::string::npos) << lastChatLine();
}

TEST_F(StartupTest, TheChatLogFollowsTheLoggingSettings) {
    const std::pair<const char*, const char*> cases[] = {{"True", "my logs"}, {"False", "off logs"}};
    for (const auto& [enabled, folder] : cases) {
        std::string text = IniWrite(ValidConfig(), "Logging", "Enabled", enabled);
        profile.write("config.bot", IniWrite(text, "Logging", "Folder", folder));
        Form_Load(bot);
        bot.chatLog.flush();
        EXPECT_EQ(std::filesystem::exists(profile.dir() / folder), std::string(enabled) == "True") << folder;
    }
    EXPECT_FALSE(profile.exists("Chat Logs"));
}

TEST_F(StartupTest, AnExistingProfileIsLeftAsItIs) {
    profile.write("config.bot", ValidConfig());
    Form_Load(bot);
    EXPECT_EQ(profile.read("config.bot"), ValidConfig());
    EXPECT_FALSE(profile.exists("filter.bot"));
}

TEST_F(StartupTest, UnknownKeysOfKnownSectionsAreNamedOnceEach) {
    std::string text = IniWrite(ValidConfig(), "Profile", "Usernme", "bot2");
    text = IniWrite(text, "Flood", "Line", "3");
    text = IniWrite(text, "Channels Log", "Channel7", "x");
    text = IniWrite(text, "Somebody Else", "Key", "y");
    profile.write("config.bot", text);
    Form_Load(bot);
    const auto lines = chatLines();
    for (const std::string warning :
         {"Bot: config.bot has an unknown key \"Usernme\" in section [Profile]; it is not used.",
          "Bot: config.bot has an unknown key \"Line\" in section [Flood]; it is not used."})
        EXPECT_EQ(std::ranges::count(lines, warning), 1) << warning;
    EXPECT_EQ(std::ranges::count_if(
                  lines, [](const std::string& l) { return l.find("unknown key") != std::string::npos; }),
              2);
}

}  // namespace
}  // namespace morva::testing
