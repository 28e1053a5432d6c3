#include <gtest/gtest.h>

#include <functional>

#include "connection/connection.h"
#include "output/palette.h"
#include "sessions/double_hash.h"
#include "support/bot_fixture.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

class LogonTest : public BotFixture {
protected:
    void SetUp() override {
        config.Binary = true;
        config.Username = "bot1";
        config.Password = "Secret";
        config.Channel = "Op Test";
        config.BinaryClient = "star";
        config.Server = "chat.test";
        config.Port = 6112;
        config.Delay = 100;
        config.LoginTimeout = 10000;
        bot.connection.Bot_Connect();
        clock.advance(100);
        server().acceptConnect();
    }
    FakeSocket& server() { return *sockets.made[0]; }
    void clearAway() {
        server().sent.clear();
        chat.clear();
    }
};

TEST_F(LogonTest, AuthInfoIsFiftyFourBytesWithTheProductReversed) {
    ASSERT_EQ(server().sent.size(), 2u);
    const std::string body =
        Dword(0) + "68XI" + "RATS" + std::string(24, '\0') + "USA" + '\0' + "United States" + '\0';
    ASSERT_EQ(body.size(), 54u);
    EXPECT_EQ(server().sent[1], Packet('\x50', body));
    EXPECT_EQ(server().sent[1].substr(2, 2), std::string("\x3A\x00", 2));
}

TEST_F(LogonTest, AuthInfoReplySendsProofAndJoinAndStopsTheTimeout) {
    clearAway();
    EXPECT_TRUE(bot.connection.loginTimeoutTimer().isRunning());
    receive(AuthInfoReply(0xDEADBEEF));
    EXPECT_FALSE(bot.connection.loginTimeoutTimer().isRunning());
    ASSERT_EQ(server().sent.size(), 2u);
    EXPECT_EQ(server().sent[0],
              Packet('\x3A', Dword(0) + Dword(0xDEADBEEF) + DoubleHash("secret", 0xDEADBEEF) + "bot1" + '\0'))
        << "the proof is made from the lower-cased password";
    EXPECT_EQ(server().sent[1], Packet('\x0C', Dword(2) + "Op Test" + '\0'));
    EXPECT_EQ(server().sent[1].size(), 16u);
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{"Bot: Recv SID_AUTH_INFO.", "Bot: Sending SID_LOGONRESPONSE2...",
                                        "Bot: Sending SID_JOINCHANNEL..."}));
}

TEST_F(LogonTest, AuthCheckResultDecidesWhetherToLogOn) {
    clearAway();
    receive(Packet('\x51', Dword(0)));
    EXPECT_EQ(server().sent.size(), 2u);
    clearAway();
    receive(Packet('\x51', Dword(0x101)));
    EXPECT_TRUE(server().sent.empty());
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{"Bot: Recv SID_AUTH_INFO.", "Bot: Failed SID_AUTH_INFO."}));
}

TEST_F(LogonTest, AnUnknownLogonReplyKeepsWaiting) {
    clearAway();
    receive(LogonReply(7));
    EXPECT_EQ(chatLines(), std::vector<std::string>{"Bot: Recv SID_LOGONRESPONS2."});
    EXPECT_TRUE(server().sent.empty());
    EXPECT_EQ(bot.chat.CurrentName, "");
    EXPECT_EQ(bot.connection.state(), Connection::State::Connected);
}

// Trying again would only be refused again, and servers ban an address that keeps trying.
TEST_F(LogonTest, ARefusedLogonSaysWhichKeyToCheckAndStopsReconnecting) {
    const std::pair<std::uint32_t, std::vector<std::string>> cases[] = {
        {1,
         {"Bot: Recv SID_LOGONRESPONS2.", "Error: Account does not exist.",
          "Bot: The server refused the logon of \"bot1\"; check Username= in section [Profile] of "
          "config.bot, "
          "then Reconnect."}},
        {2,
         {"Bot: Recv SID_LOGONRESPONS2.", "Error: Invalid password.",
          "Bot: The server refused the logon of \"bot1\"; check Password= in section [Profile] of "
          "config.bot, "
          "then Reconnect."}},
    };
    for (const auto& [status, lines] : cases) {
        bot.connection.Bot_Connect();
        sockets.made[0]->acceptConnect();
        clearAway();
        receive(LogonReply(status));
        EXPECT_EQ(chatLines(), lines) << status;
        EXPECT_EQ(bot.connection.state(), Connection::State::Idle);
        EXPECT_EQ(shell.captionText, "Morva Chat v1.0 by Quorin [Binary Edition]; Logon refused.");
        const std::size_t dials = sockets.made[0]->dials.size();
        clock.advance(120000);
        EXPECT_EQ(sockets.made[0]->dials.size(), dials) << "no dialing until Reconnect";
    }
}

