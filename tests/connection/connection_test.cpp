#include "connection/connection.h"

#include <gtest/gtest.h>

#include "chat/palette.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

class ConnectionTest : public BotFixture {
protected:
    void configure(int socks, int delay, int stagger, bool binary = true) {
        bot.BotConfig.Server = "chat.test";
        bot.BotConfig.Port = 6112;
        bot.BotConfig.Socks = static_cast<std::int16_t>(socks);
        bot.BotConfig.Delay = static_cast<std::int16_t>(delay);
        bot.BotConfig.Stagger = static_cast<std::int16_t>(stagger);
        bot.BotConfig.Binary = binary;
        bot.BotConfig.LoginTimeout = 10000;
        bot.tmrLoginTimeout->setInterval(10000);
        Bot_LoadSockets(bot);
    }
    FakeSocket& socket(int i) { return *sockets.made.at(static_cast<std::size_t>(i)); }
    std::vector<std::size_t> dialCounts() {
        std::vector<std::size_t> counts;
        for (FakeSocket* s : sockets.made) counts.push_back(s->dials.size());
        return counts;
    }
    std::vector<Timer*> lostConnectionTimers() {
        return {bot.tmrLogin.get(), bot.tmrIdle.get(), bot.tmrGetInfo.get(), bot.tmrLoginTimeout.get(),
                bot.tmrWhoChannel.get()};
    }
};

TEST_F(ConnectionTest, LoadSocketsMakesSocksConnectionsAndSaysSo) {
    configure(3, 500, 250);
    EXPECT_EQ(bot.sckKol.size(), 3u);
    EXPECT_EQ(bot.tmrKol.size(), 3u);
    EXPECT_EQ(lastChatLine(), "Bot: Using 3 socket(s) for connection.");
}

TEST_F(ConnectionTest, ZeroSocksStillUsesSocketZero) {
    configure(0, 500, 250);
    EXPECT_EQ(bot.sckKol.size(), 1u);
    EXPECT_EQ(lastChatLine(), "Bot: Using 0 socket(s) for connection.");
}

TEST_F(ConnectionTest, RaceDialsEachSocketOnItsOwnStaggeredTimer) {
    configure(3, 500, 250);
    Bot_Connect(bot);
    EXPECT_EQ(lastChatLine(), "Bot: Connecting to: chat.test:6112.");
    EXPECT_EQ(bot.tmrKol[0]->interval(), 500);
    EXPECT_EQ(bot.tmrKol[1]->interval(), 750);
    EXPECT_EQ(bot.tmrKol[2]->interval(), 1000);
    clock.advance(499);
    EXPECT_EQ(dialCounts(), (std::vector<std::size_t>{0, 0, 0})) << "nothing is dialled before its timer";
    clock.advance(1);
    EXPECT_EQ(dialCounts(), (std::vector<std::size_t>{1, 0, 0}));
    clock.advance(500);
    EXPECT_EQ(dialCounts(), (std::vector<std::size_t>{2, 1, 1}));
    EXPECT_EQ(socket(0).dials[0], "chat.test:6112");
    EXPECT_EQ(socket(0).closes, 2) << "each re-dial closes first";
}

TEST_F(ConnectionTest, TheWinnerKeepsItsSocketAndTheRaceStops) {
    configure(3, 500, 250);
    Bot_Connect(bot);
    clock.advance(1000);
    const int closesBefore[3] = {socket(0).closes, socket(1).closes, socket(2).closes};
    socket(1).acceptConnect();
    EXPECT_EQ(bot.ActiveSocket, 1);
    EXPECT_EQ(socket(0).closes, closesBefore[0] + 1);
    EXPECT_EQ(socket(1).closes, closesBefore[1]);
    EXPECT_EQ(socket(2).closes, closesBefore[2] + 1);
    for (const auto& timer : bot.tmrKol) EXPECT_FALSE(timer->isRunning());
    EXPECT_TRUE(bot.tmrLoginTimeout->isRunning());
    const auto dials = dialCounts();
    clock.advance(5000);
    EXPECT_EQ(dialCounts(), dials);
}

