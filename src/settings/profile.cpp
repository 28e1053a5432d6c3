#include "settings/profile.h"

#include <string>

#include "bot/bot.h"
#include "census/census.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "settings/config_file.h"
#include "settings/config_values.h"
#include "settings/name_lists.h"

namespace morva {

namespace {

// Reads keys into BotConfig fields. A required key that is missing or malformed keeps the field's
// value (false or 0 before the first load) and is reported in one error line.
class ProfileReader {
public:
    explicit ProfileReader(Bot& bot) : bot_(bot), config_(bot) {}

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

    // A key newer than most files: missing, it takes its default without a word.
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
        AddChat(bot_, {{ColorError, "Bot: config.bot " + problem}});
    }

    Bot& bot_;
    ConfigSnapshot config_;
};

std::int16_t notBelowZero(std::int16_t value) {
    return value < 0 ? 0 : value;
}

void loadFavorites(Bot& bot, const ConfigSnapshot& config) {
    auto& favorites = bot.BotConfig.FavChannels;
    favorites.fill("");
    for (int i = 1; i <= 5; ++i) {
        favorites[i - 1] = config.read("Favorite Channels", "Channel" + std::to_string(i));
        if (favorites[i - 1].empty()) {
            bot.ports.shell.setFavoriteCaption(i - 1, "Empty");
        } else {
            bot.ports.shell.enableFavorite(i - 1);
            bot.ports.shell.setFavoriteCaption(i - 1, favorites[i - 1]);
        }
    }
}

}  // namespace

void LoadProfile(Bot& bot) {
    BotConfig& c = bot.BotConfig;
    const ProfileReader read(bot);
    read.flag("Profile", "TrayStart", c.TrayStart);
    read.int16("Channels Log", "Channels", c.Channels);
    c.Channels = notBelowZero(c.Channels);
    read.text("Profile", "Username", c.Username);
    read.text("Profile", "Password", c.Password);
    read.text("Profile", "Channel", c.Channel);
    read.text("Profile", "Server", c.Server);
    read.int16("Profile", "Port", c.Port);
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

    bot.tmrLoginTimeout->setInterval(c.LoginTimeout);
    bot.ports.shell.setWhisperWindowEntryEnabled(c.WhisperWindow);

    read.flag("Profile", "EmotesEnabled", c.EmotesEnabled);
    read.text("Profile", "ProtectMessage", c.ProtectMessage);
    read.text("Profile", "BinaryClient", c.BinaryClient);
    read.int16("Idle", "Delay", c.IdleDelay);
    read.text("Idle", "Message", c.IdleMessage);
    loadFavorites(bot, read.config());
    read.flag("Profile", "JoinNotifications", c.JoinNotifications);
    read.flag("Profile", "LeaveNotifications", c.LeaveNotifications);
    read.newInt16("Flood", "Lines", c.FloodLines, 4);
    read.newInt16("Flood", "Seconds", c.FloodSeconds, 6);

    bot.ports.shell.relayout(c.WhisperFrame);
    Acceslist(bot);
    Safelist(bot);
}

void LoadChannelLogList(Bot& bot) {
    const ConfigSnapshot config(bot);
    auto& list = bot.BotConfig.ChannelLogList;
    list.assign(static_cast<std::size_t>(bot.BotConfig.Channels), "");
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i] = config.read("Channels Log", "Channel" + std::to_string(i + 1));
    MakeLogFolders(bot);
}

void mnuOpenConfig_Click(Bot& bot) {
    bot.ports.shell.openExternal(bot.ProfilePath("config.bot").string());
}

void mnuReloadConfig_Click(Bot& bot) {
    LoadProfile(bot);
    AddChat(bot, {{ColorGrey, "Config.bot reloaded. (Note: Controls will not reload.)"}});
}

}  // namespace morva
