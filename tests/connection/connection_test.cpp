#include "connection/connection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

#include "output/palette.h"
#include "support/bot_fixture.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

class ConnectionTest : public BotFixture {
protected:
    void configure(int socks, int delay, int stagger, bool binary = true) {
        config.Server = "chat.test";
        config.Port = 6112;
        config.Socks = static_cast<std::int16_t>(socks);
        config.Delay = static_cast<std::int16_t>(delay);
        config.Stagger = static_cast<std::int16_t>(stagger);
        config.Binary = binary;
        config.LoginTimeout = 10000;
        bot.connection.Bot_LoadSockets();
    }
    FakeSocket& socket(int i) { return *sockets.made.at(static_cast<std::size_t>(i)); }
    std::vector<std::size_t> dialCounts() {
        std::vector<std::size_t> counts;
        for (FakeSocket* s : sockets.made) counts.push_back(s->dials.size());
        return counts;
    }
    std::size_t allDials() {
        const auto counts = dialCounts();
        return std::accumulate(counts.begin(), counts.end(), std::size_t{0});
    }
    const Timer& raceTimer(int i) { return bot.connection.raceTimer(i); }
    Connection::State state() { return bot.connection.state(); }
    // Socket i wins the race and the server accepts the binary logon.
    void logOn(int i) {
        socket(i).acceptConnect();
        socket(i).receive(AuthInfoReply(7) + LogonReply(0));
    }
    long long waitForDial(int i) {
        const std::size_t dials = socket(i).dials.size();
        while (socket(i).dials.size() == dials) clock.advance(10);
        return clock.elapsedMs();
    }
};

TEST_F(ConnectionTest, LoadSocketsMakesSocksConnectionsAndSaysSo) {
    configure(3, 500, 250);
    EXPECT_EQ(bot.connection.socketCount(), 3);
    EXPECT_EQ(lastChatLine(), "Bot: Using 3 socket(s) for connection.");
}

TEST_F(ConnectionTest, ZeroSocksStillUsesSocketZero) {
    configure(0, 500, 250);
    EXPECT_EQ(bot.connection.socketCount(), 1);
    EXPECT_EQ(lastChatLine(), "Bot: Using 0 socket(s) for connection.");
}

TEST_F(ConnectionTest, SocksAboveSixteenOpensSixteenWithOneErrorLine) {
    configure(100, 500, 10);
    EXPECT_EQ(bot.connection.socketCount(), 16);
    EXPECT_EQ(sockets.made.size(), 16u);
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{"Bot: config.bot asks for 100 sockets; at most 16 are used.",
                                        "Bot: Using 16 socket(s) for connection."}));
    EXPECT_EQ(chat.paneLines().front().runs.front().color, ColorError);
    bot.connection.Bot_Connect();
    clock.advance(500 + 15 * 10);
    EXPECT_EQ(dialCounts(), std::vector<std::size_t>(16, 1));
}

TEST_F(ConnectionTest, RaceDialsEachSocketOnItsOwnStaggeredTimer) {
    configure(3, 500, 250);
    bot.connection.Bot_Connect();
    EXPECT_EQ(lastChatLine(), "Bot: Connecting to: chat.test:6112.");
    EXPECT_EQ(raceTimer(0).interval(), 500);
    EXPECT_EQ(raceTimer(1).interval(), 750);
    EXPECT_EQ(raceTimer(2).interval(), 1000);
    clock.advance(499);
    EXPECT_EQ(dialCounts(), (std::vector<std::size_t>{0, 0, 0})) << "nothing is dialled before its timer";
    clock.advance(1);
    EXPECT_EQ(dialCounts(), (std::vector<std::size_t>{1, 0, 0}));
    clock.advance(500);
    EXPECT_EQ(dialCounts(), (std::vector<std::size_t>{2, 1, 1}));
    EXPECT_EQ(socket(0).dials[0], "chat.test:6112");
    EXPECT_GE(socket(0).closes, 2) << "each re-dial closes first";
}

