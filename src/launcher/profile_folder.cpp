#include "launcher/profile_folder.h"

#include <cstdio>
#include <system_error>

namespace morva {

std::filesystem::path ProgramFolder(const char* argv0) {
    std::error_code error;
    std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", error);
    // Without /proc the command's own path is the best there is.
    if (error) program = std::filesystem::weakly_canonical(std::filesystem::absolute(argv0));
    return program.parent_path();
}

bool ResolveProfile(const Options& options, const std::filesystem::path& programFolder,
                    std::filesystem::path& profile) {
    profile = options.profile.empty() ? programFolder : std::filesystem::path(options.profile);
    if (std::filesystem::is_directory(profile)) return true;
    std::fprintf(stderr, "morvachat: the profile folder \"%s\" does not exist\n", profile.c_str());
    return false;
}

}  // namespace morva
