#pragma once

#include <filesystem>

namespace morva {

// Runs the bot in its window on the running QApplication's event loop. Returns the exit status.
int RunDesktopFace(const std::filesystem::path& profileDir);

}  // namespace morva
