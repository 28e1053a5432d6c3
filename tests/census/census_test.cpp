#include "census/census.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "census/census_names.h"
#include "chat/event_processor.h"
#include "chat/palette.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CensusTest : public BotFixture {
protected:
    // config.bot with the census channels, and a text-mode connection on socket 0.
    void configure(const std::vector<std::string>& channels) {
        std::string section = "[Channels Log]\r\nChannels=" + std::to_string(channels.size()) + "\r\n";
        for (std::size_t i = 0; i < channels.size(); ++i)
            section += "Channel" + std::to_string(i + 1) + "=" + channels[i] + "\r\n";
        profile.write("config.bot", section);
        bot.BotConfig.Channels = static_cast<std::int16_t>(channels.size());
        bot.BotConfig.Binary = false;
        sockets.made[0]->acceptConnect();
    }

    // The logon line that starts the census, then a clean socket and chat pane.
    void logOn() {
        feed("2010 NAME bot1");
        sockets.made[0]->sent.clear();
        chat.clear();
    }

    void feed(const std::string& text) {
        std::string line = text;
        ProcessEventLine(bot, line, 0);
    }

    // Moves the clock on to the given time of the same day.
    void advanceTo(int hour, int minute, int second, int hundredths) {
        const LocalTime now = clock.now();
        const auto centis = [](int h, int m, int s, int c) { return ((h * 60 + m) * 60 + s) * 100 + c; };
        clock.advance(10 *
                      static_cast<std::int64_t>(centis(hour, minute, second, hundredths) -
                                                centis(now.hour, now.minute, now.second, now.hundredths)));
    }

    fs::path logFolder() const { return profile.dir() / "Channel Log Files"; }

    // Every regular file below a folder, relative to it.
    static std::set<std::string> filesBelow(const fs::path& folder) {
        std::set<std::string> files;
        if (!fs::exists(folder)) return files;
        for (const auto& item : fs::recursive_directory_iterator(folder))
            if (item.is_regular_file()) files.insert(fs::relative(item.path(), folder).string());
        return files;
    }

    std::string readLog(const std::string& relative) const {
        return profile.read((fs::path("Channel Log Files") / relative).string());
    }

    const std::vector<std::string>& sent() const { return sockets.made[0]->sent; }
};

TEST_F(CensusTest, VisitsEachChannelAndWritesWhatItsCaptureWindowHeard) {
    configure({"lobby", "op x"});
    logOn();
    EXPECT_TRUE(fs::is_directory(logFolder() / "lobby" / "2026-12-10"));
    EXPECT_TRUE(fs::is_directory(logFolder() / "op x" / "2026-12-10"));

    clock.advance(900);
    EXPECT_THAT(sent(), ElementsAre("/who lobby\r\n"));
    EXPECT_EQ(bot.tmrGetInfo->interval(), 700);
    feed("1018 INFO \"Users in channel lobby:\"");
    feed("1018 INFO \"bob, alice\"");
    feed("1018 INFO \"[Carol]\"");
    clock.advance(750);
    feed("1018 INFO \"too late\"");
    clock.advance(150);
    EXPECT_THAT(sent(), ElementsAre("/who lobby\r\n", "/who op x\r\n"));
    feed("1018 INFO \"Users in channel op x:\"");
    feed("1018 INFO \"dave\"");
    clock.advance(900);

    EXPECT_THAT(chatLines(),
                ElementsAre("Bot: Getting Channel Log: lobby", "Broadcast: too late",
                            "Bot: Getting Channel Log: op x", "Bot: Getting Channels Log Done."));
    EXPECT_EQ(chat.runs().back().first, ColorStatus);
    EXPECT_EQ(filesBelow(logFolder()),
              (std::set<std::string>{"lobby/2026-12-10/14.03.30.txt", "op x/2026-12-10/14.03.30.txt"}));
    EXPECT_EQ(readLog("lobby/2026-12-10/14.03.30.txt"), "lobby\r\nbob, alice\r\n[Carol]\r\n");
    EXPECT_EQ(readLog("op x/2026-12-10/14.03.30.txt"), "op x\r\ndave\r\n");
    EXPECT_FALSE(bot.tmrWhoChannel->isRunning());

    clock.advance(5000);
    EXPECT_EQ(chatLines().size(), 4u);
}

TEST_F(CensusTest, NoChannelsVisitsNothingAndMakesNoFolder) {
    configure({});
    logOn();
    clock.advance(5000);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(chatLines(), IsEmpty());
    EXPECT_FALSE(fs::exists(logFolder()));
}

TEST_F(CensusTest, CensusRunningPastMidnightWritesIntoTheNewDate) {
    advanceTo(23, 59, 58, 95);
    configure({"lobby", "op x"});
    logOn();
    EXPECT_TRUE(fs::is_directory(logFolder() / "lobby" / "2026-12-10"));
    clock.advance(2700);
    EXPECT_EQ(lastChatLine(), "Bot: Getting Channels Log Done.");
    EXPECT_EQ(filesBelow(logFolder()),
              (std::set<std::string>{"lobby/2026-12-11/00.00.01.txt", "op x/2026-12-11/00.00.01.txt"}));
    EXPECT_EQ(readLog("lobby/2026-12-11/00.00.01.txt"), "lobby\r\n");
}

