// A channel filling with members and emptying again through the event processor: the channel model
// and the member list in memory (the terminal face's). Joins then leaves of N and 2N members must
// cost about twice as much at 2N, whether they leave in the order they came or in any order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "chat/event_processor.h"
#include "sessions/chat_event.h"
#include "support/bot_on_doubles.h"

namespace morva::testing {
namespace {

std::vector<std::string> memberNames(std::int64_t count) {
    std::vector<std::string> names;
    for (std::int64_t i = 0; i < count; ++i) names.push_back("Member" + std::to_string(i));
    return names;
}

void joinThenLeave(benchmark::State& state, bool shuffled) {
    const std::vector<std::string> names = memberNames(state.range(0));
    std::vector<std::string> leaving = names;
    if (shuffled) std::shuffle(leaving.begin(), leaving.end(), std::mt19937(20240601));
    std::optional<BotOnDoubles> doubles;
    for (auto _ : state) {
        state.PauseTiming();
        doubles.reset();
        doubles.emplace();
        Chat& chat = doubles->bot.chat;
        state.ResumeTiming();
        for (const std::string& name : names) {
            ChatEvent join{EventId::Join, name, "0010", "[CHAT]", 30, {}};
            ProcessEventLine(chat, join);
        }
        for (const std::string& name : leaving)
            ProcessEventLine(chat, ChatEvent{EventId::Leave, name, {}, {}, 0, {}});
        benchmark::DoNotOptimize(doubles->members.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

void MembersLeaveInJoinOrder(benchmark::State& state) {
    joinThenLeave(state, false);
}
BENCHMARK(MembersLeaveInJoinOrder)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void MembersLeaveInRandomOrder(benchmark::State& state) {
    joinThenLeave(state, true);
}
BENCHMARK(MembersLeaveInRandomOrder)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace morva::testing
