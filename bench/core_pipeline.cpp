// Floods of talk events through the whole core: a session cutting reads of 1 MiB into events, the
// event processor, and a pane in memory; in the binary and in the text protocol. Each has a floor:
// the same bytes cut into packets or lines and their fields with memchr. The time per event must
// not grow with the size of the flood.
#include <benchmark/benchmark.h>

#include <string>

#include "support/bot_on_doubles.h"
#include "support/flood_floor.h"
#include "testserver/flood_events.h"

namespace morva::testing {
namespace {

using testserver::FloodEvents;

constexpr std::size_t ReadSize = 1 << 20;

struct FloodedBot : BotOnDoubles {
    explicit FloodedBot(bool binary) {
        BotConfig& c = bot.settings.BotConfig;
        c.Binary = binary;
        c.Trigger = "!";
        c.Master = "Boss";
        bot.connection.Bot_Connect();
        sockets.made[0]->acceptConnect();
    }
    // Whether the flood's last line reached the pane.
    bool sawTheEnd() const {
        const auto& lines = chat.paneLines();
        return !lines.empty() && !lines.back().runs.empty() &&
               lines.back().runs.back().text.find(FloodEvents::LastText) != std::string::npos;
    }
};

void FloodThroughTheCore(benchmark::State& state, bool binary) {
    const std::int64_t events = state.range(0);
    const std::string flood = FloodEvents::bytes(events, binary);
    for (auto _ : state) {
        state.PauseTiming();
        auto flooded = std::make_unique<FloodedBot>(binary);
        state.ResumeTiming();
        for (std::size_t at = 0; at < flood.size(); at += ReadSize) {
            flooded->sockets.made[0]->receive(flood.substr(at, ReadSize));
            // The connection handles a bounded slice at a time and leaves the rest for later.
            flooded->clock.advance(0);
        }
        state.PauseTiming();
        if (!flooded->sawTheEnd()) state.SkipWithError("the flood's last line is not in the pane");
        flooded.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * events);
    state.SetComplexityN(events);
}

void FloodFloor(benchmark::State& state, bool binary) {
    const std::int64_t events = state.range(0);
    const std::string flood = FloodEvents::bytes(events, binary);
    for (auto _ : state) {
        std::size_t fieldBytes = 0;
        const auto onEvent = [&](std::string_view name, std::string_view text) {
            fieldBytes += name.size() + text.size();
        };
        const std::size_t found =
            binary ? bench::CutPackets(flood, onEvent) : bench::CutEventLines(flood, onEvent);
        benchmark::DoNotOptimize(fieldBytes);
        if (found != static_cast<std::size_t>(events)) state.SkipWithError("the floor lost events");
    }
    state.SetItemsProcessed(state.iterations() * events);
}

BENCHMARK_CAPTURE(FloodThroughTheCore, binary, true)
    ->Arg(200000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(FloodThroughTheCore, text, false)
    ->Arg(200000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(FloodFloor, binary, true)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FloodFloor, text, false)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morva::testing
