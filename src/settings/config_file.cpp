#include "settings/config_file.h"

#include "bot/bot.h"
#include "platform/files.h"
#include "settings/ini_text.h"

namespace morva {

namespace {
const char* const ConfigFileName = "config.bot";
}

ConfigSnapshot::ConfigSnapshot(const Bot& bot)
    : content_(ReadWholeFile(bot.ProfilePath(ConfigFileName)).value_or("")) {}

std::optional<std::string> ConfigSnapshot::lookup(const std::string& section, const std::string& key) const {
    return IniLookup(content_, section, key);
}

std::string ConfigSnapshot::read(const std::string& section, const std::string& key) const {
    return lookup(section, key).value_or("");
}

std::string ReadConfig(const Bot& bot, const std::string& section, const std::string& key) {
    return ConfigSnapshot(bot).read(section, key);
}

bool WriteConfig(const Bot& bot, const std::string& section, const std::string& key,
                 const std::string& value) {
    const auto path = bot.ProfilePath(ConfigFileName);
    const auto content = ReadWholeFile(path);
    if (!content && std::filesystem::exists(path)) return false;
    return ReplaceFileAtomically(path, IniWrite(content.value_or(""), section, key, value));
}

}  // namespace morva
