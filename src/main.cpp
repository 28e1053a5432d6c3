#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "terminal/terminal_face.h"
#include "ui/desktop_face.h"

namespace {

const char* const Usage =
    "Usage: morvachat [--terminal] [--profile DIR]\n"
    "\n"
    "A chat client and channel-moderation bot for Battle.net chat servers.\n"
    "It opens its window when a display is available (DISPLAY or WAYLAND_DISPLAY\n"
    "is set, or QT_QPA_PLATFORM names a platform), and runs in the terminal otherwise.\n"
    "\n"
    "  --terminal      run without a window: pane lines go to standard output and\n"
    "                  each line of standard input is sent like the input line's Enter\n"
    "  --profile DIR   read and write config.bot, acces.bot, safelist.bot, filter.bot\n"
    "                  and the census files in DIR (default: the folder of the program)\n"
    "  --help          show this text\n";

struct Options {
    bool terminal = false;
    std::string profile;
};

// Returns false, having said why, when the command line is not usable.
bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--terminal") {
            options.terminal = true;
        } else if (arg == "--profile" && i + 1 < argc) {
            options.profile = argv[++i];
        } else {
            std::fprintf(stderr, "morvachat: unknown or incomplete option \"%s\"\n\n%s", arg.c_str(), Usage);
            return false;
        }
    }
    return true;
}

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

bool displayAvailable() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
    }
    Options options;
    if (!parse(argc, argv, options)) return 2;

    const bool window = !options.terminal && displayAvailable();
    const std::unique_ptr<QCoreApplication> app =
        window ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const std::filesystem::path profile =
        options.profile.empty() ? QCoreApplication::applicationDirPath().toStdString() : options.profile;
    if (!std::filesystem::is_directory(profile)) {
        std::fprintf(stderr, "morvachat: the profile folder \"%s\" does not exist\n", profile.c_str());
        return 2;
    }
    return window ? morva::RunDesktopFace(profile) : morva::RunTerminalFace(profile);
}