TEST_F(ConnectionTest, DelayZeroNeverDialsSocketZero) {
    configure(2, 0, 300);
    Bot_Connect(bot);
    clock.advance(3000);
    EXPECT_TRUE(socket(0).dials.empty());
    EXPECT_EQ(socket(1).dials.size(), 10u);
}

TEST_F(ConnectionTest, IntervalsOutsideSixteenBitsAreClampedWithOneErrorLine) {
    configure(3, 32000, 1000);
    Bot_Connect(bot);
    EXPECT_EQ(bot.tmrKol[0]->interval(), 32000);
    EXPECT_EQ(bot.tmrKol[1]->interval(), 32767);
    EXPECT_EQ(bot.tmrKol[2]->interval(), 32767);
    const auto lines = chatLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("\"Stagger\"") != std::string::npos; }),
              1);
    bot.BotConfig.Delay = -100;
    bot.BotConfig.Stagger = 10;
    Bot_Connect(bot);
    EXPECT_EQ(bot.tmrKol[0]->interval(), 0);
}

TEST_F(ConnectionTest, BinaryConnectSendsProtocolByteAndAuthInfo) {
    configure(1, 100, 0);
    bot.BotConfig.BinaryClient = "STAR";
    Bot_Connect(bot);
    clock.advance(100);
    socket(0).acceptConnect();
    ASSERT_EQ(socket(0).sent.size(), 2u);
    EXPECT_EQ(socket(0).sent[0], std::string(1, '\x01'));
    EXPECT_EQ(socket(0).sent[1].substr(0, 4), std::string("\xFF\x50\x3A\x00", 4));
    const auto lines = chatLines();
    EXPECT_EQ(lines[lines.size() - 2], "Bot: (0) Connected!");
    EXPECT_EQ(lines.back(), "Bot: Sending SID_AUTH_INFO...");
}

TEST_F(ConnectionTest, TextConnectSendsTheLogonLinesAndKeepsSendingEmptyLines) {
    configure(1, 100, 0, false);
    bot.BotConfig.Username = "bot1";
    bot.BotConfig.Password = "pw";
    bot.BotConfig.Channel = "Home";
    bot.BotConfig.IdleDelay = 2;
    bot.CurrentName = "old";
    bot.CurrentChannel = "Prev";
    Bot_Connect(bot);
    clock.advance(100);
    socket(0).acceptConnect();
    ASSERT_EQ(socket(0).sent.size(), 1u);
    EXPECT_EQ(socket(0).sent[0],
              "\x03\x04"
              "bot1\r\npw\r\n/join Home\r\n");
    EXPECT_EQ(chatLines().back(), "Bot: Joining channel: Home.");
    EXPECT_TRUE(bot.tmrIdle->isRunning());
    EXPECT_EQ(shell.captionText,
              "Morva Chat v1.0 by Quorin [Binary Edition]; Logged in as: old in channel Prev.");
    clock.advance(150);
    EXPECT_EQ(socket(0).sent.size(), 4u);
    EXPECT_EQ(socket(0).sent[3], "\r\n");
}

TEST_F(ConnectionTest, CloseAndErrorStopTheFiveTimersClearRowsAndRaceAtOnce) {
    for (const bool byError : {false, true}) {
        configure(2, 500, 250);
        Bot_Connect(bot);
        clock.advance(500);
        socket(0).acceptConnect();
        ConnectionLoggedOn(bot);
        for (Timer* timer : lostConnectionTimers()) timer->start();
        members.append("someone", 2);
        if (byError) {
            socket(0).fail();
        } else {
            socket(0).peerClose();
        }
        for (Timer* timer : lostConnectionTimers()) EXPECT_FALSE(timer->isRunning());
        EXPECT_EQ(members.count(), 0);
        EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Disconnected.");
        EXPECT_EQ(lastChatLine(), "Bot: Connecting to: chat.test:6112.");
        EXPECT_TRUE(bot.tmrKol[0]->isRunning());
        EXPECT_TRUE(bot.tmrKol[1]->isRunning());
    }
}

