#include "launcher/desktop_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace morva {

namespace {

// Beside the launcher (a build folder, a portable copy in one folder), then where `cmake --install`
// puts it relative to the launcher.
std::vector<std::filesystem::path> DesktopProgramPaths(const std::filesystem::path& programFolder) {
    const std::filesystem::path installed =
        programFolder / MORVA_DESKTOP_DIR_FROM_BIN / MORVA_DESKTOP_PROGRAM;
    return {programFolder / MORVA_DESKTOP_PROGRAM, installed.lexically_normal()};
}

}  // namespace

void ExecDesktopProgram(const char* argv0, const std::filesystem::path& programFolder,
                        const std::filesystem::path& profile) {
    const char* const args[] = {argv0, "--profile", profile.c_str(), nullptr};
    std::string looked;
    for (const std::filesystem::path& path : DesktopProgramPaths(programFolder)) {
        ::execv(path.c_str(), const_cast<char* const*>(args));
        if (errno != ENOENT) {
            std::fprintf(stderr,
                         "morvachat: the window's program \"%s\" could not be started (%s); "
                         "running in the terminal\n",
                         path.c_str(), std::strerror(errno));
            return;
        }
        looked += (looked.empty() ? "\"" : " and \"") + path.string() + '"';
    }
    std::fprintf(stderr,
                 "morvachat: the window's program was not found (looked for %s); running in the terminal\n",
                 looked.c_str());
}

}  // namespace morva
