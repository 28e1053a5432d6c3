#pragma once

#include <string>

namespace morva {

// What `morvachat --help` prints.
extern const char* const Usage;

struct Options {
    bool help = false;
    bool terminal = false;
    std::string profile;
};

// Returns false, having said why on standard error, when the command line is not usable.
bool ParseCommandLine(int argc, char** argv, Options& options);

// Whether the window can open: DISPLAY or WAYLAND_DISPLAY is set, or QT_QPA_PLATFORM names a platform.
bool DisplayAvailable();

}  // namespace morva
