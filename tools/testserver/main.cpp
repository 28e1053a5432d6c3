#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "demo_script.h"
#include "server.h"

namespace {

const char* const Usage =
    "Usage: morva-testserver --port P [--account NAME:PASSWORD]... [--classic] [--demo]\n"
    "                        [--demo-pace MS] [--flood-window MS] [--flood N [--flood-delay MS]]\n"
    "       morva-testserver --demo [--port P] [--account NAME:PASSWORD]... [--classic]\n"
    "                        [--demo-pace MS] [--flood-window MS]\n"
    "\n"
    "A small chat server for MorvaChat's tests and demos, on 127.0.0.1 only. It speaks the binary\n"
    "client protocol (first byte 0x01) and the text chat protocol (first byte 0x03).\n"
    "Without --account every name logs on with any password.\n"
    "It behaves like today's community servers (lower-cased password hashes, SID_PING and\n"
    "SID_SETEMAIL before the logon replies, \"has been kicked by\" notices, one-line /who answers,\n"
    "a flood quota, a second logon ending the first); --classic restores the original service's\n"
    "texts and rules. --flood-window sets the quota's window (default 5000 ms).\n"
    "--demo fills the channel \"Morva Demo\" with a few members of its own who talk, emote, whisper\n"
    "whoever else is in the channel, leave and come back, one action every 3 to 6 seconds (every MS\n"
    "milliseconds with --demo-pace MS); the first of them is the channel's operator. With --demo the\n"
    "port defaults to 16112, the one of the demo profile (tools/demo/config.bot).\n"
    "--flood N: MS milliseconds (default 0) after the first connected client joins a channel, four\n"
    "members join it and send N talk events as fast as the client's socket takes them; the last\n"
    "says \"end of flood\". The start (with the monotonic clock in ns) and the end of the writing\n"
    "are reported on standard output, for benchmarks (scripts/bench.sh).\n";

constexpr int DemoPort = 16112;

struct Arguments {
    testserver::Options options;
    testserver::DemoPace pace;
    int port = -1;
    bool demo = false;
    bool help = false;
};

void addAccount(testserver::Options& options, const std::string& account) {
    const std::size_t colon = account.find(':');
    std::string name = account.substr(0, colon);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    options.accounts[name] = colon == std::string::npos ? "" : account.substr(colon + 1);
}

// The command line, or nothing when an argument is unknown, lacks its value or is out of range.
std::optional<Arguments> parse(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue) {
            args.port = std::atoi(argv[++i]);
        } else if (arg == "--classic") {
            args.options.classic = true;
        } else if (arg == "--flood-window" && hasValue) {
            args.options.floodWindowMs = std::atoi(argv[++i]);
        } else if (arg == "--flood" && hasValue) {
            args.options.floodEvents = std::atoll(argv[++i]);
        } else if (arg == "--flood-delay" && hasValue) {
            args.options.floodDelayMs = std::atoi(argv[++i]);
        } else if (arg == "--demo") {
            args.demo = true;
        } else if (arg == "--demo-pace" && hasValue) {
            args.pace.shortestMs = args.pace.longestMs = std::atoi(argv[++i]);
        } else if (arg == "--account" && hasValue) {
            addAccount(args.options, argv[++i]);
        } else if (arg == "--help") {
            args.help = true;
        } else {
            return std::nullopt;
        }
    }
    if (args.demo && args.port == -1) args.port = DemoPort;
    const bool valid = args.port > 0 && args.port <= 65535 && args.options.floodWindowMs > 0 &&
                       args.pace.shortestMs > 0 && args.options.floodEvents >= 0 &&
                       args.options.floodDelayMs >= 0;
    return valid || args.help ? std::optional(args) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Arguments> args = parse(argc, argv);
    if (!args || args->help) {
        std::fputs(Usage, args ? stdout : stderr);
        return args ? 0 : 2;
    }
    const int port = args->port;
    QCoreApplication app(argc, argv);
    testserver::Server server(args->options);
    // Before any connection is taken, so that the demo's members are the channel's first.
    std::unique_ptr<testserver::DemoScript> script;
    if (args->demo) script = std::make_unique<testserver::DemoScript>(server, args->pace);
    if (!server.listen(static_cast<quint16>(port))) {
        std::fprintf(stderr, "morva-testserver: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("morva-testserver: listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);
    return QCoreApplication::exec();
}
