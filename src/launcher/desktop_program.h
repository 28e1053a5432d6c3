#pragma once

#include <filesystem>
#include <vector>

namespace morva {

// Where the window's program may be, in the order tried: beside the launcher (a build folder, a
// portable copy in one folder), then where `cmake --install` puts it relative to the launcher.
std::vector<std::filesystem::path> DesktopProgramPaths(const std::filesystem::path& programFolder);

// Replaces this process with the window's program on the profile, keeping argv0 so that the
// window's application name (and its X11 class) stays that of the launcher. Returns only when no
// candidate could be started, having said so on standard error with the paths looked for.
void ExecDesktopProgram(const char* argv0, const std::filesystem::path& programFolder,
                        const std::filesystem::path& profile);

}  // namespace morva
