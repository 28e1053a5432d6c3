#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "testserver/flood_events.h"
#include "wire_fixture.h"

namespace morva::testing {
namespace {

using testserver::FloodEvents;

struct Received {
    int flooderJoins = 0;
    std::vector<std::int64_t> talkIndexes;
};

Received Tally(const TextPeer& peer) {
    Received received;
    for (const std::string& line : peer.lines()) {
        if (line.rfind("1002 JOIN Flooder", 0) == 0) ++received.flooderJoins;
        if (line.rfind("1005 TALK ", 0) == 0) received.talkIndexes.push_back(FloodEvents::indexOf(line));
    }
    return received;
}

// The benchmarks' flood: the first client to join gets the flooders' joins and then every talk event
// once, in order, the last saying so; a later client is not flooded.
TEST(FloodServer, FloodsTheFirstClientToJoinWithEveryEventInOrder) {
    constexpr int Events = 3000;
    TestServerProcess server({"--flood", std::to_string(Events)});
    TextPeer first(server.port(), "first", "Flood Test");
    ASSERT_TRUE(first.waitFor(FloodEvents::LastText));
    TextPeer second(server.port(), "second", "Flood Test");
    RunFor(200);

    const Received flooded = Tally(first);
    EXPECT_EQ(flooded.flooderJoins, FloodEvents::Members);
    std::vector<std::int64_t> expected(Events);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(flooded.talkIndexes, expected);
    EXPECT_TRUE(Tally(second).talkIndexes.empty());
}

}  // namespace
}  // namespace morva::testing
