// How the bot meets a server that breaks the stream, drips, babbles, refuses, stays silent or resets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fault_fixture.h"
#include "fault_streams.h"

namespace morva::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;
using ::testing::Not;

::testing::Matcher<std::string> ClosedByTheServer() {
    return MatchesRegex("Bot: The connection ended after [0-9]+ s: closed by the server\\.");
}

class FaultCut : public FaultWire, public ::testing::WithParamInterface<std::size_t> {};

// The close comes after that many bytes of a packet: in its header, right after it, in its body.
TEST_P(FaultCut, ACloseInTheMiddleOfAPacketEndsTheConnectionAfterWhatCameWhole) {
    const std::string cut = TalkPacket("carol", "after the cut");
    FaultServer server(
        {{Send(LogonAnswer() + TalkPacket("carol", "before the cut") + cut.substr(0, GetParam())), Close()},
         {Send(LogonAnswer())}});
    start(server.port());
    expectRetried(server, ClosedByTheServer());
    EXPECT_TRUE(bot->chatHas("carol: before the cut")) << bot->chat.text();
    EXPECT_THAT(bot->chatLines(), Not(Contains("carol: after the cut")));
}

INSTANTIATE_TEST_SUITE_P(Fault, FaultCut, ::testing::Values(1, 3, 4, 20),
                         [](const auto& info) { return "After" + std::to_string(info.param) + "Bytes"; });

// A server that takes every connection and closes it at once is not hammered: each failed logon
// doubles the wait before the next dial.
TEST_F(FaultWire, AServerThatClosesEveryConnectionAtOnceIsDialledWithAGrowingBackoff) {
    FaultServer server({{Close()}});
    start(server.port());
    const auto waits = [&] {
        std::vector<std::string> found;
        for (const std::string& line : bot->chatLines())
            if (line.rfind("Bot: Next attempt in ", 0) == 0) found.push_back(line);
        return found;
    };
    ASSERT_TRUE(RunUntil([&] { return waits().size() == 3; }, 15000)) << bot->chat.text();
    EXPECT_THAT(waits(), ElementsAre("Bot: Next attempt in 1 s.", "Bot: Next attempt in 2 s.",
                                     "Bot: Next attempt in 4 s."));
    EXPECT_EQ(server.connections(), 3);
    const auto lines = bot->chatLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return ClosedByTheServer().Matches(line); }),
              3);
    expectSettingsKept();
}

struct BadLength {
    const char* name;
    std::string field;  // the two length bytes as sent, low byte first
    std::string shown;
};

class FaultLength : public FaultWire, public ::testing::WithParamInterface<BadLength> {};

// Lengths below the header's own four bytes and past the largest packet leave no way to find the
// next packet: the bot must neither wait for bytes that never come nor read on at random.
TEST_P(FaultLength, ALengthNoPacketCanHaveDropsTheConnectionWithItsLineAndDialsAgain) {
    const std::string broken = "\xFF\x0F" + GetParam().field + std::string(40, 'x');
    FaultServer server(
        {{Send(LogonAnswer() + TalkPacket("carol", "before") + broken)}, {Send(LogonAnswer())}});
    start(server.port());
    expectRetried(server, "Bot: The server sent a packet length of " + GetParam().shown +
                              "; the connection is broken and is made anew.");
    EXPECT_TRUE(bot->chatHas("carol: before"));
}