TEST_F(ConnectionTest, TheWinnerKeepsItsSocketAndTheRaceStops) {
    configure(3, 500, 250);
    bot.connection.Bot_Connect();
    clock.advance(1000);
    const int closesBefore[3] = {socket(0).closes, socket(1).closes, socket(2).closes};
    socket(1).acceptConnect();
    EXPECT_EQ(bot.connection.ActiveSocket(), 1);
    EXPECT_EQ(state(), Connection::State::Connected);
    EXPECT_EQ(socket(0).closes, closesBefore[0] + 1);
    EXPECT_EQ(socket(1).closes, closesBefore[1]);
    EXPECT_EQ(socket(2).closes, closesBefore[2] + 1);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(raceTimer(i).isRunning());
    EXPECT_TRUE(bot.connection.loginTimeoutTimer().isRunning());
    const auto dials = dialCounts();
    clock.advance(5000);
    EXPECT_EQ(dialCounts(), dials);
}

TEST_F(ConnectionTest, DelayZeroNeverDialsSocketZero) {
    configure(2, 0, 300);
    bot.connection.Bot_Connect();
    clock.advance(3000);
    EXPECT_TRUE(socket(0).dials.empty());
    EXPECT_EQ(socket(1).dials.size(), 10u);
}

TEST_F(ConnectionTest, IntervalsOutsideSixteenBitsAreClampedWithOneErrorLine) {
    configure(3, 32000, 1000);
    bot.connection.Bot_Connect();
    EXPECT_EQ(raceTimer(0).interval(), 32000);
    EXPECT_EQ(raceTimer(1).interval(), 32767);
    EXPECT_EQ(raceTimer(2).interval(), 32767);
    const auto lines = chatLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("\"Stagger\"") != std::string::npos; }),
              1);
    config.Delay = -100;
    config.Stagger = 10;
    bot.connection.Bot_Connect();
    EXPECT_EQ(raceTimer(0).interval(), 0);
}

TEST_F(ConnectionTest, BinaryConnectSendsProtocolByteAndAuthInfo) {
    configure(1, 100, 0);
    config.BinaryClient = "STAR";
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).acceptConnect();
    ASSERT_EQ(socket(0).sent.size(), 2u);
    EXPECT_EQ(socket(0).sent[0], std::string(1, '\x01'));
    EXPECT_EQ(socket(0).sent[1].substr(0, 4), std::string("\xFF\x50\x3A\x00", 4));
    const auto lines = chatLines();
    EXPECT_EQ(lines[lines.size() - 2], "Bot: (0) Connected!");
    EXPECT_EQ(lines.back(), "Bot: Sending SID_AUTH_INFO...");
}

TEST_F(ConnectionTest, TextConnectSendsTheLogonLinesAndKeepsSendingEmptyLinesUntilLoggedOn) {
    configure(1, 100, 0, false);
    config.Username = "bot1";
    config.Password = "pw";
    config.Channel = "Home";
    config.IdleDelay = 2;
    bot.chat.CurrentName = "old";
    bot.chat.CurrentChannel = "Prev";
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).acceptConnect();
    ASSERT_EQ(socket(0).sent.size(), 1u);
    EXPECT_EQ(socket(0).sent[0],
              "\x03\x04"
              "bot1\r\npw\r\n/join Home\r\n");
    EXPECT_EQ(chatLines().back(), "Bot: Joining channel: Home.");
    EXPECT_TRUE(bot.window.tmrIdle->isRunning());
    EXPECT_EQ(shell.captionText,
              "Morva Chat v1.0 by Quorin [Binary Edition]; Logged in as: old in channel Prev.");
    clock.advance(150);
    EXPECT_EQ(socket(0).sent.size(), 4u);
    EXPECT_EQ(socket(0).sent[3], "\r\n");
    socket(0).receive("2010 NAME bot1\r\n");
    EXPECT_EQ(state(), Connection::State::LoggedOn);
    EXPECT_FALSE(bot.connection.loginTickTimer().isRunning());
    EXPECT_FALSE(bot.connection.loginTimeoutTimer().isRunning());
    clock.advance(500);
    EXPECT_EQ(socket(0).sent.size(), 4u);
}

