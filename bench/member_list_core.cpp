// A channel filling with members and emptying again through the whole core (session, event
// processor, channel model, a member list in memory): members leave in the order they joined, the
// case where a list that shifts its rows on each removal turns quadratic.
#include <benchmark/benchmark.h>

#include <string>

#include "support/bot_on_doubles.h"
#include "testserver/chat_event.h"

namespace morva::testing {
namespace {

using testserver::BinaryChatEvent;
using testserver::ChatEvent;

std::string Events(ChatEvent::Id id, std::int64_t members) {
    std::string bytes;
    for (std::int64_t i = 0; i < members; ++i)
        bytes +=
            BinaryChatEvent({id, 0x10, "member" + std::to_string(i), id == ChatEvent::Join ? "RATS" : ""});
    return bytes;
}

struct ChannelBot : BotOnDoubles {
    ChannelBot() {
        bot.settings.BotConfig.Binary = true;
        bot.connection.Bot_Connect();
        sockets.made[0]->acceptConnect();
        feed(BinaryChatEvent({ChatEvent::Channel, 0, "", "Crowded"}));
    }
    void feed(const std::string& bytes) {
        sockets.made[0]->receive(bytes);
        clock.advance(0);
    }
};

void JoinThenLeaveInJoinOrder(benchmark::State& state) {
    const std::int64_t members = state.range(0);
    const std::string joins = Events(ChatEvent::Join, members);
    const std::string leaves = Events(ChatEvent::Leave, members);
    for (auto _ : state) {
        state.PauseTiming();
        auto channel = std::make_unique<ChannelBot>();
        state.ResumeTiming();
        channel->feed(joins);
        state.PauseTiming();
        const bool allListed = channel->members.count() == members;
        state.ResumeTiming();
        channel->feed(leaves);
        state.PauseTiming();
        if (!allListed || channel->members.count() != 0)
            state.SkipWithError("the member list is not the channel's");
        channel.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * members * 2);
    state.SetComplexityN(members);
}
BENCHMARK(JoinThenLeaveInJoinOrder)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace morva::testing
