// The terminal face end to end: the real `morvachat --terminal`, standard output to a file, against
// the test server flooding it over loopback. Figures: the flood's time from its first byte to its
// last line in the file, the floor (the same bytes cut into packets and formatted by a plain memchr
// loop into a file, in this program), and the resident size idle after the logon and after a
// flood of a million events.
// Usage: bench_terminal_flood [EVENTS [MEMORY_EVENTS]]   (200000 and 1000000)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/bot_fixture.h"
#include "support/child_process.h"
#include "support/flood_floor.h"
#include "support/flood_server.h"
#include "support/measure.h"
#include "testserver/flood_events.h"

namespace morva::bench {
namespace {

using namespace std::chrono_literals;
using testserver::FloodEvents;

// morvachat in the terminal, its standard output in a file of the profile folder.
class TerminalBot {
public:
    TerminalBot(const testing::TempProfile& profile, int port)
        : output_(profile.dir() / "stdout.txt"),
          process_({"/bin/sh", "-c", "exec \"$0\" --terminal --profile \"$1\" > \"$2\"", MORVACHAT_PATH,
                    profile.dir().string(), output_.string()}) {
        WriteFloodProfile(profile.dir(), port);
    }
    pid_t pid() const { return process_.pid(); }
    const std::filesystem::path& output() const { return output_; }

    // Polls the end of the output file until it holds `text`; returns the moment it was seen, or -1.
    std::int64_t waitForTail(const std::string& text, std::chrono::seconds timeout) const {
        const std::int64_t deadline = MonotonicNs() + std::chrono::nanoseconds(timeout).count();
        std::string tail(512, '\0');
        while (MonotonicNs() < deadline) {
            const int fd = ::open(output_.c_str(), O_RDONLY);
            struct stat info {};
            if (fd >= 0 && ::fstat(fd, &info) == 0) {
                const off_t from = std::max<off_t>(0, info.st_size - static_cast<off_t>(tail.size()));
                const ssize_t n = ::pread(fd, tail.data(), tail.size(), from);
                if (n > 0 && std::string_view(tail.data(), static_cast<std::size_t>(n)).find(text) !=
                                 std::string_view::npos) {
                    ::close(fd);
                    return MonotonicNs();
                }
            }
            if (fd >= 0) ::close(fd);
            std::this_thread::sleep_for(1ms);
        }
        return -1;
    }

private:
    std::filesystem::path output_;
    testing::ChildProcess process_;
};

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The same bytes cut into packets, formatted as lines and written to a file, as plainly as it goes.
double FloorSeconds(const std::string& flood, const std::filesystem::path& file, std::int64_t events) {
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        const std::int64_t start = MonotonicNs();
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::string lines;
        const std::size_t found = CutPackets(flood, [&](std::string_view name, std::string_view text) {
            FormatTalkLine(lines, name, text);
            if (lines.size() >= 64 * 1024) {
                std::fwrite(lines.data(), 1, lines.size(), out);
                lines.clear();
            }
        });
        std::fwrite(lines.data(), 1, lines.size(), out);
        std::fclose(out);
        runs.push_back(static_cast<double>(MonotonicNs() - start) / 1e9);
        if (found != static_cast<std::size_t>(events)) throw std::runtime_error("the floor lost events");
    }
    return Median(runs);
}

void Speed(std::int64_t events) {
    FloodServer server(events, 500);
    const testing::TempProfile profile;
    const TerminalBot bot(profile, server.port());
    const std::int64_t start = server.startNs(20s);
    const std::int64_t end = bot.waitForTail(FloodEvents::LastText, 120s);
    if (end < 0) throw std::runtime_error("the flood's last line never reached standard output");
    const double seconds = static_cast<double>(end - start) / 1e9;
    const std::size_t shown = Count(profile.read("stdout.txt"), "flood line ");
    PrintFigure("terminal_events", static_cast<double>(events));
    PrintFigure("terminal_lines_shown", static_cast<double>(shown));
    PrintFigure("terminal_seconds", seconds);
    PrintFigure("terminal_events_per_s", static_cast<double>(events) / seconds);
    PrintFigure("terminal_floor_seconds",
                FloorSeconds(FloodEvents::bytes(events, true), profile.dir() / "floor.txt", events));
}

void Memory(std::int64_t events) {
    constexpr auto Idle = 3s;
    FloodServer server(events, static_cast<int>(std::chrono::milliseconds(Idle).count()));
    const testing::TempProfile profile;
    const TerminalBot bot(profile, server.port());
    if (bot.waitForTail("Flood Test", 20s) < 0) throw std::runtime_error("the bot did not join its channel");
    std::this_thread::sleep_for(Idle / 2);
    PrintFigure("terminal_idle_kb", static_cast<double>(ResidentKb(bot.pid())));
    server.startNs(20s);
    if (bot.waitForTail(FloodEvents::LastText, 300s) < 0)
        throw std::runtime_error("the flood's last line never reached standard output");
    PrintFigure("terminal_memory_events", static_cast<double>(events));
    PrintFigure("terminal_after_flood_kb", static_cast<double>(ResidentKb(bot.pid())));
}

}  // namespace
}  // namespace morva::bench

int main(int argc, char** argv) {
    const std::int64_t events = argc > 1 ? std::atoll(argv[1]) : 200000;
    const std::int64_t memoryEvents = argc > 2 ? std::atoll(argv[2]) : 1000000;
    try {
        morva::bench::Speed(events);
        morva::bench::Memory(memoryEvents);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_terminal_flood: %s\n", e.what());
        return 1;
    }
    return 0;
}