TEST_F(ConnectionTest, CloseAndErrorStopTheTimersClearTheMembersAndRaceAgain) {
    for (const bool byError : {false, true}) {
        configure(2, 500, 250);
        bot.connection.Bot_Connect();
        clock.advance(500);
        logOn(0);
        clock.advance(Connection::StableLogonMs);
        bot.window.tmrIdle->start();
        bot.chat.capture.open();
        bot.census.ChannelLogList = {"a"};
        bot.census.StartCensus();
        AddUser(bot.chat, "someone", "0000", "[CHAT]");
        if (byError) {
            socket(0).fail();
        } else {
            socket(0).peerClose();
        }
        EXPECT_FALSE(bot.window.tmrIdle->isRunning());
        EXPECT_FALSE(bot.chat.capture.isOpen());
        EXPECT_FALSE(bot.census.timer().isRunning());
        EXPECT_FALSE(bot.connection.loginTimeoutTimer().isRunning());
        EXPECT_EQ(members.count(), 0);
        EXPECT_TRUE(bot.chat.ChannelUsers.empty());
        EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Disconnected.");
        EXPECT_EQ(lastChatLine(), "Bot: Connecting to: chat.test:6112.")
            << "a logon that worked reconnects at once";
        EXPECT_TRUE(raceTimer(0).isRunning());
        EXPECT_TRUE(raceTimer(1).isRunning());
    }
}

enum class Fault { Refused, HostNotFound, NoAnswer, ClosedByTheServer, Reset };

struct FailureCase {
    const char* name;
    Fault fault;
    std::string line;
};

class EveryConnectionFailure : public ConnectionTest, public ::testing::WithParamInterface<FailureCase> {
protected:
    void SetUp() override { configure(1, 500, 0); }
    void happen(Fault fault) {
        waitForDial(0);
        switch (fault) {
            case Fault::Refused:
                return socket(0).fail(10061, "Connection refused");
            case Fault::HostNotFound:
                return socket(0).fail(2, "Host not found");
            case Fault::NoAnswer:
                for (int attempt = 0; attempt < 3; ++attempt) waitForDial(0);
                return;
            case Fault::ClosedByTheServer:
                logOn(0);
                clock.advance(134000);
                return socket(0).peerClose();
            case Fault::Reset:
                logOn(0);
                clock.advance(5000);
                return socket(0).fail(1, "Connection reset by peer");
        }
    }
};

TEST_P(EveryConnectionFailure, SaysWhyInOneErrorLine) {
    bot.connection.Bot_Connect();
    chat.clear();
    happen(GetParam().fault);
    const auto lines = chatLines();
    EXPECT_EQ(std::ranges::count(lines, GetParam().line), 1) << ::testing::PrintToString(lines);
    const auto errors = std::ranges::count_if(chat.paneLines(), [](const PaneLine& line) {
        return !line.runs.empty() && line.runs.front().color == ColorError;
    });
    EXPECT_EQ(errors, 1) << ::testing::PrintToString(lines);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, EveryConnectionFailure,
    ::testing::Values(FailureCase{"Refused", Fault::Refused,
                                  "Bot: (0) Could not connect to chat.test:6112: Connection refused."},
                      FailureCase{"HostNotFound", Fault::HostNotFound,
                                  "Bot: (0) Could not connect to chat.test:6112: Host not found."},
                      FailureCase{"NoAnswer", Fault::NoAnswer,
                                  "Bot: (0) No answer from chat.test:6112 within 500 ms; dialing again."},
                      FailureCase{"ClosedByTheServer", Fault::ClosedByTheServer,
                                  "Bot: The connection ended after 2 min 14 s: closed by the server."},
                      FailureCase{"Reset", Fault::Reset,
                                  "Bot: The connection ended after 5 s: Connection reset by peer."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConnectionTest, WithoutAServerOrAPortNothingIsDialled) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[this] { config.Server.clear(); },
         "Bot: Not connecting, no server: set Server= in section [Profile] of config.bot, then Reconnect."},
        {[this] { config.Port = 0; },
         "Bot: Not connecting, no port: set Port= (1 to 65535) in section [Profile] of config.bot, then "
         "Reconnect."},
    };
    for (const auto& [unset, line] : cases) {
        configure(1, 100, 0);
        unset();
        chat.clear();
        bot.connection.Bot_Connect();
        clock.advance(120000);
        EXPECT_EQ(allDials(), 0u);
        EXPECT_EQ(state(), Connection::State::Idle);
        EXPECT_EQ(chatLines(), std::vector<std::string>{line});
    }
}

