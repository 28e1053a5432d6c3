#include "census/census.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/folder_names.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "census/census_names.h"
#include "output/palette.h"
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
        config.Channels = static_cast<std::int16_t>(channels.size());
        config.Binary = false;
        bot.connection.Bot_Connect();
        sockets.made[0]->acceptConnect();
    }

    // The logon line that starts the census, then a clean socket and chat pane.
    void logOn() {
        feed("2010 NAME bot1");
        sockets.made[0]->sent.clear();
        chat.clear();
    }

    void feed(const std::string& line) { receive(line + "\r\n"); }

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
    EXPECT_EQ(bot.chat.capture.timer().interval(), 700);
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
    EXPECT_EQ(chat.paneLines().back().runs.back().color, ColorStatus);
    EXPECT_EQ(filesBelow(logFolder()),
              (std::set<std::string>{"lobby/2026-12-10/14.03.30.txt", "op x/2026-12-10/14.03.30.txt"}));
    EXPECT_EQ(readLog("lobby/2026-12-10/14.03.30.txt"), "lobby\r\nbob, alice\r\n[Carol]\r\n");
    EXPECT_EQ(readLog("op x/2026-12-10/14.03.30.txt"), "op x\r\ndave\r\n");
    EXPECT_FALSE(bot.census.timer().isRunning());

    clock.advance(5000);
    EXPECT_EQ(chatLines().size(), 4u);
}

// A server that answers each "/who" with one line of that channel's members, a moment after the line
// reached it.
class CensusServer {
public:
    CensusServer(VirtualClock& clock, FakeSocket& socket) : socket_(socket), answer_(clock.makeTimer()) {
        answer_->setInterval(100);
        answer_->setOnTick([this] {
            answer_->stop();
            for (const auto& line : due_) socket_.receive(line);
            due_.clear();
        });
        socket_.onSend = [this](const std::string& bytes) {
            if (!bytes.starts_with("/who ")) return;
            const std::string channel = bytes.substr(5, bytes.size() - 7);
            due_.push_back("1018 INFO \"Users in channel " + channel + ": " + channel + "-one " + channel +
                           "-two\"\r\n");
            answer_->start();
        };
    }

private:
    FakeSocket& socket_;
    std::unique_ptr<Timer> answer_;
    std::vector<std::string> due_;
};

TEST_F(CensusTest, TenChannelsUnderTheFloodLimitEachGetTheirOwnMembers) {
    std::vector<std::string> channels;
    for (int i = 1; i <= 10; ++i) channels.push_back("chan" + std::to_string(i));
    configure(channels);
    config.FloodLines = 4;
    config.FloodSeconds = 6;
    const CensusServer server(clock, *sockets.made[0]);
    logOn();
    clock.advance(60000);

    EXPECT_EQ(lastChatLine(), "Bot: Getting Channels Log Done.");
    const auto lines = chatLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.starts_with("Broadcast:"); }),
              0);
    const auto files = filesBelow(logFolder());
    ASSERT_EQ(files.size(), 10u);
    for (const auto& file : files) {
        const std::string channel = file.substr(0, file.find('/'));
        EXPECT_EQ(readLog(file), channel + "\r\n" + channel + "-one " + channel + "-two\r\n") << file;
    }
}

TEST_F(CensusTest, TheNextVisitWaitsUntilTheLastAnswerCouldArrive) {
    configure({"lobby", "op x"});
    config.FloodLines = 1;
    config.FloodSeconds = 6;
    logOn();
    clock.advance(900);
    ASSERT_THAT(sent(), ElementsAre("/who lobby\r\n"));
    clock.advance(900);
    EXPECT_THAT(sent(), ElementsAre("/who lobby\r\n"));
    EXPECT_EQ(lastChatLine(), "Bot: Getting Channel Log: op x") << "its line waits in the queue";
    clock.advance(5099);
    EXPECT_THAT(sent(), ElementsAre("/who lobby\r\n"));
    clock.advance(1);
    ASSERT_THAT(sent(), ElementsAre("/who lobby\r\n", "/who op x\r\n"));
    EXPECT_TRUE(bot.chat.capture.isOpen()) << "the window opens when the line leaves";
    feed("1018 INFO \"Users in channel op x: dave\"");
    clock.advance(2700);
    EXPECT_EQ(lastChatLine(), "Bot: Getting Channels Log Done.");
    EXPECT_EQ(bot.census.ChannelLogList.back(), "op x\r\ndave");
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
        config.Channels = reloaded;
        clock.advance(1800);
        EXPECT_THAT(sent(), ElementsAre("/who lobby\r\n", "/who op x\r\n"));
        EXPECT_EQ(lastChatLine(), "Bot: Getting Channels Log Done.");
        EXPECT_EQ(filesBelow(logFolder()).size(), 2u);
        EXPECT_FALSE(bot.census.timer().isRunning());
    }
}

TEST_F(CensusTest, FailedWriteReportsOnlyTheErrorAndStopsThere) {
    fs::create_directories(logFolder());
    profile.write("Channel Log Files/op x", "a file where a folder belongs");
    bot.census.ChannelLogList = {"lobby\r\nbob", "op x\r\ncarol", "third\r\ndave"};
    bot.census.WriteChannelLog();
    EXPECT_THAT(chatLines(), ElementsAre("Error in writing channels log files."));
    EXPECT_EQ(chat.paneLines().back().runs.back().color, ColorError);
    EXPECT_EQ(filesBelow(logFolder()), (std::set<std::string>{"op x", "lobby/2026-12-10/14.03.27.txt"}));
}

TEST_F(CensusTest, SameChannelTwiceInOneSecondLeavesOneWholeFile) {
    bot.census.ChannelLogList = {"lobby\r\nfirst", "lobby\r\nsecond"};
    bot.census.WriteChannelLog();
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
    EXPECT_EQ(SafeFolderName(GetParam().channel), GetParam().folder);
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
    for (const auto& channel : channels) bot.census.ChannelLogList.push_back(channel + "\r\nseen");
    bot.census.MakeLogFolders();
    bot.census.WriteChannelLog();

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
        EXPECT_EQ(file, SafeFolderName(content.substr(0, content.find("\r\n"))) + "/2026-12-10/14.03.27.txt");
    }
    EXPECT_EQ(named, std::set<std::string>(channels.begin(), channels.end()));
}

}  // namespace
}  // namespace morva::testing