TEST_F(ConnectionTest, LoginTimeoutStartsANewRaceAfterABackoff) {
    configure(1, 100, 0);
    bot.tmrLoginTimeout->setInterval(2000);
    Bot_Connect(bot);
    clock.advance(100);
    socket(0).acceptConnect();
    const std::size_t dials = socket(0).dials.size();
    clock.advance(1999);
    EXPECT_EQ(socket(0).dials.size(), dials);
    clock.advance(1);
    EXPECT_FALSE(bot.tmrLoginTimeout->isRunning());
    EXPECT_EQ(chatLines().end()[-2], "Bot: Connecting to: chat.test:6112.");
    EXPECT_EQ(lastChatLine(), "Bot: Next attempt in 1 s.");
    clock.advance(1099);
    EXPECT_EQ(socket(0).dials.size(), dials);
    clock.advance(1);
    EXPECT_EQ(socket(0).dials.size(), dials + 1) << "the old connection is closed by the re-dial";
}

TEST_F(ConnectionTest, ARefusingServerIsDialledWithGrowingGapsUpToAMinute) {
    configure(1, 100, 0);
    Bot_Connect(bot);
    std::vector<long long> dialTimes;
    socket(0).setEvents({});
    for (int refusals = 0; refusals < 12; ++refusals) {
        const std::size_t dials = socket(0).dials.size();
        while (socket(0).dials.size() == dials) clock.advance(10);
        dialTimes.push_back(clock.elapsedMs());
        sckKol_Error(bot, 0);
    }
    std::vector<long long> gaps;
    for (std::size_t i = 1; i < dialTimes.size(); ++i) gaps.push_back(dialTimes[i] - dialTimes[i - 1]);
    EXPECT_EQ(gaps, (std::vector<long long>{1100, 2100, 4100, 8100, 16100, 32100, 60100, 60100, 60100, 60100,
                                            60100}));
    EXPECT_EQ(lastChatLine(), "Bot: Next attempt in 60 s.");
}

TEST_F(ConnectionTest, ALogonResetsTheBackoffAndTheFirstRaceAfterItIsImmediate) {
    configure(1, 100, 0);
    Bot_Connect(bot);
    clock.advance(100);
    socket(0).fail();
    clock.advance(1100);
    socket(0).fail();
    EXPECT_EQ(bot.ReconnectBackoffMs, 2000);
    clock.advance(2100);
    socket(0).acceptConnect();
    ConnectionLoggedOn(bot);
    socket(0).peerClose();
    EXPECT_EQ(bot.ReconnectBackoffMs, 0);
    EXPECT_EQ(lastChatLine(), "Bot: Connecting to: chat.test:6112.");
    const std::size_t dials = socket(0).dials.size();
    clock.advance(100);
    EXPECT_EQ(socket(0).dials.size(), dials + 1);
}

TEST_F(ConnectionTest, DisconnectClosesTheConnectedSocketWithoutANewRace) {
    configure(2, 100, 100);
    Bot_Connect(bot);
    clock.advance(100);
    socket(0).acceptConnect();
    members.append("someone", 2);
    const int closes = socket(0).closes;
    Bot_Disconnect(bot);
    EXPECT_EQ(socket(0).closes, closes + 1);
    EXPECT_EQ(members.count(), 0);
    EXPECT_EQ(lastChatLine(), "Disconnected from the server.");
    EXPECT_EQ(chat.runs().back().first, ColorRed);
    clock.advance(10000);
    for (FakeSocket* s : sockets.made) EXPECT_LE(s->dials.size(), 1u);
}

TEST_F(ConnectionTest, SendChatBinaryStripsLineEndsIntoAChatCommand) {
    configure(1, 100, 0);
    Bot_Connect(bot);
    clock.advance(100);
    socket(0).acceptConnect();
    socket(0).sent.clear();
    SendChat(bot, "hi\r\n", 0);
    ASSERT_EQ(socket(0).sent.size(), 1u);
    EXPECT_EQ(socket(0).sent[0], std::string("\xFF\x0E\x07\x00hi\x00", 7));
}

