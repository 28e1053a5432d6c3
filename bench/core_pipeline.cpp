// A flood of talk events through the whole core: the session cutting reads of 1 MiB into packets
// (binary) or event lines (text), the event processor, and a pane in memory. The time per event
// must not grow with the size of the flood. The floors cut the same bytes into fields with memchr
// alone, as a measure of what the machine does in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <optional>
#include <string>

#include "support/bot_on_doubles.h"
#include "support/packets.h"

namespace morva::testing {
namespace {

constexpr std::size_t ReadSize = 1 << 20;

std::string speaker(std::int64_t i) {
    return "user" + std::to_string(i % 50);
}

std::string saying(std::int64_t i) {
    return "hello there, number " + std::to_string(i);
}

std::string binaryFlood(std::int64_t events) {
    std::string bytes;
    for (std::int64_t i = 0; i < events; ++i) bytes += ChatEventPacket(0x05, 0x10, 30, speaker(i), saying(i));
    return bytes;
}

std::string textFlood(std::int64_t events) {
    std::string bytes;
    for (std::int64_t i = 0; i < events; ++i)
        bytes += "1005 TALK " + speaker(i) + " 0010 \"" + saying(i) + "\"\r\n";
    return bytes;
}

struct FloodedBot : BotOnDoubles {
    explicit FloodedBot(bool binary) {
        BotConfig& c = bot.settings.BotConfig;
        c.Binary = binary;
        c.Trigger = "!";
        c.Master = "Boss";
        bot.connection.Bot_Connect();
        sockets.made[0]->acceptConnect();
    }
};

void flood(benchmark::State& state, bool binary) {
    const std::string bytes = binary ? binaryFlood(state.range(0)) : textFlood(state.range(0));
    // The bot is made and taken down outside the timing: its profile folder is file-system work.
    std::optional<FloodedBot> flooded;
    for (auto _ : state) {
        state.PauseTiming();
        flooded.reset();
        flooded.emplace(binary);
        state.ResumeTiming();
        for (std::size_t at = 0; at < bytes.size(); at += ReadSize)
            flooded->sockets.made[0]->receive(bytes.substr(at, ReadSize));
        benchmark::DoNotOptimize(flooded->chat.length());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

void TalkFloodThroughTheCore(benchmark::State& state) {
    flood(state, true);
}
BENCHMARK(TalkFloodThroughTheCore)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond)->Complexity();

void TextTalkFloodThroughTheCore(benchmark::State& state) {
    flood(state, false);
}
BENCHMARK(TextTalkFloodThroughTheCore)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond)->Complexity();

// Packets by their length field, then the name and the text by their 0x00 ends.
std::size_t cutPackets(const std::string& bytes) {
    std::size_t fields = 0;
    for (std::size_t at = 0; at + 4 <= bytes.size();) {
        const std::size_t length = static_cast<unsigned char>(bytes[at + 2]) |
                                   static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 3])) << 8;
        const char* name = bytes.data() + at + 28;
        const char* end = bytes.data() + at + length;
        const char* nameEnd =
            static_cast<const char*>(std::memchr(name, 0, static_cast<std::size_t>(end - name)));
        const char* textEnd = static_cast<const char*>(
            std::memchr(nameEnd + 1, 0, static_cast<std::size_t>(end - nameEnd - 1)));
        fields += static_cast<std::size_t>(nameEnd - name) + static_cast<std::size_t>(textEnd - nameEnd);
        at += length;
    }
    return fields;
}

// Lines by their LF, then the head by its quote.
std::size_t cutLines(const std::string& bytes) {
    std::size_t fields = 0;
    for (const char* at = bytes.data(); at < bytes.data() + bytes.size();) {
        const auto left = static_cast<std::size_t>(bytes.data() + bytes.size() - at);
        const char* end = static_cast<const char*>(std::memchr(at, '\n', left));
        const char* quote =
            static_cast<const char*>(std::memchr(at, '"', static_cast<std::size_t>(end - at)));
        fields += static_cast<std::size_t>(quote - at);
        at = end + 1;
    }
    return fields;
}

void MemchrFloor(benchmark::State& state, bool binary) {
    const std::string bytes = binary ? binaryFlood(state.range(0)) : textFlood(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(binary ? cutPackets(bytes) : cutLines(bytes));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void TalkFloodMemchrFloor(benchmark::State& state) {
    MemchrFloor(state, true);
}
BENCHMARK(TalkFloodMemchrFloor)->Arg(200000)->Unit(benchmark::kMillisecond);

void TextTalkFloodMemchrFloor(benchmark::State& state) {
    MemchrFloor(state, false);
}
BENCHMARK(TextTalkFloodMemchrFloor)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morva::testing
