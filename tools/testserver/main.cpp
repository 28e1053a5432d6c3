#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "demo_script.h"
#include "server.h"

namespace {

const char* const Usage =
    "Usage: morva-testserver --port P [--account NAME:PASSWORD]... [--classic] [--demo]\n"
    "       morva-testserver --demo [--port P] [--account NAME:PASSWORD]... [--classic]\n"
    "\n"
    "A small chat server for MorvaChat's tests and demos, on 127.0.0.1 only. It speaks the binary\n"
    "client protocol (first byte 0x01) and the text chat protocol (first byte 0x03).\n"
    "Without --account every name logs on with any password.\n"
    "It behaves like today's community servers (lower-cased password hashes, SID_PING and\n"
    "SID_SETEMAIL before the logon replies, \"has been kicked by\" notices, one-line /who answers,\n"
    "a flood quota, a second logon ending the first); --classic restores the original service's\n"
    "texts and rules.\n"
    "--demo fills the channel \"Morva Demo\" with a few members of its own who talk, emote, whisper\n"
    "whoever else is in the channel, leave and come back, one action every 3 to 6 seconds; the first\n"
    "of them is the channel's operator. With --demo the port defaults to 16112, the one of the demo\n"
    "profile (tools/demo/config.bot).\n";

constexpr int DemoPort = 16112;

}  // namespace

int main(int argc, char** argv) {
    testserver::Options options;
    int port = -1;
    bool demo = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue) {
            port = std::atoi(argv[++i]);
        } else if (arg == "--classic") {
            options.classic = true;
        } else if (arg == "--demo") {
            demo = true;
        } else if (arg == "--account" && hasValue) {
            const std::string account = argv[++i];
            const std::size_t colon = account.find(':');
            std::string name = account.substr(0, colon);
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            options.accounts[name] = colon == std::string::npos ? "" : account.substr(colon + 1);
        } else {
            std::fputs(Usage, arg == "--help" ? stdout : stderr);
            return arg == "--help" ? 0 : 2;
        }
    }
    if (demo && port == -1) port = DemoPort;
    if (port <= 0 || port > 65535) {
        std::fputs(Usage, stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    testserver::Server server(options);
    // Before any connection is taken, so that the demo's members are the channel's first.
    std::unique_ptr<testserver::DemoScript> script;
    if (demo) script = std::make_unique<testserver::DemoScript>(server);
    if (!server.listen(static_cast<quint16>(port))) {
        std::fprintf(stderr, "morva-testserver: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("morva-testserver: listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);
    return QCoreApplication::exec();
}