TEST_F(ConnectionTest, AfterDisconnectTheCaptionAndTheLabelSaySo) {
    configure(1, 100, 0);
    bot.connection.Bot_Connect();
    waitForDial(0);
    logOn(0);
    shell.setChannelLabel("Lobby [3]");
    bot.connection.Bot_Disconnect();
    EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Disconnected.");
    EXPECT_EQ(shell.channelLabel, "Not connected");
}

TEST_F(ConnectionTest, ALoginTimeoutClosesTheConnectionAndRacesAfterABackoff) {
    configure(1, 100, 0);
    config.LoginTimeout = 2000;
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).acceptConnect();
    const std::size_t dials = socket(0).dials.size();
    const int closes = socket(0).closes;
    clock.advance(1999);
    EXPECT_EQ(socket(0).closes, closes);
    clock.advance(1);
    EXPECT_EQ(socket(0).closes, closes + 1) << "the timed-out connection is closed at once";
    EXPECT_EQ(state(), Connection::State::WaitingToRetry);
    EXPECT_EQ(chatLines().end()[-3], "Bot: No answer to the logon from chat.test:6112 within 2000 ms.");
    EXPECT_EQ(chatLines().end()[-2], "Bot: Connecting to: chat.test:6112.");
    EXPECT_EQ(lastChatLine(), "Bot: Next attempt in 1 s.");
    // A logon that arrives late on the closed connection is not taken.
    socket(0).receive(AuthInfoReply(1) + LogonReply(0));
    EXPECT_EQ(state(), Connection::State::WaitingToRetry);
    clock.advance(1099);
    EXPECT_EQ(socket(0).dials.size(), dials);
    clock.advance(1);
    EXPECT_EQ(socket(0).dials.size(), dials + 1);
}

TEST_F(ConnectionTest, ARefusingServerIsDialledWithGrowingGapsUpToAMinute) {
    configure(1, 100, 0);
    bot.connection.Bot_Connect();
    std::vector<long long> dialTimes;
    for (int refusals = 0; refusals < 12; ++refusals) {
        dialTimes.push_back(waitForDial(0));
        socket(0).fail();
    }
    std::vector<long long> gaps;
    for (std::size_t i = 1; i < dialTimes.size(); ++i) gaps.push_back(dialTimes[i] - dialTimes[i - 1]);
    EXPECT_EQ(gaps, (std::vector<long long>{1100, 2100, 4100, 8100, 16100, 32100, 60100, 60100, 60100, 60100,
                                            60100}));
    EXPECT_EQ(lastChatLine(), "Bot: Next attempt in 60 s.");
}

TEST_F(ConnectionTest, OneRefusedSocketDoesNotEndTheRaceOfTheOthers) {
    configure(2, 100, 100);
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).fail();
    EXPECT_EQ(state(), Connection::State::Racing);
    EXPECT_FALSE(raceTimer(0).isRunning()) << "the refused socket waits for the next race";
    clock.advance(100);
    EXPECT_EQ(dialCounts(), (std::vector<std::size_t>{1, 1}));
    logOn(1);
    EXPECT_EQ(state(), Connection::State::LoggedOn);
    const int closes = socket(1).closes;
    clock.advance(60000);
    EXPECT_EQ(state(), Connection::State::LoggedOn);
    EXPECT_EQ(socket(1).closes, closes) << "the logged-on session is kept";
    EXPECT_EQ(allDials(), 2u);
    socket(1).receive(ChatEventPacket(0x05, 0, 0, "Joe", "still here"));
    EXPECT_EQ(lastChatLine(), "Joe: still here");
}

TEST_F(ConnectionTest, ARaceEndsWhenEverySocketOfItFailed) {
    configure(2, 100, 100);
    bot.connection.Bot_Connect();
    clock.advance(200);
    socket(1).fail();
    EXPECT_EQ(state(), Connection::State::Racing);
    socket(0).fail();
    EXPECT_EQ(state(), Connection::State::WaitingToRetry);
    EXPECT_EQ(lastChatLine(), "Bot: Next attempt in 1 s.");
    EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Disconnected.");
}

