#include "settings/profile.h"

#include <gtest/gtest.h>

#include "output/palette.h"
#include "settings/config_file.h"
#include "settings/ini_text.h"
#include "support/bot_fixture.h"
#include "support/config_text.h"

namespace morva::testing {
namespace {

class LoadProfileTest : public BotFixture {
protected:
    void SetUp() override {
        profile.write("acces.bot", "");
        profile.write("safelist.bot", "");
    }
    void writeConfig(const std::string& content) { profile.write("config.bot", content); }
    void set(const char* section, const char* key, const char* value) {
        writeConfig(IniWrite(profile.read("config.bot"), section, key, value));
    }
    void remove(const std::string& line) {
        std::string content = profile.read("config.bot");
        content.erase(content.find(line), line.size());
        writeConfig(content);
    }
    // The logon time-out that a connection made now arms: the connection takes it from the profile.
    int connectionLoginTimeout() {
        bot.connection.Bot_Connect();
        sockets.made[0]->acceptConnect();
        return bot.connection.loginTimeoutTimer().interval();
    }
};

TEST_F(LoadProfileTest, ReadsEveryKeyOfAValidFile) {
    writeConfig(ValidConfig());
    LoadProfile(bot.settings);
    const BotConfig& c = config;
    EXPECT_TRUE(chat.text().empty()) << chat.text();
    EXPECT_FALSE(c.TrayStart);
    EXPECT_EQ(c.Channels, 2);
    EXPECT_EQ(c.Username, "bot1");
    EXPECT_EQ(c.Password, "Secret");
    EXPECT_EQ(c.Channel, "Home");
    EXPECT_EQ(c.Server, "127.0.0.1");
    EXPECT_EQ(c.Port, 6112);
    EXPECT_EQ(c.Delay, 500);
    EXPECT_EQ(c.Stagger, 250);
    EXPECT_EQ(c.Socks, 3);
    EXPECT_EQ(c.Master, "Boss");
    EXPECT_EQ(c.Trigger, "!");
    EXPECT_EQ(c.BackupChannel, "Backup");
    EXPECT_FALSE(c.ChannelProtect);
    EXPECT_TRUE(c.Binary);
    EXPECT_FALSE(c.WhisperWindow);
    EXPECT_TRUE(c.WhisperFrame);
    EXPECT_FALSE(c.ConnectStartup);
    EXPECT_EQ(c.LoginTimeout, 10000);
    EXPECT_TRUE(c.EmotesEnabled);
    EXPECT_EQ(c.ProtectMessage, "Go away");
    EXPECT_EQ(c.BinaryClient, "STAR");
    EXPECT_EQ(c.IdleDelay, 3);
    EXPECT_EQ(c.IdleMessage, "hello");
    EXPECT_EQ(c.FavChannels[0], "Lobby");
    EXPECT_EQ(c.FavChannels[1], "Op Test");
    EXPECT_EQ(c.FavChannels[2], "");
    EXPECT_TRUE(c.JoinNotifications);
    EXPECT_TRUE(c.LeaveNotifications);
}

TEST_F(LoadProfileTest, FloodKeysTakeTheirDefaultsSilentlyWhenMissing) {
    writeConfig(ValidConfig());
    LoadProfile(bot.settings);
    EXPECT_EQ(config.FloodLines, 4);
    EXPECT_EQ(config.FloodSeconds, 6);
    EXPECT_TRUE(chat.text().empty());
    set("Flood", "Lines", "0");
    set("Flood", "Seconds", "10");
    LoadProfile(bot.settings);
    EXPECT_EQ(config.FloodLines, 0);
    EXPECT_EQ(config.FloodSeconds, 10);
    set("Flood", "Lines", "many");
    LoadProfile(bot.settings);
    EXPECT_EQ(config.FloodLines, 0);
    EXPECT_EQ(lastChatLine(),
              "Bot: config.bot has \"Lines=many\" in section [Flood], which is not a whole number from "
              "-32768 to 32767; keeping 0.");
}

TEST_F(LoadProfileTest, AppliesMenusAndLayoutAtOnceAndTheLoginTimeoutToTheNextConnection) {
    writeConfig(ValidConfig());
    set("Profile", "LoginTimeout", "7000");
    set("Profile", "WhisperWindow", "True");
    LoadProfile(bot.settings);
    EXPECT_EQ(config.LoginTimeout, 7000);
    EXPECT_TRUE(shell.whisperEntryEnabled);
    EXPECT_EQ(shell.relayouts, std::vector<bool>{true});
    EXPECT_EQ(shell.favoriteCaptions,
              (std::array<std::string, 5>{"Lobby", "Op Test", "Empty", "Empty", "Empty"}));
    EXPECT_EQ(shell.favoriteEnabled, (std::array<bool, 5>{true, true, false, false, false}));
    EXPECT_FALSE(bot.connection.loginTimeoutTimer().isRunning());
    EXPECT_EQ(connectionLoginTimeout(), 7000);
}

TEST_F(LoadProfileTest, FileWithoutFavoritesShowsFiveDisabledEmptyEntries) {
    std::string content = ValidConfig();
    content.erase(content.find("[Favorite Channels]"),
                  content.find("[Channels Log]") - content.find("[Favorite Channels]"));
    writeConfig(content);
    LoadProfile(bot.settings);
    EXPECT_EQ(shell.favoriteCaptions,
              (std::array<std::string, 5>{"Empty", "Empty", "Empty", "Empty", "Empty"}));
    EXPECT_EQ(shell.favoriteEnabled, (std::array<bool, 5>{}));
}

TEST_F(LoadProfileTest, ReloadAfterEmptyingAFavoriteKeepsItEnabled) {
    writeConfig(ValidConfig());
    set("Favorite Channels", "Channel3", "Clan Foo");
    LoadProfile(bot.settings);
    set("Favorite Channels", "Channel3", "");
    mnuReloadConfig_Click(bot.settings);
    EXPECT_EQ(shell.favoriteCaptions[2], "Empty");
    EXPECT_TRUE(shell.favoriteEnabled[2]);
    EXPECT_EQ(config.FavChannels[2], "");
    EXPECT_EQ(lastChatLine(), "Config.bot reloaded. (Note: Controls will not reload.)");
    EXPECT_EQ(chat.runs().back().first, ColorGrey);
}

TEST_F(LoadProfileTest, MissingAndMalformedRequiredKeysAreReportedOnceEach) {
    config.Port = 0;
    writeConfig(ValidConfig());
    remove("Port=6112\r\n");
    set("Profile", "TrayStart", "maybe");
    LoadProfile(bot.settings);
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{
                  "Bot: config.bot has \"TrayStart=maybe\" in section [Profile], which is not True or "
                  "False; keeping False.",
                  "Bot: config.bot has no \"Port\" in section [Profile]; keeping 0."}));
    EXPECT_EQ(chat.runs()[1].first, ColorError);
    EXPECT_EQ(config.Port, 0);
    EXPECT_FALSE(config.TrayStart);
    EXPECT_EQ(config.Delay, 500) << "the keys after the bad ones are still read";
}

