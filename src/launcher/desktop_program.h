#pragma once

#include <filesystem>

namespace morva {

// Replaces this process with the window's program (morvachat-desktop, looked for beside the launcher
// and then where it is installed) on the profile, keeping argv0 so that the window's application
// name (and its X11 class) stays that of the launcher. Returns only when no candidate could be
// started, having said so on standard error with the paths looked for.
void ExecDesktopProgram(const char* argv0, const std::filesystem::path& programFolder,
                        const std::filesystem::path& profile);

}  // namespace morva