TEST_F(ConnectionTest, SendChatRefusesALineTooLongForOnePacket) {
    configure(1, 100, 0);
    Bot_Connect(bot);
    clock.advance(100);
    socket(0).acceptConnect();
    socket(0).sent.clear();
    SendChat(bot, std::string(32762, 'x'), 0);
    EXPECT_EQ(socket(0).sent.size(), 1u) << "32762 bytes and the NUL fill the largest packet";
    SendChat(bot, std::string(32763, 'x'), 0);
    EXPECT_EQ(socket(0).sent.size(), 1u);
    EXPECT_EQ(lastChatLine(), "Bot: A chat line of 32763 bytes is too long for one packet; it was not sent.");
}

TEST_F(ConnectionTest, NothingIsSentOnASocketThatIsNotConnected) {
    configure(1, 100, 0, false);
    SendChat(bot, "hello\r\n", 0);
    SendChat(bot, "hello\r\n", 5);
    EXPECT_TRUE(socket(0).sent.empty());
}

// Framing: what reaches the packet handler is seen through SID_LOGONRESPONSE2 replies, which each
// print a line.
class FramingTest : public ConnectionTest {
protected:
    void SetUp() override {
        configure(1, 100, 0);
        Bot_Connect(bot);
        clock.advance(100);
        socket(0).acceptConnect();
        chat.clear();
    }
    static std::string logonReply(char status) {
        return std::string("\xFF\x3A\x08\x00", 4) + status + std::string(3, '\0');
    }
};

TEST_F(FramingTest, TwoPacketsInOneReadAreBothHandledInOrder) {
    socket(0).receive(logonReply(1) + logonReply(2));
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{"Bot: Recv SID_LOGONRESPONS2.", "Error: Account does not exist.",
                                        "Bot: Recv SID_LOGONRESPONS2.", "Error: Invalid password."}));
}

TEST_F(FramingTest, APacketOverTwoReadsIsHandledWhenWhole) {
    const std::string packet = logonReply(2);
    socket(0).receive(packet.substr(0, 3));
    socket(0).receive(packet.substr(3, 3));
    EXPECT_TRUE(chat.text().empty());
    socket(0).receive(packet.substr(6));
    EXPECT_EQ(chatLines().back(), "Error: Invalid password.");
}

TEST_F(FramingTest, AFourBytePacketWaitsForMoreData) {
    socket(0).receive(std::string("\xFF\x25\x04\x00", 4));
    EXPECT_EQ(bot.RecvBuffer.size(), 4u);
    socket(0).receive(logonReply(2));
    EXPECT_EQ(chatLines().back(), "Error: Invalid password.");
    EXPECT_TRUE(bot.RecvBuffer.empty());
}

TEST_F(FramingTest, ABadLengthBreaksTheConnectionWithOneLineAndANewRace) {
    for (const std::string& length :
         {std::string("\x02\x00", 2), std::string("\x00\x80", 2), std::string("\xFF\xFF", 2)}) {
        chat.clear();
        socket(0).acceptConnect();
        ConnectionLoggedOn(bot);
        chat.clear();
        const int closes = socket(0).closes;
        socket(0).receive("\xFF\x0F" + length + std::string(10, 'x'));
        const auto lines = chatLines();
        ASSERT_EQ(lines.size(), 2u) << lines.front();
        EXPECT_NE(lines[0].find("packet length"), std::string::npos);
        EXPECT_EQ(lines[1], "Bot: Connecting to: chat.test:6112.");
        EXPECT_EQ(socket(0).closes, closes + 1);
        EXPECT_TRUE(bot.RecvBuffer.empty());
        EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Disconnected.");
    }
}

TEST_F(FramingTest, AHalfPacketOfADroppedConnectionDoesNotPoisonTheNext) {
    socket(0).receive(std::string("\xFF\x3A\x08\x00\x02", 5));
    socket(0).peerClose();
    clock.advance(100);
    socket(0).acceptConnect();
    chat.clear();
    socket(0).receive(logonReply(2));
    EXPECT_EQ(chatLines().back(), "Error: Invalid password.");
}

TEST(StrToHex, WritesABlankAndTwoUpperCaseDigitsPerByte) {
    EXPECT_EQ(StrToHex(std::string("\x1A\x05", 2)), " 1A 05");
    EXPECT_EQ(StrToHex(std::string("\xFF\x00", 2)), " FF 00");
    EXPECT_EQ(StrToHex(""), "");
}

}  // namespace
}  // namespace morva::testing
