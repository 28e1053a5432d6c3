#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace morva {

// Every setting of config.bot, as LoadProfile reads it.
struct BotConfig {
    bool TrayStart = false;
    std::int16_t Channels = 0;
    std::string Username;
    std::string Password;
    std::string Channel;
    std::string Server;
    int Port = 0;  // 1 to 65535; 0 for none
    std::int16_t Delay = 0;
    std::int16_t Stagger = 0;
    std::int16_t Socks = 0;
    std::string Master;
    std::string Trigger;
    std::string BackupChannel;
    bool ChannelProtect = false;
    bool Binary = false;
    bool WhisperWindow = false;
    bool WhisperFrame = false;
    bool ConnectStartup = false;
    std::int16_t LoginTimeout = 0;
    bool EmotesEnabled = false;
    std::string ProtectMessage;
    std::string BinaryClient;
    std::int16_t IdleDelay = 0;
    std::string IdleMessage;
    std::array<std::string, 5> FavChannels;
    bool JoinNotifications = false;
    bool LeaveNotifications = false;
    // The send queue: at most FloodLines units of chat in any FloodSeconds seconds; 0 lines sends at
    // once, as it does until a profile is loaded.
    std::int16_t FloodLines = 0;
    std::int16_t FloodSeconds = 6;
    // The chat log on disk: on or off, and its folder (empty: "Chat Logs" in the profile; a relative
    // folder is taken from the profile).
    bool LoggingEnabled = true;
    std::string LoggingFolder;
    // The operator's Lua scripts in the folder Scripts of the profile run.
    bool ScriptsEnabled = true;
};

}  // namespace morva