TEST_F(LoadProfileTest, ReloadKeepsThePreviousValueOfABrokenKey) {
    writeConfig(ValidConfig());
    LoadProfile(bot.settings);
    set("Profile", "Port", "99999");
    set("Profile", "Binary", "perhaps");
    LoadProfile(bot.settings);
    EXPECT_EQ(config.Port, 6112);
    EXPECT_TRUE(config.Binary);
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{
                  "Bot: config.bot has \"Port=99999\" in section [Profile], which is not a port number "
                  "from 1 to 65535; keeping 6112.",
                  "Bot: config.bot has \"Binary=perhaps\" in section [Profile], which is not True or "
                  "False; keeping True."}));
}

TEST_F(LoadProfileTest, NegativeChannelsAndLoginTimeoutCountAsZero) {
    writeConfig(ValidConfig());
    set("Channels Log", "Channels", "-3");
    set("Profile", "LoginTimeout", "-1");
    LoadProfile(bot.settings);
    EXPECT_EQ(config.Channels, 0);
    EXPECT_EQ(config.LoginTimeout, 0);
    EXPECT_EQ(connectionLoginTimeout(), 0);
}

TEST_F(LoadProfileTest, MissingFileReportsEveryRequiredKeyWithoutCrashing) {
    LoadProfile(bot.settings);
    EXPECT_EQ(chatLines().size(), 16u);
    EXPECT_EQ(config.Username, "");
}

TEST_F(LoadProfileTest, ChannelLogListTakesChannelsEntries) {
    writeConfig(ValidConfig());
    LoadProfile(bot.settings);
    EXPECT_EQ(ReadChannelLogList(bot.settings), (std::vector<std::string>{"lobby", "op x"}));
    set("Channels Log", "Channels", "3");
    LoadProfile(bot.settings);
    EXPECT_EQ(ReadChannelLogList(bot.settings), (std::vector<std::string>{"lobby", "op x", ""}));
}

