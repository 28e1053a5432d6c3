#include "settings/config_file.h"

#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/files.h"
#include "settings/ini_text.h"
#include "settings/settings.h"

namespace morva {

namespace {
const char* const ConfigFileName = "config.bot";
}

ConfigSnapshot::ConfigSnapshot(const Settings& settings)
    : sections_(ReadWholeFile(settings.ProfilePath(ConfigFileName)).bytes.value_or("")) {}

std::optional<std::string> ConfigSnapshot::lookup(const std::string& section, const std::string& key) const {
    return sections_.lookup(section, key);
}

std::string ConfigSnapshot::read(const std::string& section, const std::string& key) const {
    return lookup(section, key).value_or("");
}

std::vector<std::pair<std::string, std::string>> ConfigSnapshot::entries(const std::string& section) const {
    return sections_.entries(section);
}

std::string ReadConfig(const Settings& settings, const std::string& section, const std::string& key) {
    return ConfigSnapshot(settings).read(section, key);
}

namespace {
// Why config.bot could not take a new value, or nothing when it did.
std::optional<std::string> writeValue(const std::filesystem::path& path, const std::string& section,
                                      const std::string& key, const std::string& value) {
    const FileContent content = ReadWholeFile(path);
    if (!content.bytes && !content.missing) return "it could not be read (" + content.error + ")";
    // The file holds the account's password: a new one is the user's alone.
    return ReplaceFileAtomically(path, IniWrite(content.bytes.value_or(""), section, key, value), 0600);
}
}  // namespace

bool WriteConfig(Settings& settings, const std::string& section, const std::string& key,
                 const std::string& value) {
    const auto path = settings.ProfilePath(ConfigFileName);
    const auto failure = writeValue(path, section, key, value);
    // The window saves its size often: a lasting failure is told once, until a save works again.
    if (failure && !settings.ConfigSaveFailing) {
        AddChat(settings.output,
                {{ColorError, "Bot: config.bot was not saved: " + path.string() + ": " + *failure + "."}});
    }
    settings.ConfigSaveFailing = failure.has_value();
    return !failure;
}

}  // namespace morva
