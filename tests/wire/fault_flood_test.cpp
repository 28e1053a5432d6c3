// Floods that never end or never slow down: the bot keeps up, keeps its memory and loses nothing.
#include <gtest/gtest.h>

#include "fault_fixture.h"
#include "fault_streams.h"
#include "live_heap.h"

namespace morva::testing {
namespace {

std::vector<std::string> ChatCommandTexts(const std::string& received) {
    std::vector<std::string> texts;
    for (const SentPacket& packet : PacketsOf(received))
        if (packet.id == 0x0E) texts.push_back(packet.body.substr(0, packet.body.find('\0')));
    return texts;
}

// The server floods without end and reads nothing, while the bot sends more than the system buffers
// of both sides hold: the bot goes on handling the flood, its memory stays bounded, and once the
// server reads again every line arrives whole and in order.
TEST_F(FaultWire, FullBuffersBothWaysNeitherFreezeNorSwellTheBot) {
    constexpr int Lines = 300;
    constexpr std::size_t LineBytes = 32000;
    constexpr long long EventsWhileJammed = 50000;
    bool jammed = true;
    FaultServer server(
        {{Send(LogonAnswer() + FlooderJoins()), StopReading(), Flood(FloodWhile(jammed)), StartReading()}});
    start(server.port(), {{"Flood", "Lines", "0"}});
    ASSERT_TRUE(loggedOnOver(server, 0)) << bot->chat.text();

    std::vector<std::string> lines;
    int sent = 0;
    for (int i = 0; i < Lines; ++i) {
        lines.push_back("line " + std::to_string(i) + " " +
                        std::string(LineBytes, static_cast<char>('a' + i % 26)));
        ASSERT_TRUE((*bot)->connection.SendChat(lines.back(), [&sent] { ++sent; }));
    }
    const long long firstSeen = lastFloodIndexShown();
    const PeakGrowth growth =
        RunUntilNotingPeak([&] { return lastFloodIndexShown() >= firstSeen + EventsWhileJammed; }, 300000);
    ASSERT_TRUE(growth.held) << "the flood stopped being handled at " << lastFloodIndexShown();
    EXPECT_EQ(sent, Lines);
    EXPECT_LT(growth.bytes, FloodMemoryBound);

    jammed = false;
    ASSERT_TRUE(RunUntil([&] { return server.received(0).size() >= Lines * LineBytes; }, 60000));
    ASSERT_TRUE(RunUntil([&] { return ChatCommandTexts(server.received(0)).size() == Lines; }, 60000));
    EXPECT_EQ(ChatCommandTexts(server.received(0)), lines);
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ((*bot)->connection.state(), Connection::State::LoggedOn);
    expectSettingsKept();
}

// The server resets the connection while the bot's lines fill the buffers on its side: the failed
// writes neither kill the bot (no SIGPIPE) nor stop it; it says why and dials again.
TEST_F(FaultWire, AResetWhileTheBotsBuffersAreFullEndsOnlyThatConnection) {
    bool jammed = true;
    FaultServer server(
        {{Send(LogonAnswer()), StopReading(), Flood([&jammed, pieces = FloodPieces(INT64_MAX)]() mutable {
              return jammed ? pieces() : std::string();
          }),
          Reset()},
         {Send(LogonAnswer())}});
    start(server.port(), {{"Flood", "Lines", "0"}});
    ASSERT_TRUE(loggedOnOver(server, 0)) << bot->chat.text();
    for (int i = 0; i < 300; ++i) ASSERT_TRUE((*bot)->connection.SendChat(std::string(32000, 'j')));
    ASSERT_TRUE(RunUntil([&] { return lastFloodIndexShown() >= 1000; }, 60000)) << bot->chat.text();
    jammed = false;
    expectRetried(server, ::testing::MatchesRegex("Bot: The connection ended after [0-9]+ s: .+\\."));
}

// A million talk events as fast as the socket takes them: each one shown (the chat log holds them all,
// in order), the channel's members right, and the memory no larger at the end than the bound.
TEST_F(FaultWire, AMillionChatEventsAreEachHandledInBoundedMemory) {
    constexpr std::int64_t Events = 1000000;
    FaultServer server({{Send(LogonAnswer() + FlooderJoins()), Flood(FloodPieces(Events))}});
    start(server.port());
    ASSERT_TRUE(loggedOnOver(server, 0)) << bot->chat.text();
    const PeakGrowth growth =
        RunUntilNotingPeak([&] { return lastFloodIndexShown() == Events - 1; }, 1200000);
    ASSERT_TRUE(growth.held) << "the flood stopped being handled at " << lastFloodIndexShown();
    EXPECT_LT(growth.bytes, FloodMemoryBound);

    (*bot)->chatLog.flush();
    const FloodSeen seen = FloodInChatLogs(profile.dir());
    EXPECT_EQ(seen.count, Events);
    EXPECT_TRUE(seen.inOrder);
    std::vector<std::string> members;
    for (int row = 1; row <= bot->members.count(); ++row) members.push_back(bot->members.row(row).name);
    EXPECT_EQ(members, (std::vector<std::string>{"bot1", "Flooder1", "Flooder2", "Flooder3", "Flooder4"}));
    EXPECT_EQ(server.connections(), 1);
    expectSettingsKept();
}

}  // namespace
}  // namespace morva::testing