TEST_F(ConnectionTest, DisconnectDuringABackoffDialsNothing) {
    configure(2, 100, 100);
    bot.connection.Bot_Connect();
    clock.advance(200);
    socket(0).fail();
    socket(1).fail();
    ASSERT_EQ(lastChatLine(), "Bot: Next attempt in 1 s.");
    const std::size_t dials = allDials();
    bot.connection.Bot_Disconnect();
    EXPECT_EQ(state(), Connection::State::Idle);
    clock.advance(10000);
    EXPECT_EQ(allDials(), dials);
    EXPECT_EQ(lastChatLine(), "Disconnected from the server.");
}

TEST_F(ConnectionTest, DisconnectWhileRacingStopsTheRace) {
    configure(2, 100, 100);
    bot.connection.Bot_Connect();
    clock.advance(100);
    const std::size_t dials = allDials();
    bot.connection.Bot_Disconnect();
    clock.advance(10000);
    EXPECT_EQ(allDials(), dials);
}

TEST_F(ConnectionTest, ASessionEndedSoonAfterItsLogonRaisesTheBackoff) {
    configure(1, 100, 0);
    bot.connection.Bot_Connect();
    std::vector<int> waits;
    for (int round = 0; round < 4; ++round) {
        waitForDial(0);
        logOn(0);
        clock.advance(1000);
        socket(0).peerClose();
        waits.push_back(bot.connection.backoffMs());
    }
    EXPECT_EQ(waits, (std::vector<int>{1000, 2000, 4000, 8000}));
    EXPECT_EQ(lastChatLine(), "Bot: Next attempt in 8 s.");
}

TEST_F(ConnectionTest, ALogonThatLastedResetsTheBackoffAndTheNextRaceIsImmediate) {
    configure(1, 100, 0);
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).fail();
    waitForDial(0);
    socket(0).fail();
    EXPECT_EQ(bot.connection.backoffMs(), 2000);
    waitForDial(0);
    logOn(0);
    clock.advance(Connection::StableLogonMs);
    socket(0).peerClose();
    EXPECT_EQ(bot.connection.backoffMs(), 0);
    EXPECT_EQ(lastChatLine(), "Bot: Connecting to: chat.test:6112.");
    const std::size_t dials = socket(0).dials.size();
    clock.advance(100);
    EXPECT_EQ(socket(0).dials.size(), dials + 1);
}

TEST_F(ConnectionTest, ReconnectClosesTheSessionAndRacesAtOnce) {
    configure(1, 100, 0);
    bot.connection.Bot_Connect();
    clock.advance(100);
    logOn(0);
    const int closes = socket(0).closes;
    bot.connection.Bot_Connect();
    EXPECT_EQ(socket(0).closes, closes + 1);
    EXPECT_EQ(state(), Connection::State::Racing);
    EXPECT_EQ(lastChatLine(), "Bot: Connecting to: chat.test:6112.");
    EXPECT_NE(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Disconnected.");
}

TEST_F(ConnectionTest, DisconnectClosesTheConnectedSocketWithoutANewRace) {
    configure(2, 100, 100);
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).acceptConnect();
    AddUser(bot.chat, "someone", "0000", "[CHAT]");
    const int closes = socket(0).closes;
    bot.connection.Bot_Disconnect();
    EXPECT_EQ(socket(0).closes, closes + 1);
    EXPECT_EQ(members.count(), 0);
    EXPECT_EQ(lastChatLine(), "Disconnected from the server.");
    EXPECT_EQ(chat.paneLines().back().runs.back().color, ColorRed);
    clock.advance(10000);
    for (FakeSocket* s : sockets.made) EXPECT_LE(s->dials.size(), 1u);
}

TEST_F(ConnectionTest, SendChatBinaryStripsLineEndsIntoAChatCommand) {
    configure(1, 100, 0);
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).acceptConnect();
    socket(0).sent.clear();
    bot.connection.SendChat("hi\r\n");
    ASSERT_EQ(socket(0).sent.size(), 1u);
    EXPECT_EQ(socket(0).sent[0], std::string("\xFF\x0E\x07\x00hi\x00", 7));
}

TEST_F(ConnectionTest, SendChatRefusesALineTooLongForOnePacket) {
    configure(1, 100, 0);
    bot.connection.Bot_Connect();
    clock.advance(100);
    socket(0).acceptConnect();
    socket(0).sent.clear();
    EXPECT_TRUE(bot.connection.SendChat(std::string(32762, 'x')));
    EXPECT_EQ(socket(0).sent.size(), 1u) << "32762 bytes and the NUL fill the largest packet";
    EXPECT_FALSE(bot.connection.SendChat(std::string(32763, 'x')));
    EXPECT_EQ(socket(0).sent.size(), 1u);
    EXPECT_EQ(lastChatLine(), "Bot: A chat line of 32763 bytes is too long for one packet; it was not sent.");
}

