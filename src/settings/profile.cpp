#include "settings/profile.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "output/add_chat.h"
#include "output/chat_log.h"
#include "output/palette.h"
#include "platform/shell.h"
#include "platform/text_case.h"
#include "settings/config_file.h"
#include "settings/config_values.h"
#include "settings/name_lists.h"
#include "settings/settings.h"
#include "settings/starter_profile.h"

namespace morva {

namespace {

// Reads keys into BotConfig fields. A required key that is missing or malformed keeps the field's
// value (false or 0 before the first load) and is reported in one error line.
class ProfileReader {
public:
    explicit ProfileReader(Settings& settings) : settings_(settings), config_(settings) {}

    const ConfigSnapshot& config() const { return config_; }

    void text(const char* section, const char* key, std::string& field) const {
        field = config_.read(section, key);
    }

    void flag(const char* section, const char* key, bool& field) const {
        read(section, key, field, ParseFlag, "True or False", field ? "True" : "False");
    }

    void int16(const char* section, const char* key, std::int16_t& field) const {
        read(section, key, field, ParseInt16, "a whole number from -32768 to 32767", std::to_string(field));
    }

    void port(const char* section, const char* key, int& field) const {
        read(section, key, field, ParsePort, "a port number from 1 to 65535", std::to_string(field));
    }

    // Keys newer than most files: missing, they take their default without a word.
    void newFlag(const char* section, const char* key, bool& field, bool byDefault) const {
        if (config_.lookup(section, key)) {
            flag(section, key, field);
        } else {
            field = byDefault;
        }
    }

    void newInt16(const char* section, const char* key, std::int16_t& field, std::int16_t byDefault) const {
        if (config_.lookup(section, key)) {
            int16(section, key, field);
        } else {
            field = byDefault;
        }
    }

private:
    template <typename T, typename Parse>
    void read(const char* section, const char* key, T& field, Parse parse, const char* expected,
              const std::string& kept) const {
        const auto value = config_.lookup(section, key);
        if (!value) {
            report("has no \"" + std::string(key) + "\" in section [" + section + "]; keeping " + kept + ".");
        } else if (const auto parsed = parse(*value)) {
            field = *parsed;
        } else {
            report("has \"" + std::string(key) + "=" + *value + "\" in section [" + section +
                   "], which is not " + expected + "; keeping " + kept + ".");
        }
    }

    void report(const std::string& problem) const {
        AddChat(settings_.output, {{ColorError, "Bot: config.bot " + problem}});
    }

    Settings& settings_;
    ConfigSnapshot config_;
};

std::int16_t notBelowZero(std::int16_t value) {
    return value < 0 ? 0 : value;
}

void loadFavorites(Settings& settings, const ConfigSnapshot& config) {
    auto& favorites = settings.BotConfig.FavChannels;
    favorites.fill("");
    for (int i = 1; i <= 5; ++i) {
        favorites[i - 1] = config.read("Favorite Channels", "Channel" + std::to_string(i));
        if (favorites[i - 1].empty()) {
            settings.shell.setFavoriteCaption(i - 1, "Empty");
        } else {
            settings.shell.enableFavorite(i - 1);
            settings.shell.setFavoriteCaption(i - 1, favorites[i - 1]);
        }
    }
}

}  // namespace

void LoadProfile(Settings& settings) {
    BotConfig& c = settings.BotConfig;
    const ProfileReader read(settings);
    read.flag("Profile", "TrayStart", c.TrayStart);
    read.int16("Channels Log", "Channels", c.Channels);
    c.Channels = notBelowZero(c.Channels);
    read.text("Profile", "Username", c.Username);
    read.text("Profile", "Password", c.Password);
    read.text("Profile", "Channel", c.Channel);
    read.text("Profile", "Server", c.Server);
    read.port("Profile", "Port", c.Port);
    read.int16("Profile", "Delay", c.Delay);
    read.int16("Profile", "Stagger", c.Stagger);
    read.int16("Profile", "Socks", c.Socks);
    read.text("Commands", "Master", c.Master);
    read.text("Commands", "Trigger", c.Trigger);
    read.text("Profile", "BackupChannel", c.BackupChannel);
    read.flag("Profile", "ChannelProtect", c.ChannelProtect);
    read.flag("Profile", "Binary", c.Binary);
    read.flag("Profile", "WhisperWindow", c.WhisperWindow);
    read.flag("Profile", "WhisperFrame", c.WhisperFrame);
    read.flag("Profile", "ConnectStartup", c.ConnectStartup);
    read.int16("Profile", "LoginTimeout", c.LoginTimeout);
    c.LoginTimeout = notBelowZero(c.LoginTimeout);

    settings.shell.setWhisperWindowEntryEnabled(c.WhisperWindow);

    read.flag("Profile", "EmotesEnabled", c.EmotesEnabled);
    read.text("Profile", "ProtectMessage", c.ProtectMessage);
    read.text("Profile", "BinaryClient", c.BinaryClient);
    read.int16("Idle", "Delay", c.IdleDelay);
    read.text("Idle", "Message", c.IdleMessage);
    loadFavorites(settings, read.config());
    read.flag("Profile", "JoinNotifications", c.JoinNotifications);
    read.flag("Profile", "LeaveNotifications", c.LeaveNotifications);
    read.newInt16("Flood", "Lines", c.FloodLines, 4);
    read.newInt16("Flood", "Seconds", c.FloodSeconds, 6);
    read.newFlag("Logging", "Enabled", c.LoggingEnabled, true);
    read.text("Logging", "Folder", c.LoggingFolder);
    read.newFlag("Scripts", "Enabled", c.ScriptsEnabled, true);
    if (settings.output.log)
        settings.output.log->configure(
            c.LoggingEnabled,
            settings.ProfileDir / (c.LoggingFolder.empty() ? std::string("Chat Logs") : c.LoggingFolder));

    settings.shell.relayout(c.WhisperFrame);
    ReportUnknownKeys(settings);
    Acceslist(settings);
    Safelist(settings);
}

std::vector<std::string> ReadChannelLogList(const Settings& settings) {
    // The section is read once: a look-up per channel reads the whole file, and a census of thousands
    // of channels in a large file would hold up the start for seconds.
    std::unordered_map<std::string, std::string> values;
    for (auto& [key, value] : ConfigSnapshot(settings).entries("Channels Log"))
        values.emplace(LowerCase(key), std::move(value));  // the first of a key that comes twice counts
    std::vector<std::string> list(static_cast<std::size_t>(std::max<int>(0, settings.BotConfig.Channels)));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto found = values.find("channel" + std::to_string(i + 1));
        if (found != values.end()) list[i] = found->second;
    }
    return list;
}

void mnuOpenConfig_Click(Settings& settings) {
    settings.shell.openExternal(settings.ProfilePath("config.bot").string());
}

void mnuReloadConfig_Click(Settings& settings) {
    LoadProfile(settings);
    AddChat(settings.output, {{ColorGrey, "Config.bot reloaded. (Note: Controls will not reload.)"}});
}

}  // namespace morva
