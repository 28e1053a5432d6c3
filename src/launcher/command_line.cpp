#include "launcher/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace morva {

const char* const Usage =
    "Usage: morvachat [--terminal | --window] [--profile DIR]\n"
    "\n"
    "A chat client and channel-moderation bot for Battle.net chat servers.\n"
    "It opens its window when a display answers (DISPLAY or WAYLAND_DISPLAY, or\n"
    "QT_QPA_PLATFORM names a platform), and runs in the terminal otherwise.\n"
    "\n"
    "  --terminal      run without a window: pane lines go to standard output and\n"
    "                  each line of standard input is sent like the input line's Enter;\n"
    "                  a line //help lists the menu actions typed as //word\n"
    "  --window        open the window or fail, saying why\n"
    "  --profile DIR   read and write config.bot, acces.bot, safelist.bot, filter.bot\n"
    "                  and the census files in DIR; by default the program's folder\n"
    "                  when it holds a config.bot, else $XDG_CONFIG_HOME/morvachat\n"
    "                  (~/.config/morvachat), made on the first start\n"
    "  --version       show the version\n"
    "  --help          show this text\n";

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, Options& options) {
    // --help wins wherever it stands, even beside an option that would not parse.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            options.help = true;
            return true;
        }
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--terminal") {
            options.terminal = true;
        } else if (arg == "--window") {
            options.window = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--profile" && i + 1 < argc) {
            options.profile = argv[++i];
        } else {
            std::fprintf(stderr, "morvachat: unknown or incomplete option \"%s\"\n\n%s", arg.c_str(), Usage);
            return false;
        }
    }
    if (options.terminal && options.window) {
        std::fprintf(stderr, "morvachat: --terminal and --window exclude each other\n");
        return false;
    }
    return true;
}

bool DisplayNamed() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

}  // namespace morva
