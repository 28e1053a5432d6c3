#include "settings/starter_profile.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "output/add_chat.h"
#include "output/palette.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "settings/config_file.h"
#include "settings/settings.h"

namespace morva {

namespace {

const char* const StarterConfig =
    "; MorvaChat's settings. Fill in the five keys marked below, save, and choose Reconnect.\r\n"
    "; Values are as they stand after \"=\"; True and False for switches, milliseconds for times.\r\n"
    "\r\n"
    "[Profile]\r\n"
    "; The chat server: its host name or address, and its port (1 to 65535).   <- fill in\r\n"
    "Server=\r\n"
    "Port=6112\r\n"
    "; The account and the channel to stay in.   <- fill in\r\n"
    "Username=\r\n"
    "Password=\r\n"
    "Channel=\r\n"
    "; True: the binary client protocol; False: the text chat protocol.\r\n"
    "Binary=True\r\n"
    "BinaryClient=STAR\r\n"
    "; Connect as soon as the program starts.\r\n"
    "ConnectStartup=False\r\n"
    "; Dialing: sockets racing for the connection, the first dial after Delay ms, each further socket\r\n"
    "; Stagger ms later; a logon must be done within LoginTimeout ms.\r\n"
    "Socks=1\r\n"
    "Delay=500\r\n"
    "Stagger=250\r\n"
    "LoginTimeout=10000\r\n"
    "BackupChannel=\r\n"
    "ChannelProtect=False\r\n"
    "ProtectMessage=This channel is protected.\r\n"
    "WhisperWindow=False\r\n"
    "WhisperFrame=True\r\n"
    "EmotesEnabled=True\r\n"
    "JoinNotifications=True\r\n"
    "LeaveNotifications=True\r\n"
    "TrayStart=False\r\n"
    "\r\n"
    "[Commands]\r\n"
    "; Who may give the bot commands in the channel, and what starts a command.\r\n"
    "Master=\r\n"
    "Trigger=!\r\n"
    "\r\n"
    "[Idle]\r\n"
    "; Minutes between idle messages; 0 sends none.\r\n"
    "Delay=0\r\n"
    "Message=\r\n"
    "\r\n"
    "[Flood]\r\n"
    "; At most Lines units of chat in any Seconds seconds.\r\n"
    "Lines=4\r\n"
    "Seconds=6\r\n"
    "\r\n"
    "[Logging]\r\n"
    "; Every line of the chat and whispers panes, kept by channel and day below Folder (empty: the\r\n"
    "; folder \"Chat Logs\" here).\r\n"
    "Enabled=True\r\n"
    "Folder=\r\n"
    "\r\n"
    "[Scripts]\r\n"
    "; Run the Lua scripts (*.lua) of the folder \"Scripts\" here; see docs/scripting.md.\r\n"
    "Enabled=True\r\n"
    "\r\n"
    "[Channels Log]\r\n"
    "; The census: how many channels, then Channel1=, Channel2= ...\r\n"
    "Channels=0\r\n"
    "\r\n"
    "[Favorite Channels]\r\n"
    "Channel1=\r\n"
    "Channel2=\r\n"
    "Channel3=\r\n"
    "Channel4=\r\n"
    "Channel5=\r\n";

struct KnownSection {
    std::string_view name;
    std::vector<std::string_view> keys;
};

// The keys the program reads, by section; sections of others (a census list's channels) are left alone.
const std::array<KnownSection, 8> KnownSections{{
    {"Profile", {"Server",        "Port",           "Username",          "Password",
                 "Channel",       "Binary",         "BinaryClient",      "ConnectStartup",
                 "Socks",         "Delay",          "Stagger",           "LoginTimeout",
                 "BackupChannel", "ChannelProtect", "ProtectMessage",    "WhisperWindow",
                 "WhisperFrame",  "EmotesEnabled",  "JoinNotifications", "LeaveNotifications",
                 "TrayStart"}},
    {"Commands", {"Master", "Trigger"}},
    {"Idle", {"Delay", "Message"}},
    {"Flood", {"Lines", "Seconds"}},
    {"Favorite Channels", {"Channel1", "Channel2", "Channel3", "Channel4", "Channel5"}},
    {"Form", {"Width", "Height", "Top", "Left"}},
    {"Logging", {"Enabled", "Folder"}},
    {"Scripts", {"Enabled"}},
}};

void say(Settings& settings, Rgb color, const std::string& text) {
    AddChat(settings.output, {{color, text}});
}

}  // namespace

bool MakeStarterProfile(Settings& settings) {
    const auto config = settings.ProfilePath("config.bot");
    if (!ReadWholeFile(config).missing) return false;
    if (const auto failed = ReplaceFileAtomically(config, StarterConfig, 0600)) {
        say(settings, ColorError,
            "Bot: config.bot could not be made: " + config.string() + ": " + *failed + ".");
        return false;
    }
    for (const char* list : {"acces.bot", "safelist.bot", "filter.bot"}) {
        if (ReadWholeFile(settings.ProfilePath(list)).missing)
            ReplaceFileAtomically(settings.ProfilePath(list), "");
    }
    say(settings, ColorInfo,
        "Bot: Welcome to MorvaChat. A new profile was made in " + settings.ProfileDir.string() + ".");
    say(settings, ColorInfo,
        "Bot: To connect, fill in Server, Port, Username, Password and Channel in section "
        "[Profile] of " +
            config.string() + ",");
    say(settings, ColorInfo,
        "Bot: with Configuration > Open config.bot or any text editor, then choose "
        "Reconnect (in the terminal: start the program again).");
    return true;
}

void ReportUnknownKeys(Settings& settings) {
    const ConfigSnapshot config(settings);
    for (const KnownSection& section : KnownSections) {
        for (const auto& entry : config.entries(std::string(section.name))) {
            const std::string& key = entry.first;
            const bool known =
                std::ranges::any_of(section.keys, [&](std::string_view k) { return EqualsNoCase(k, key); });
            if (!known)
                say(settings, ColorError,
                    "Bot: config.bot has an unknown key \"" + key + "\" in section [" +
                        std::string(section.name) + "]; it is not used.");
        }
    }
}

}  // namespace morva
