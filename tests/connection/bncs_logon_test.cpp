#include "connection/bncs_logon.h"

#include <gtest/gtest.h>

#include "connection/connection.h"
#include "connection/double_hash.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

std::string dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string packet(char id, const std::string& body) {
    const std::size_t length = body.size() + 4;
    return std::string{'\xFF', id, static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)} + body;
}

class LogonTest : public BotFixture {
protected:
    void SetUp() override {
        BotConfig& c = bot.BotConfig;
        c.Binary = true;
        c.Username = "bot1";
        c.Password = "Secret";
        c.Channel = "Op Test";
        c.BinaryClient = "star";
        c.Server = "chat.test";
        c.Port = 6112;
        c.Delay = 100;
        Bot_Connect(bot);
        clock.advance(100);
        server().acceptConnect();
        server().sent.clear();
        chat.clear();
    }
    FakeSocket& server() { return *sockets.made[0]; }
    void receive(const std::string& bytes) { server().receive(bytes); }
};

TEST_F(LogonTest, AuthInfoIsFiftyFourBytesWithTheProductReversed) {
    SendAuthInfo(bot, 0);
    ASSERT_EQ(server().sent.size(), 1u);
    const std::string body =
        dword(0) + "68XI" + "RATS" + std::string(24, '\0') + "USA" + '\0' + "United States" + '\0';
    ASSERT_EQ(body.size(), 54u);
    EXPECT_EQ(server().sent[0], packet('\x50', body));
    EXPECT_EQ(server().sent[0].substr(2, 2), std::string("\x3A\x00", 2));
}

TEST_F(LogonTest, AuthInfoReplySendsProofAndJoinAndStopsTheTimeout) {
    EXPECT_TRUE(bot.tmrLoginTimeout->isRunning());
    receive(
        packet('\x50', dword(0) + dword(0xDEADBEEF) + dword(0) + std::string(8, '\0') + "ver.mpq" + '\0'));
    EXPECT_FALSE(bot.tmrLoginTimeout->isRunning());
    ASSERT_EQ(server().sent.size(), 2u);
    EXPECT_EQ(server().sent[0],
              packet('\x3A', dword(0) + dword(0xDEADBEEF) + DoubleHash("secret", 0xDEADBEEF) + "bot1" + '\0'))
        << "the proof is made from the lower-cased password";
    EXPECT_EQ(server().sent[1], packet('\x0C', dword(2) + "Op Test" + '\0'));
    EXPECT_EQ(server().sent[1].size(), 16u);
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{"Bot: Recv SID_AUTH_INFO.", "Bot: Sending SID_LOGONRESPONSE2...",
                                        "Bot: Sending SID_JOINCHANNEL..."}));
}

TEST_F(LogonTest, AuthCheckResultDecidesWhetherToLogOn) {
    receive(packet('\x51', dword(0)));
    EXPECT_EQ(server().sent.size(), 2u);
    server().sent.clear();
    chat.clear();
    receive(packet('\x51', dword(0x101)));
    EXPECT_TRUE(server().sent.empty());
    EXPECT_EQ(chatLines(),
              (std::vector<std::string>{"Bot: Recv SID_AUTH_INFO.", "Bot: Failed SID_AUTH_INFO."}));
}

TEST_F(LogonTest, LogonRepliesByStatus) {
    const std::pair<std::uint32_t, std::vector<std::string>> cases[] = {
        {1, {"Bot: Recv SID_LOGONRESPONS2.", "Error: Account does not exist."}},
        {2, {"Bot: Recv SID_LOGONRESPONS2.", "Error: Invalid password."}},
        {7, {"Bot: Recv SID_LOGONRESPONS2."}},
    };
    for (const auto& [status, lines] : cases) {
        chat.clear();
        receive(packet('\x3A', dword(status)));
        EXPECT_EQ(chatLines(), lines) << status;
        EXPECT_TRUE(server().sent.empty());
        EXPECT_EQ(bot.CurrentName, "");
    }
}

TEST_F(LogonTest, LoggedOnSetsTheNameAndStartsIdleAndCensus) {
    bot.BotConfig.IdleDelay = 3;
    bot.BotConfig.Channels = 1;
    profile.write("config.bot", "[Channels Log]\r\nChannels=1\r\nChannel1=lobby\r\n");
    bot.CensusIndex = 5;
    receive(packet('\x3A', dword(0)));
    EXPECT_EQ(chatLines(), (std::vector<std::string>{"Bot: Recv SID_LOGONRESPONS2.", "Bot: Logged on."}));
    EXPECT_EQ(bot.CurrentName, "bot1");
    EXPECT_TRUE(bot.tmrIdle->isRunning());
    EXPECT_TRUE(bot.tmrWhoChannel->isRunning());
    EXPECT_EQ(bot.CensusIndex, 0);
    EXPECT_EQ(bot.BotConfig.ChannelLogList, std::vector<std::string>{"lobby"});
}

TEST_F(LogonTest, ShortLogonReplyReadsAsSuccessAndIdleStaysOffWithoutDelay) {
    bot.tmrIdle->start();
    receive(packet('\x3A', std::string(2, '\0')));
    EXPECT_EQ(bot.CurrentName, "bot1");
    EXPECT_FALSE(bot.tmrIdle->isRunning());
    EXPECT_FALSE(bot.tmrWhoChannel->isRunning());
}

TEST_F(LogonTest, PingAndUnknownPacketsChangeNothing) {
    receive(packet('\x25', dword(1234)) + packet('\x00', "") + packet('\x59', ""));
    EXPECT_TRUE(server().sent.empty());
    EXPECT_TRUE(chat.text().empty());
}

TEST_F(LogonTest, ChatEventsReachTheEventProcessor) {
    bot.CurrentName = "bot1";
    receive(
        packet('\x0F', dword(0x07) + dword(0) + dword(0) + std::string(12, '\0') + '\0' + "Op Test" + '\0'));
    EXPECT_EQ(chatLines(), std::vector<std::string>{"Joined channel: Op Test"});
    EXPECT_EQ(bot.CurrentChannel, "Op Test");
    receive(packet('\x0F', "short"));
    EXPECT_EQ(chatLines().size(), 1u);
}

}  // namespace
}  // namespace morva::testing
