#include "bot/startup.h"

#include "bot/bot.h"
#include "bot/main_window.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "connection/connection.h"
#include "settings/name_lists.h"
#include "settings/profile.h"

namespace morva {

void Form_Load(Bot& bot) {
    bot.ports.shell.setCaption(bot.TitleText + ".");
    RestoreGeometry(bot);
    AddChat(bot, {{ColorInfo, bot.TitleText}});
    AddChat(bot, {{ColorStatus, bot.SeparatorLine}});
    LoadProfile(bot);
    Bot_LoadSockets(bot);
    Shitlist(bot);
    if (bot.BotConfig.ConnectStartup) Bot_Connect(bot);
    if (bot.BotConfig.TrayStart) {
        bot.ports.shell.trayMinimize();
        bot.ports.shell.traySetTip(bot.CurrentName + " in channel " + bot.CurrentChannel + ".");
    }
}

}  // namespace morva
