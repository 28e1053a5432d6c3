// A flood of talk events through the whole core: the binary session cutting reads of 1 MiB into
// packets, the event processor, and a pane in memory. The time per event must not grow with the
// size of the flood.
#include <benchmark/benchmark.h>

#include <string>

#include "support/bot_on_doubles.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

constexpr std::size_t ReadSize = 1 << 20;

std::string talkFlood(std::int64_t events) {
    std::string bytes;
    for (std::int64_t i = 0; i < events; ++i)
        bytes += ChatEventPacket(0x05, 0x10, 30, "user" + std::to_string(i % 50),
                                 "hello there, number " + std::to_string(i));
    return bytes;
}

struct FloodedBot : BotOnDoubles {
    FloodedBot() {
        BotConfig& c = bot.settings.BotConfig;
        c.Binary = true;
        c.Trigger = "!";
        c.Master = "Boss";
        bot.connection.Bot_Connect();
        sockets.made[0]->acceptConnect();
    }
};

void TalkFloodThroughTheCore(benchmark::State& state) {
    const std::string flood = talkFlood(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        FloodedBot flooded;
        state.ResumeTiming();
        for (std::size_t at = 0; at < flood.size(); at += ReadSize)
            flooded.sockets.made[0]->receive(flood.substr(at, ReadSize));
        benchmark::DoNotOptimize(flooded.chat.length());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(TalkFloodThroughTheCore)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace morva::testing
