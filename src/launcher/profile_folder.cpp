#include "launcher/profile_folder.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace morva {

std::filesystem::path ProgramFolder(const char* argv0) {
    std::error_code error;
    std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", error);
    // Without /proc the command's own path is the best there is.
    if (error) program = std::filesystem::weakly_canonical(std::filesystem::absolute(argv0));
    return program.parent_path();
}

namespace {

// Where XDG puts a user's settings; empty when neither variable says.
std::filesystem::path userProfile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/') return std::filesystem::path(config) / "morvachat";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::filesystem::path(home) / ".config" / "morvachat";
    return {};
}

bool makeUserProfile(std::filesystem::path& profile) {
    profile = userProfile();
    if (profile.empty()) {
        std::fprintf(stderr,
                     "morvachat: neither XDG_CONFIG_HOME nor HOME is set; give the profile folder "
                     "with --profile DIR\n");
        return false;
    }
    std::error_code error;
    if (std::filesystem::create_directories(profile, error))
        std::filesystem::permissions(profile, std::filesystem::perms::owner_all, error);
    if (!error && std::filesystem::is_directory(profile)) return true;
    std::fprintf(stderr, "morvachat: the profile folder \"%s\" could not be made: %s\n", profile.c_str(),
                 error ? error.message().c_str() : "a file is in its place");
    return false;
}

}  // namespace

bool ResolveProfile(const Options& options, const std::filesystem::path& programFolder,
                    std::filesystem::path& profile) {
    if (options.profile.empty()) {
        if (!std::filesystem::exists(programFolder / "config.bot")) return makeUserProfile(profile);
        profile = programFolder;
        return true;
    }
    // Absolute, so that every path made from it (the file URL that opens config.bot) is whole.
    profile = std::filesystem::absolute(options.profile).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(profile, error)) return true;
    const std::string why = std::filesystem::exists(profile, error) ? "is not a folder"
                            : error                                 ? "cannot be reached: " + error.message()
                                                                    : "does not exist";
    std::fprintf(stderr, "morvachat: the profile folder \"%s\" %s\n", profile.c_str(), why.c_str());
    return false;
}

}  // namespace morva
