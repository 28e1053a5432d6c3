// The text protocol against a server that never ends a line, or babbles.
#include <gtest/gtest.h>

#include <algorithm>

#include "fault_fixture.h"
#include "fault_streams.h"
#include "live_heap.h"
#include "testserver/chat_event.h"

namespace morva::testing {
namespace {

using testserver::ChatEvent;

const FaultWire::Setting TextProtocol{"Profile", "Binary", "False"};

std::string TalkLine(const std::string& name, const std::string& text) {
    return testserver::TextChatEvent({ChatEvent::Talk, 0, name, text});
}

// 32 MiB without a line end: the bot drops the line past 64 KiB, keeps its memory, says so once and
// reads the line after it.
TEST_F(FaultWire, TextWithoutALineEndIsDroppedInBoundedMemory) {
    constexpr int Pieces = 512;
    constexpr std::size_t PieceBytes = 64 * 1024;
    FaultServer server({{Send(TextLogonAnswer()), Flood([pieces = Pieces]() mutable {
                             return pieces-- > 0 ? std::string(PieceBytes, 'x') : std::string();
                         }),
                         Send("\r\n" + TalkLine("carol", "after the long line"))}});
    start(server.port(), {TextProtocol});
    ASSERT_TRUE(loggedOnOver(server, 0)) << bot->chat.text();
    const PeakGrowth growth =
        RunUntilNotingPeak([&] { return bot->chatHas("carol: after the long line"); }, 120000);
    ASSERT_TRUE(growth.held) << bot->chat.text();
    EXPECT_LT(growth.bytes, FloodMemoryBound);
    const auto lines = bot->chatLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "Bot: The server sent more than 64 KiB without a line end; that text was dropped."),
              1);
    EXPECT_EQ(server.connections(), 1);
    expectSettingsKept();
}

class FaultTextRandom : public FaultWire, public ::testing::WithParamInterface<unsigned> {};

// Text has no lengths to break: whatever the bytes, the bot reads on to the next line.
TEST_P(FaultTextRandom, RandomBytesAfterTheLogonNeitherCrashNorStopTheBot) {
    constexpr int Pieces = 64;
    FaultServer server({{Send(TextLogonAnswer()), Flood(RandomPieces(GetParam(), Pieces, false)),
                         Send("\r\n" + TalkLine("carol", "still here"))}});
    start(server.port(), {TextProtocol});
    ASSERT_TRUE(bot->waitForChat("carol: still here", 30000)) << bot->chat.text();
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ((*bot)->connection.state(), Connection::State::LoggedOn);
    expectSettingsKept();
}

INSTANTIATE_TEST_SUITE_P(Fault, FaultTextRandom, ::testing::Values(1u, 2u, 3u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

}  // namespace
}  // namespace morva::testing