// The whole census list of a large file, read as each key alone would be: any case, quotes and blanks
// dropped, the first of a key that comes twice, nothing from another section.
TEST_F(LoadProfileTest, ChannelLogListOfThousandsOfChannelsReadsEachKeyAsALookUpWould) {
    writeConfig(
        "[Channels Log]\r\nChannels=32767\r\nCHANNEL2 = \"op x\"\r\nChannel1=lobby\r\nchannel1=again\r\n;" +
        std::string(1 << 20, 'c') + "\r\nChannel32767=last\r\n[Other]\r\nChannel3=elsewhere\r\n");
    LoadProfile(bot.settings);
    const std::vector<std::string> list = ReadChannelLogList(bot.settings);
    ASSERT_EQ(list.size(), 32767u);
    EXPECT_EQ(list[0], "lobby");
    EXPECT_EQ(list[1], "op x");
    EXPECT_EQ(list[2], "");
    EXPECT_EQ(list.back(), "last");
}

TEST_F(LoadProfileTest, EndsByReloadingTheAccessAndSafeLists) {
    writeConfig(ValidConfig());
    profile.write("acces.bot", "Bob\r\n");
    profile.write("safelist.bot", "*bot\r\n");
    bot.settings.AccesNames = {"stale"};
    LoadProfile(bot.settings);
    EXPECT_EQ(bot.settings.AccesNames, std::vector<std::string>{"Bob"});
    EXPECT_EQ(bot.settings.SafeNames, std::vector<std::string>{"*bot"});
}

TEST_F(LoadProfileTest, OpenConfigAsksTheShellForTheProfileFile) {
    mnuOpenConfig_Click(bot.settings);
    EXPECT_EQ(shell.opened, std::vector<std::string>{(profile.dir() / "config.bot").string()});
}

TEST_F(LoadProfileTest, WriteConfigKeepsEveryOtherByteAndReadsBack) {
    const std::string original =
        "; written by hand\r\n[Commands]\r\nMaster = Boss \r\n\r\nTrigger=!\r\n\r\n[Idle]\nDelay=0\n";
    writeConfig(original);
    EXPECT_TRUE(WriteConfig(bot.settings, "Commands", "Trigger", "#"));
    std::string expected = original;
    expected.replace(expected.find("Trigger=!"), 9, "Trigger=#");
    EXPECT_EQ(profile.read("config.bot"), expected);
    EXPECT_EQ(ReadConfig(bot.settings, "commands", "TRIGGER"), "#");
}

TEST_F(LoadProfileTest, WriteConfigCreatesTheFileAndLeavesNoTemporaryBehind) {
    EXPECT_TRUE(WriteConfig(bot.settings, "Form", "Width", "9000"));
    EXPECT_EQ(profile.read("config.bot"), "[Form]\r\nWidth=9000\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(profile.dir()), {}), 3)
        << "config.bot and the two list files";
}

TEST_F(LoadProfileTest, ANewConfigFileIsTheOwnersAloneAndAnOldOneKeepsItsMode) {
    EXPECT_TRUE(WriteConfig(bot.settings, "Form", "Width", "9000"));
    const auto path = profile.dir() / "config.bot";
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::permissions(path, std::filesystem::perms::group_read,
                                 std::filesystem::perm_options::add);
    EXPECT_TRUE(WriteConfig(bot.settings, "Form", "Width", "8000"));
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);
}

TEST_F(LoadProfileTest, FailedConfigWritesAreToldOnceUntilOneWorksAgain) {
    const auto path = profile.dir() / "config.bot";
    std::filesystem::create_directory(path);
    const std::string failed =
        "Bot: config.bot was not saved: " + path.string() + ": it could not be read (Is a directory).";
    EXPECT_FALSE(WriteConfig(bot.settings, "Form", "Width", "9000"));
    EXPECT_FALSE(WriteConfig(bot.settings, "Form", "Height", "9000"));
    EXPECT_EQ(chatLines(), std::vector<std::string>{failed});
    std::filesystem::remove(path);
    EXPECT_TRUE(WriteConfig(bot.settings, "Form", "Width", "9000"));
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(WriteConfig(bot.settings, "Form", "Width", "9000"));
    EXPECT_EQ(chatLines(), (std::vector<std::string>{failed, failed}));
}

TEST_F(LoadProfileTest, WriteConfigReportsAFailedWriteAndLeavesNoTemporaryBehind) {
    std::filesystem::create_directory(profile.dir() / "config.bot");
    EXPECT_FALSE(WriteConfig(bot.settings, "Commands", "Trigger", "#"));
    EXPECT_TRUE(std::filesystem::is_directory(profile.dir() / "config.bot"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(profile.dir()), {}), 3)
        << "config.bot and the two list files";
}

}  // namespace
}  // namespace morva::testing
