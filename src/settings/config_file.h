#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/ini_text.h"

namespace morva {

class Settings;

// The value of a key of config.bot, "" when the key, its section or the file is missing.
std::string ReadConfig(const Settings& settings, const std::string& section, const std::string& key);
// Writes key=value into config.bot, creating what is missing (a new file is readable by its owner
// only); the file is replaced whole or not at all, never when it exists but could not be read.
// Returns false when the file could not be written, after an error line (one for a run of failures).
bool WriteConfig(Settings& settings, const std::string& section, const std::string& key,
                 const std::string& value);

// A snapshot of config.bot for reading many keys at once; a missing file reads as empty.
class ConfigSnapshot {
public:
    explicit ConfigSnapshot(const Settings& settings);
    std::optional<std::string> lookup(const std::string& section, const std::string& key) const;
    std::string read(const std::string& section, const std::string& key) const;
    // Every key of a section, for reading many keys of one section in one pass.
    std::vector<std::pair<std::string, std::string>> entries(const std::string& section) const;

private:
    IniSections sections_;
};

}  // namespace morva
