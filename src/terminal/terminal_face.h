#pragma once

#include <filesystem>

namespace morva {

// Runs the bot without a window on the running QCoreApplication's event loop: pane lines go to
// standard output, standard input lines are the input line. Returns the exit status.
int RunTerminalFace(const std::filesystem::path& profileDir);

}  // namespace morva