TEST_F(ConnectionTest, NothingIsSentWhileNoConnectionIsUp) {
    configure(1, 100, 0, false);
    EXPECT_FALSE(bot.connection.SendChat("hello\r\n"));
    bot.connection.SendChatNow("hello\r\n");
    EXPECT_TRUE(socket(0).sent.empty());
}

TEST_F(ConnectionTest, DataThatArrivesWhileEarlierDataIsHandledWaitsItsTurn) {
    configure(1, 100, 0);
    config.Trigger = "!";
    config.Master = "Boss";
    bot.connection.Bot_Connect();
    clock.advance(100);
    logOn(0);
    chat.clear();
    // The trigger's answer goes out while the event is handled; the server answers at once.
    bool answered = false;
    socket(0).onSend = [&](const std::string&) {
        if (answered) return;
        answered = true;
        socket(0).receive(ChatEventPacket(0x05, 0, 0, "Joe", "second"));
    };
    socket(0).receive(ChatEventPacket(0x05, 0, 0, "Boss", "!say hi") +
                      ChatEventPacket(0x05, 0, 0, "Jim", "third"));
    EXPECT_EQ(chatLines(), (std::vector<std::string>{"Boss: !say hi", "Jim: third", "Joe: second"}));
}

// Framing: what reaches the packet handler is seen through talk events, which each print a line.
class FramingTest : public ConnectionTest {
protected:
    void SetUp() override {
        configure(1, 100, 0);
        bot.connection.Bot_Connect();
        clock.advance(100);
        socket(0).acceptConnect();
        chat.clear();
    }
};

std::string Talk(const std::string& text) {
    return ChatEventPacket(0x05, 0x10, 30, "Joe", text);
}

TEST_F(FramingTest, TwoPacketsInOneReadAreBothHandledInOrder) {
    socket(0).receive(Talk("one") + Talk("two"));
    EXPECT_EQ(chatLines(), (std::vector<std::string>{"Joe: one", "Joe: two"}));
}

TEST_F(FramingTest, APacketOverSeveralReadsIsHandledWhenWhole) {
    const std::string packet = Talk("two");
    socket(0).receive(packet.substr(0, 3));
    socket(0).receive(packet.substr(3, 3));
    EXPECT_TRUE(chat.paneLines().empty());
    socket(0).receive(packet.substr(6));
    EXPECT_EQ(chatLines().back(), "Joe: two");
}

TEST_F(FramingTest, AFourBytePacketWaitsForMoreData) {
    socket(0).receive(std::string("\xFF\x25\x04\x00", 4));
    socket(0).receive(Talk("two"));
    EXPECT_EQ(chatLines().back(), "Joe: two");
}

TEST_F(FramingTest, ABadLengthBreaksTheConnectionWithOneLineAndANewRace) {
    for (const std::string& length :
         {std::string("\x02\x00", 2), std::string("\x00\x80", 2), std::string("\xFF\xFF", 2)}) {
        waitForDial(0);
        logOn(0);
        clock.advance(Connection::StableLogonMs);
        chat.clear();
        const int closes = socket(0).closes;
        socket(0).receive("\xFF\x0F" + length + std::string(10, 'x'));
        const auto lines = chatLines();
        ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
        EXPECT_NE(lines[0].find("packet length"), std::string::npos);
        EXPECT_EQ(lines[1], "Bot: Connecting to: chat.test:6112.");
        EXPECT_EQ(socket(0).closes, closes + 1);
        EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Disconnected.");
    }
}

TEST_F(FramingTest, AHalfPacketOfADroppedConnectionDoesNotPoisonTheNext) {
    socket(0).receive(std::string("\xFF\x3A\x08\x00\x02", 5));
    socket(0).peerClose();
    waitForDial(0);
    socket(0).acceptConnect();
    chat.clear();
    socket(0).receive(Talk("two"));
    EXPECT_EQ(chatLines().back(), "Joe: two");
}

}  // namespace
}  // namespace morva::testing
