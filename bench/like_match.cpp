#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/like_match.h"
#include "settings/name_lists.h"

namespace morva {
namespace {

// Stars that a backtracking matcher would try in every combination: must stay linear in the text.
void ManyStarsAgainstLongText(benchmark::State& state) {
    const std::string text(static_cast<std::size_t>(state.range(0)), 'a');
    for (auto _ : state) benchmark::DoNotOptimize(LikeMatch(text, "*a*a*a*a*a*a*b"));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(ManyStarsAgainstLongText)->RangeMultiplier(10)->Range(100, 100000)->Complexity();

// A long run of literals after a star that almost matches everywhere: a matcher that backtracks to
// its last star compares the whole run at every character.
void LongPatternAgainstLongText(benchmark::State& state) {
    const std::string text(static_cast<std::size_t>(state.range(0)), 'a');
    const std::string pattern = "*" + std::string(200, 'a') + "b";
    for (auto _ : state) benchmark::DoNotOptimize(LikeMatch(text, pattern));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(LongPatternAgainstLongText)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

void TypicalFilterPattern(benchmark::State& state) {
    const std::string text = "well, hello there, is anybody selling [cheap] items today?";
    for (auto _ : state) benchmark::DoNotOptimize(LikeMatch(text, "*[!a-z]sell*#*"));
}
BENCHMARK(TypicalFilterPattern);

// A kick by pattern asks IsSafe for every member: the access list, then the safe list of names and a
// few patterns, all scanned for a name that is on none of them (the slowest answer).
void IsSafeScan(benchmark::State& state) {
    std::vector<std::string> acces, safe;
    for (int i = 0; i < state.range(0); ++i) {
        acces.push_back("Friend" + std::to_string(i));
        safe.push_back("Member" + std::to_string(i));
    }
    safe.insert(safe.end(), {"*bot", "[clan]*", "op_*", "#1*"});
    const std::string name = "Stranger[xyz]";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ContainsNoCase(acces, name) || std::ranges::any_of(safe, [&](const auto& e) {
                                     return MatchesSafeEntry(name, e);
                                 }));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(acces.size() + safe.size()));
}
BENCHMARK(IsSafeScan)->Arg(20)->Arg(200);

}  // namespace
}  // namespace morva
