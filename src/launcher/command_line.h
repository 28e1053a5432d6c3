#pragma once

#include <string>

namespace morva {

// What `morvachat --help` prints.
extern const char* const Usage;

struct Options {
    bool help = false;
    bool version = false;
    bool terminal = false;
    bool window = false;
    std::string profile;
};

// Returns false, having said why on standard error, when the command line is not usable.
bool ParseCommandLine(int argc, char** argv, Options& options);

// Whether a display is named at all: DISPLAY or WAYLAND_DISPLAY is set, or QT_QPA_PLATFORM names a
// platform.
bool DisplayNamed();

}  // namespace morva
