#include "bot/main_window.h"

#include <cstdio>

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/input_line.h"
#include "chat/palette.h"
#include "settings/config_file.h"
#include "settings/config_values.h"

namespace morva {

namespace {
std::string trayTip(const Bot& bot) {
    return bot.CurrentName + " in channel " + bot.CurrentChannel + ".";
}
}  // namespace

void RestoreGeometry(Bot& bot) {
    const ConfigSnapshot config(bot);
    const std::pair<const char*, WindowMeasure> measures[] = {{"Height", WindowMeasure::Height},
                                                              {"Width", WindowMeasure::Width},
                                                              {"Left", WindowMeasure::Left},
                                                              {"Top", WindowMeasure::Top}};
    for (const auto& [key, measure] : measures) {
        const std::string value = config.read("Form", key);
        if (value.empty()) continue;
        if (const auto twips = ParseDecimal(value)) {
            bot.ports.shell.setWindowMeasure(measure, *twips);
        } else {
            AddChat(bot, {{ColorError,
                           "Bot: config.bot has \"" + std::string(key) + "=" + value +
                               "\" in section [Form], which is not a number; keeping the design size."}});
        }
    }
}

void Form_Resize(Bot& bot, bool minimized) {
    if (!minimized) {
        bot.tmrResize->start();
        return;
    }
    bot.ports.shell.trayMinimize();
    bot.ports.shell.traySetTip(trayTip(bot));
}

std::string TwipsText(double twips) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", twips);
    return text;
}

void tmrResize_Timer(Bot& bot) {
    const WindowGeometry geometry = bot.ports.shell.windowGeometry();
    WriteConfig(bot, "Form", "Width", TwipsText(geometry.width));
    WriteConfig(bot, "Form", "Height", TwipsText(geometry.height));
    WriteConfig(bot, "Form", "Top", TwipsText(geometry.top));
    WriteConfig(bot, "Form", "Left", TwipsText(geometry.left));
    bot.tmrResize->stop();
}

void tmrIdle_Timer(Bot& bot) {
    if (bot.IdleCounter < 32767) ++bot.IdleCounter;
    if (bot.IdleCounter < bot.BotConfig.IdleDelay) return;
    SendUserLine(bot, " && " + bot.BotConfig.IdleMessage + " && Morva Chat " + bot.VersionText + ".",
                 bot.ActiveSocket);
    bot.IdleCounter = 0;
}

void mnuAbout_Click(Bot& bot) {
    AddChat(bot, {{ColorStatus, bot.SeparatorLine}});
    AddChat(bot, {{ColorWhite, bot.TitleText}});
    AddChat(bot, {{ColorStatus, bot.SeparatorLine}});
}

}  // namespace morva