TEST_F(CensusTest, ReloadChangingChannelsMidwayKeepsToTheLoadedList) {
    for (const std::int16_t reloaded : {0, 1, 5}) {
        SCOPED_TRACE(reloaded);
        fs::remove_all(logFolder());
        configure({"lobby", "op x"});
        logOn();
        clock.advance(900);
        bot.BotConfig.Channels = reloaded;
        clock.advance(1800);
        EXPECT_THAT(sent(), ElementsAre("/who lobby\r\n", "/who op x\r\n"));
        EXPECT_EQ(lastChatLine(), "Bot: Getting Channels Log Done.");
        EXPECT_EQ(filesBelow(logFolder()).size(), 2u);
        EXPECT_FALSE(bot.tmrWhoChannel->isRunning());
    }
}

TEST_F(CensusTest, FailedWriteReportsOnlyTheErrorAndStopsThere) {
    fs::create_directories(logFolder());
    profile.write("Channel Log Files/op x", "a file where a folder belongs");
    bot.BotConfig.ChannelLogList = {"lobby\r\nbob", "op x\r\ncarol", "third\r\ndave"};
    WriteChannelLog(bot);
    EXPECT_THAT(chatLines(), ElementsAre("Error in writing channels log files."));
    EXPECT_EQ(chat.runs().back().first, ColorError);
    EXPECT_EQ(filesBelow(logFolder()), (std::set<std::string>{"op x", "lobby/2026-12-10/14.03.27.txt"}));
}

TEST_F(CensusTest, SameChannelTwiceInOneSecondLeavesOneWholeFile) {
    bot.BotConfig.ChannelLogList = {"lobby\r\nfirst", "lobby\r\nsecond"};
    WriteChannelLog(bot);
    EXPECT_EQ(filesBelow(logFolder()), (std::set<std::string>{"lobby/2026-12-10/14.03.27.txt"}));
    EXPECT_EQ(readLog("lobby/2026-12-10/14.03.27.txt"), "lobby\r\nsecond\r\n");
}

struct FolderCase {
    std::string channel;
    std::string folder;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.channel);
}

class CensusFolderNameTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(CensusFolderNameTest, MapsToASafeFolderName) {
    EXPECT_EQ(CensusFolderName(GetParam().channel), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CensusFolderNameTest,
    ::testing::Values(FolderCase{"lobby", "lobby"}, FolderCase{"op x", "op x"}, FolderCase{"Köln", "Köln"},
                      FolderCase{"a/b", "a%2Fb"}, FolderCase{"a\\b", "a%5Cb"},
                      FolderCase{"../../x", "%2E.%2F..%2Fx"}, FolderCase{"..", "%2E%2E"},
                      FolderCase{".", "%2E"}, FolderCase{".hidden", "%2Ehidden"}, FolderCase{"a.b", "a.b"},
                      FolderCase{"end.", "end%2E"}, FolderCase{"end ", "end%20"},
                      FolderCase{std::string("a\0b", 3), "a%00b"}, FolderCase{"tab\there", "tab%09here"},
                      FolderCase{"del\x7f", "del%7F"}, FolderCase{"c:d*?\"<>|", "c%3Ad%2A%3F%22%3C%3E%7C"},
                      FolderCase{"50%", "50%25"}, FolderCase{"a%2Fb", "a%252Fb"}, FolderCase{"", "%"}));

TEST_F(CensusTest, HostileChannelNamesStayInsideTheLogFolder) {
    const std::string escapeName = profile.dir().filename().string() + "-escaped";
    const std::vector<std::string> channels = {
        "../../x", "../" + escapeName, "../../" + escapeName,  "a/b", "a%2Fb", "a\\b", "..",
        ".",       ".hidden",          std::string("a\0b", 3), "a",   "",      "%",    "%25",
        "/abs"};
    for (const auto& channel : channels) bot.BotConfig.ChannelLogList.push_back(channel + "\r\nseen");
    MakeLogFolders(bot);
    WriteChannelLog(bot);

    EXPECT_THAT(chatLines(), ElementsAre("Bot: Getting Channels Log Done."));
    EXPECT_FALSE(fs::exists(profile.dir().parent_path() / escapeName));
    EXPECT_FALSE(fs::exists(fs::path("/abs")));
    for (const auto& item : fs::recursive_directory_iterator(profile.dir()))
        EXPECT_EQ(*fs::relative(item.path(), profile.dir()).begin(), "Channel Log Files") << item.path();

    const auto files = filesBelow(logFolder());
    ASSERT_EQ(files.size(), channels.size());
    std::set<std::string> named;
    for (const auto& file : files) {
        const std::string content = readLog(file);
        named.insert(content.substr(0, content.find("\r\n")));
        EXPECT_EQ(file,
                  CensusFolderName(content.substr(0, content.find("\r\n"))) + "/2026-12-10/14.03.27.txt");
    }
    EXPECT_EQ(named, std::set<std::string>(channels.begin(), channels.end()));
}

}  // namespace
}  // namespace morva::testing
