#include "settings/config_file.h"

#include "platform/files.h"
#include "settings/ini_text.h"
#include "settings/settings.h"

namespace morva {

namespace {
const char* const ConfigFileName = "config.bot";
}

ConfigSnapshot::ConfigSnapshot(const Settings& settings)
    : content_(ReadWholeFile(settings.ProfilePath(ConfigFileName)).value_or("")) {}

std::optional<std::string> ConfigSnapshot::lookup(const std::string& section, const std::string& key) const {
    return IniLookup(content_, section, key);
}

std::string ConfigSnapshot::read(const std::string& section, const std::string& key) const {
    return lookup(section, key).value_or("");
}

std::string ReadConfig(const Settings& settings, const std::string& section, const std::string& key) {
    return ConfigSnapshot(settings).read(section, key);
}

bool WriteConfig(const Settings& settings, const std::string& section, const std::string& key,
                 const std::string& value) {
    const auto path = settings.ProfilePath(ConfigFileName);
    const auto content = ReadWholeFile(path);
    if (!content && std::filesystem::exists(path)) return false;
    return ReplaceFileAtomically(path, IniWrite(content.value_or(""), section, key, value));
}

}  // namespace morva
