#include "bot/startup.h"

#include "bot/bot.h"
#include "bot/main_window.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "output/program_texts.h"
#include "platform/files.h"
#include "settings/name_lists.h"
#include "settings/profile.h"
#include "settings/starter_profile.h"

namespace morva {

void Form_Load(Bot& bot) {
    bot.ports.shell.setCaption(std::string(TitleText) + ".");
    RestoreGeometry(bot);
    AddChat(bot.output, {{ColorInfo, std::string(TitleText)}});
    AddChat(bot.output, {{ColorStatus, std::string(SeparatorLine)}});
    RemoveStaleTemporaries(bot.settings.ProfileDir);
    MakeStarterProfile(bot.settings);
    LoadProfile(bot.settings);
    bot.connection.Bot_LoadSockets();
    Shitlist(bot.settings);
    bot.scripts.load();
    if (bot.settings.BotConfig.ConnectStartup) bot.connection.Bot_Connect();
    if (bot.settings.BotConfig.TrayStart) {
        bot.ports.shell.trayMinimize();
        bot.ports.shell.traySetTip(TrayTip(bot));
    }
}

void ReloadConfig(Bot& bot) {
    mnuReloadConfig_Click(bot.settings);
    bot.scripts.load();
}

}  // namespace morva