TEST_F(LogonTest, LoggedOnSetsTheNameAndStartsIdleAndCensus) {
    clearAway();
    config.IdleDelay = 3;
    config.Channels = 1;
    profile.write("config.bot", "[Channels Log]\r\nChannels=1\r\nChannel1=lobby\r\n");
    bot.census.CensusIndex = 5;
    receive(LogonReply(0));
    EXPECT_EQ(chatLines(), (std::vector<std::string>{"Bot: Recv SID_LOGONRESPONS2.", "Bot: Logged on."}));
    EXPECT_EQ(bot.connection.state(), Connection::State::LoggedOn);
    EXPECT_EQ(bot.chat.CurrentName, "bot1");
    EXPECT_TRUE(bot.window.tmrIdle->isRunning());
    EXPECT_TRUE(bot.census.timer().isRunning());
    EXPECT_EQ(bot.census.CensusIndex, 0);
    EXPECT_EQ(bot.census.ChannelLogList, std::vector<std::string>{"lobby"});
}

TEST_F(LogonTest, ShortLogonReplyReadsAsSuccessAndIdleStaysOffWithoutDelay) {
    bot.window.tmrIdle->start();
    receive(Packet('\x3A', std::string(2, '\0')));
    EXPECT_EQ(bot.chat.CurrentName, "bot1");
    EXPECT_FALSE(bot.window.tmrIdle->isRunning());
    EXPECT_FALSE(bot.census.timer().isRunning());
}

TEST_F(LogonTest, PingAndUnknownPacketsChangeNothing) {
    clearAway();
    receive(Packet('\x25', Dword(1234)) + Packet('\x00', "") + Packet('\x59', ""));
    EXPECT_TRUE(server().sent.empty());
    EXPECT_TRUE(chat.paneLines().empty());
}

TEST_F(LogonTest, ChatEventsReachTheEventProcessor) {
    clearAway();
    bot.chat.CurrentName = "bot1";
    receive(ChatEventPacket(0x07, 0, 0, "", "Op Test"));
    EXPECT_EQ(chatLines(), std::vector<std::string>{"Joined channel: Op Test"});
    EXPECT_EQ(bot.chat.CurrentChannel, "Op Test");
    receive(Packet('\x0F', "short"));
    EXPECT_EQ(chatLines().size(), 1u);
}

// A join from a kick or ban notice must never reach a socket that is not up.
class JoinNotConnected : public BotFixture,
                         public ::testing::WithParamInterface<std::function<void(FakeSocket&)>> {};

TEST_P(JoinNotConnected, IsNotSent) {
    config.Binary = true;
    bot.connection.Bot_Connect();
    FakeSocket& socket = *sockets.made[0];
    GetParam()(socket);
    ASSERT_NE(socket.state(), Socket::Connected);
    socket.sent.clear();
    bot.connection.SendJoinChannel("Op Test");
    EXPECT_TRUE(socket.sent.empty());
}

INSTANTIATE_TEST_SUITE_P(States, JoinNotConnected,
                         ::testing::Values([](FakeSocket&) {},
                                           [](FakeSocket& s) { s.connectTo("127.0.0.1", 6112); },
                                           [](FakeSocket& s) {
                                               s.acceptConnect();
                                               s.fail();
                                           },
                                           [](FakeSocket& s) {
                                               s.acceptConnect();
                                               s.peerClose();
                                           }));

// A friend-added message: marker, 16-bit length, account, two status bytes, product, location.
std::string FriendAddedMessage(const std::string& account, const std::string& product,
                               const std::string& location) {
    const std::string body = account + '\0' + "\x01\x02" + product + location + '\0';
    const std::size_t length = body.size() + 4;
    return std::string("\xFF\x67") + static_cast<char>(length & 0xFF) + static_cast<char>(length >> 8) + body;
}

class FriendNotice : public BotFixture {
protected:
    void SetUp() override { connect(false); }
};

TEST_F(FriendNotice, IsShownBeforeTheLinesOfItsChunk) {
    receive("1005 TALK Joe 0000 \"hi\"\r\n" + FriendAddedMessage("Alice", "STAR", "Lobby"));
    EXPECT_EQ(chatLines(), (std::vector<std::string>{"Bot: Alice using STAR in channel Lobby.", "Joe: hi"}));
    EXPECT_EQ(chat.paneLines().front().runs.back().color, ColorStatus);
}

TEST_F(FriendNotice, IsNotShownWithoutALocationOrAWholeMessage) {
    receive(FriendAddedMessage("Alice", "STAR", ""));
    receive(std::string("\r\n\xFF\x67\x10\x00", 6) + "Alice");
    EXPECT_TRUE(chatLines().empty());
}

}  // namespace
}  // namespace morva::testing