INSTANTIATE_TEST_SUITE_P(Fault, FaultLength,
                         ::testing::Values(BadLength{"Zero", std::string("\x00\x00", 2), "0"},
                                           BadLength{"Three", std::string("\x03\x00", 2), "3"},
                                           BadLength{"Hex8000", std::string("\x00\x80", 2), "32768"},
                                           BadLength{"HexFFFF", std::string("\xFF\xFF", 2), "65535"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultWire, ALogonAnswerDrippedOneByteAtATimeStillLogsOn) {
    FaultServer server({{Drip(LogonAnswer())}});
    start(server.port());
    ASSERT_TRUE(loggedOnOver(server, 0)) << bot->chat.text();
    EXPECT_TRUE(bot->waitForChat("Joined channel: Mod Test")) << bot->chat.text();
    EXPECT_TRUE(bot->chatHas("Bot: Logged on."));
    ASSERT_TRUE(RunUntil([&] { return PacketIds(server.received(0)).size() == 3; }));
    EXPECT_THAT(PacketIds(server.received(0)), ElementsAre(0x50, 0x3A, 0x0C))
        << "SID_AUTH_INFO, then SID_LOGONRESPONSE2 and SID_JOINCHANNEL once the answer was whole";
    expectSettingsKept();
}

struct Babble {
    const char* name;
    unsigned seed;
    bool asChatEvents;
};

class FaultRandom : public FaultWire, public ::testing::WithParamInterface<Babble> {};

// Random bytes soon carry a length no packet can have, so the bot drops them and dials again; random
// chat events are framed right, so the bot reads every one and goes on.
TEST_P(FaultRandom, RandomBytesAfterTheLogonNeitherCrashNorStopTheBot) {
    constexpr int Pieces = 256;
    FaultServer server(
        {{Send(LogonAnswer()), Flood(RandomPieces(GetParam().seed, Pieces, GetParam().asChatEvents)),
          Send(TalkPacket("carol", "still here"))},
         {Send(LogonAnswer())}});
    start(server.port());
    if (GetParam().asChatEvents) {
        ASSERT_TRUE(bot->waitForChat("carol: still here", 30000)) << bot->chat.text();
        EXPECT_EQ(server.connections(), 1);
        EXPECT_EQ((*bot)->connection.state(), Connection::State::LoggedOn);
        expectSettingsKept();
    } else {
        expectRetried(server,
                      MatchesRegex("Bot: The server sent a packet length of [0-9]+; the connection is broken "
                                   "and is made anew\\."));
    }
}

INSTANTIATE_TEST_SUITE_P(Fault, FaultRandom,
                         ::testing::Values(Babble{"Bytes1", 1, false}, Babble{"Bytes2", 2, false},
                                           Babble{"Bytes3", 3, false}, Babble{"ChatEvents1", 1, true},
                                           Babble{"ChatEvents2", 2, true}, Babble{"ChatEvents3", 3, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultWire, ARefusedDialIsToldAndTriedAgainWithAGrowingBackoff) {
    start(ClosedPort());
    const std::string refused = "Bot: (0) Could not connect to " + address() + ": Connection refused.";
    ASSERT_TRUE(RunUntil(
        [&] {
            const auto lines = bot->chatLines();
            return std::count(lines.begin(), lines.end(), refused) == 2;
        },
        10000))
        << bot->chat.text();
    const auto lines = bot->chatLines();
    EXPECT_THAT(std::vector<std::string>(lines.end() - 6, lines.end()),
                ElementsAre(refused, "Bot: Connecting to: " + address() + ".", "Bot: Next attempt in 1 s.",
                            refused, "Bot: Connecting to: " + address() + ".", "Bot: Next attempt in 2 s."));
    EXPECT_EQ((*bot)->connection.state(), Connection::State::WaitingToRetry);
    EXPECT_TRUE((*bot)->connection.backoffTimer().isRunning());
    expectSettingsKept();
}

TEST_F(FaultWire, AServerThatNeverAnswersTheLogonTimesOutAndIsDialledAgain) {
    FaultServer server({FaultScript{}, FaultScript{Send(LogonAnswer())}});
    start(server.port(), {{"Profile", "LoginTimeout", "1000"}});
    expectRetried(server, "Bot: No answer to the logon from " + address() + " within 1000 ms.");
    EXPECT_THAT(PacketIds(server.received(0)), ElementsAre(0x50)) << "the bot asked, and waited";
}

TEST_F(FaultWire, AResetInTheMiddleOfAFloodKeepsWhatCameInOrderAndDialsAgain) {
    constexpr int Events = 20000;
    FaultServer server(
        {{Send(LogonAnswer() + FlooderJoins()), Flood(FloodPieces(Events)), Reset()}, {Send(LogonAnswer())}});
    start(server.port());
    // Qt tells a reset as a close.
    expectRetried(server, ClosedByTheServer());
    (*bot)->chatLog.flush();
    const FloodSeen seen = FloodInChatLogs(profile.dir());
    EXPECT_TRUE(seen.inOrder);
    EXPECT_GT(seen.count, 0);
    EXPECT_LT(seen.count, Events) << "the reset threw away the flood's tail";
}

}  // namespace
}  // namespace morva::testing
