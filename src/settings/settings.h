#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "settings/bot_config.h"

namespace morva {

class Output;
class Shell;

// The settings subsystem: config.bot as read, the three name lists, and the profile folder they live
// in, with the panes its error lines go to.
class Settings {
public:
    Settings(std::filesystem::path profileDir, Output& output, Shell& shell)
        : ProfileDir(std::move(profileDir)), output(output), shell(shell) {}
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Folder of config.bot, the list files and the census files.
    const std::filesystem::path ProfileDir;
    // Paths are built at each use, so nothing about the files is cached.
    std::filesystem::path ProfilePath(const std::string& fileName) const { return ProfileDir / fileName; }

    morva::BotConfig BotConfig;
    // The access list, the safe list (names and patterns) and the chat filter's patterns.
    std::vector<std::string> AccesNames;
    std::vector<std::string> SafeNames;
    std::vector<std::string> FilterPatterns;
    // Whether each list is its file's content (or its file is missing): a list whose file could not be
    // read must not be written over it.
    bool AccesLoaded = true, SafeLoaded = true, FilterLoaded = true;
    // The last save of config.bot failed (and was reported).
    bool ConfigSaveFailing = false;

    Output& output;
    Shell& shell;
};

}  // namespace morva
