#include "connection/send_queue.h"

#include <gtest/gtest.h>

#include "chat/input_line.h"
#include "connection/connection.h"
#include "output/palette.h"
#include "support/bot_fixture.h"

namespace morva::testing {
namespace {

TEST(FloodUnits, OneUnitPerStartedFortyBytes) {
    const std::pair<std::string, int> cases[] = {{"", 1},
                                                 {"hi", 1},
                                                 {std::string(40, 'x'), 1},
                                                 {std::string(41, 'x'), 2},
                                                 {std::string(120, 'x'), 3},
                                                 {std::string(40, 'x') + "\r\n", 1}};
    for (const auto& [line, units] : cases) EXPECT_EQ(FloodUnits(line), units) << line.size();
}

class SendQueueTest : public BotFixture {
protected:
    void SetUp() override {
        config.FloodLines = 4;
        config.FloodSeconds = 6;
        connect(false);
    }
    FakeSocket& server() { return *sockets.made[0]; }
    void say(const std::string& text) { bot.connection.SendChat(text + "\r\n"); }
};

TEST_F(SendQueueTest, LinesBeyondTheLimitWaitForTheWindowInOrder) {
    for (int i = 1; i <= 6; ++i) say("line " + std::to_string(i));
    EXPECT_EQ(sent().size(), 4u);
    clock.advance(5999);
    EXPECT_EQ(sent().size(), 4u);
    clock.advance(1);
    ASSERT_EQ(sent().size(), 6u);
    EXPECT_EQ(sent()[4], "line 5\r\n");
    EXPECT_EQ(sent()[5], "line 6\r\n");
    clock.advance(60000);
    EXPECT_EQ(sent().size(), 6u);
}

TEST_F(SendQueueTest, LongLinesCostMoreUnits) {
    say(std::string(100, 'a'));  // 3 units
    say("b");
    say("c");
    EXPECT_EQ(sent().size(), 2u);
    clock.advance(6000);
    EXPECT_EQ(sent().size(), 3u);
}

TEST_F(SendQueueTest, ALineBiggerThanTheLimitGoesAloneOnceTheWindowIsEmpty) {
    say("first");
    say(std::string(200, 'x'));  // 5 units against a limit of 4
    say("after");
    EXPECT_EQ(sent().size(), 1u);
    clock.advance(6000);
    EXPECT_EQ(sent().size(), 2u);
    clock.advance(5999);
    EXPECT_EQ(sent().size(), 2u);
    clock.advance(1);
    EXPECT_EQ(sent().size(), 3u);
}

TEST_F(SendQueueTest, ZeroLinesSendsEverythingAtOnce) {
    config.FloodLines = 0;
    for (int i = 0; i < 12; ++i) say("kick " + std::to_string(i));
    EXPECT_EQ(sent().size(), 12u);
}

TEST_F(SendQueueTest, ALostConnectionDropsTheWaitingLinesAndSaysHowMany) {
    for (int i = 0; i < 7; ++i) say("x");
    server().peerClose();
    const auto lines = chatLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Bot: 3 queued line(s) dropped with the connection."),
              lines.end());
    connect(false);
    clock.advance(60000);
    EXPECT_TRUE(sent().empty());
    say("fresh");
    EXPECT_EQ(sent().size(), 1u) << "a new connection starts with an empty window";
}

TEST_F(SendQueueTest, TypedLinesAreEchoedAtOnceWhileTheirSendWaits) {
    bot.chat.CurrentName = "bot1";
    for (int i = 0; i < 4; ++i) say("x");
    SendUserLine(bot.chat, "hello");
    EXPECT_EQ(lastChatLine(), "bot1: hello");
    EXPECT_EQ(sent().size(), 4u);
    clock.advance(6000);
    EXPECT_EQ(sent().back(), "hello\r\n");
}

TEST_F(SendQueueTest, TheTextLogonAndItsKeepAlivesBypassTheQueue) {
    config.Delay = 100;
    config.LoginTimeout = 0;
    bot.connection.Bot_Connect();
    clock.advance(100);
    server().acceptConnect();
    for (int i = 0; i < 4; ++i) say("x");
    server().sent.clear();
    say("waits");
    clock.advance(Connection::LoginTickMs);
    EXPECT_EQ(sent(), std::vector<std::string>{"\r\n"});
}

TEST_F(SendQueueTest, ALineTellsWhenItLeavesTheQueue) {
    std::vector<std::size_t> sentWhenLeft;
    for (int i = 0; i < 6; ++i)
        bot.connection.SendChat("x\r\n", [&] { sentWhenLeft.push_back(sent().size()); });
    EXPECT_EQ(sentWhenLeft, (std::vector<std::size_t>{1, 2, 3, 4}));
    clock.advance(6000);
    EXPECT_EQ(sentWhenLeft, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace morva::testing
