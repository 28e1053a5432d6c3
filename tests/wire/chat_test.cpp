#include <gtest/gtest.h>

#include <QTcpServer>

#include "bot/startup.h"
#include "chat/input_line.h"
#include "wire_fixture.h"

namespace morva::testing {
namespace {

// Our bot and a scripted user in one channel of the test server, in either protocol.
class ChatWire : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        profile.write("config.bot", WireConfig(server.port(), GetParam()));
        Form_Load(*bot);
        ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test")) << bot.chat.text();
        ASSERT_TRUE(RunUntil([&] { return bot.members.count() == 1; }));
    }
    void type(const std::string& line) { SendUserLine(bot->chat, line); }

    TempProfile profile;
    TestServerProcess server;
    WireBot bot{profile};
};

TEST_P(ChatWire, ConversationReachesPanesAndMemberList) {
    TextPeer alice(server.port(), "alice", "Mod Test");
    ASSERT_TRUE(bot.waitForChat("alice joined channel using [CHAT].")) << bot.chat.text();
    ASSERT_TRUE(RunUntil([&] { return bot.members.count() == 2; }));
    EXPECT_EQ(bot.members.row(2).name, "alice");
    EXPECT_EQ(bot.members.row(2).icon, 2);

    alice.say("hello bot");
    EXPECT_TRUE(bot.waitForChat("alice: hello bot")) << bot.chat.text();
    alice.say("/emote waves");
    EXPECT_TRUE(bot.waitForChat("*alice waves")) << bot.chat.text();

    alice.say("/w bot1 psst");
    ASSERT_TRUE(RunUntil([&] { return !bot.whisperLines().empty(); })) << bot.chat.text();
    EXPECT_EQ(bot.whisperLines().back(), "Whisper from: alice: psst");
    type("/w alice hi there");
    EXPECT_TRUE(alice.waitFor("1004 WHISPER bot1 0012 \"hi there\""));
    ASSERT_TRUE(RunUntil([&] { return bot.whisperLines().size() == 2; }));
    EXPECT_EQ(bot.whisperLines().back(), "Whisper to: alice: hi there");

    type("good to see you");
    EXPECT_TRUE(alice.waitFor("1005 TALK bot1 0012 \"good to see you\""));
    EXPECT_TRUE(bot.chatHas("bot1: good to see you"));

    type("/designate alice");
    type("/resign");
    ASSERT_TRUE(RunUntil([&] { return bot.members.row(2).icon == 1; })) << bot.chat.text();
    EXPECT_EQ(bot.members.row(1).name, "bot1") << "flag changes keep the order";
    EXPECT_NE(bot.members.row(1).icon, 1);

    alice.say("/join Elsewhere");
    EXPECT_TRUE(bot.waitForChat("alice left channel."));
    EXPECT_TRUE(RunUntil([&] { return bot.members.count() == 1; }));
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, ChatWire, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Binary" : "Text"; });

// A server that writes one event line in two TCP writes.
TEST(TextChunks, ALineCutInTwoWritesArrivesWhole) {
    EnsureQtApp();
    QTcpServer listener;
    int port = 0;
    for (int candidate = 21000 + ::getpid() % 9000; !listener.isListening(); ++candidate) {
        if (listener.listen(QHostAddress::LocalHost, static_cast<quint16>(candidate))) port = candidate;
    }
    TempProfile profile;
    profile.write("config.bot", WireConfig(port, false));
    WireBot bot(profile);
    Form_Load(*bot);
    ASSERT_TRUE(RunUntil([&] { return listener.hasPendingConnections(); }));
    QTcpSocket* peer = listener.nextPendingConnection();
    peer->write("2010 NAME bot1\r\n1007 CHANNEL \"Mod Test\"\r\n1005 TALK carol 0010 \"hel");
    peer->flush();
    ASSERT_TRUE(bot.waitForChat("Joined channel: Mod Test"));
    RunFor(200);
    peer->write("lo world\"\r\n");
    peer->flush();
    EXPECT_TRUE(bot.waitForChat("carol: hello world")) << bot.chat.text();
}

}  // namespace
}  // namespace morva::testing
