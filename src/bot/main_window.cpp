#include "bot/main_window.h"

#include <cstdio>

#include "bot/bot.h"
#include "chat/input_line.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "output/program_texts.h"
#include "settings/config_file.h"
#include "settings/config_values.h"

namespace morva {

std::string TrayTip(const Bot& bot) {
    return bot.chat.CurrentName + " in channel " + bot.chat.CurrentChannel + ".";
}

void RestoreGeometry(Bot& bot) {
    const ConfigSnapshot config(bot.settings);
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
            AddChat(
                bot.output,
                {{ColorError, "Bot: config.bot has \"" + std::string(key) + "=" + value +
                                  "\" in section [Form], which is not a number; keeping the design size."}});
        }
    }
}

void Form_Resize(Bot& bot, bool minimized) {
    if (!minimized) {
        bot.window.tmrResize->start();
        return;
    }
    bot.ports.shell.trayMinimize();
    bot.ports.shell.traySetTip(TrayTip(bot));
}

std::string TwipsText(double twips) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", twips);
    return text;
}

void tmrResize_Timer(Bot& bot) {
    const WindowGeometry geometry = bot.ports.shell.windowGeometry();
    WriteConfig(bot.settings, "Form", "Width", TwipsText(geometry.width));
    WriteConfig(bot.settings, "Form", "Height", TwipsText(geometry.height));
    WriteConfig(bot.settings, "Form", "Top", TwipsText(geometry.top));
    WriteConfig(bot.settings, "Form", "Left", TwipsText(geometry.left));
    bot.window.tmrResize->stop();
}

void tmrIdle_Timer(Bot& bot) {
    std::int16_t& counter = bot.window.IdleCounter;
    if (counter < 32767) ++counter;
    if (counter < bot.settings.BotConfig.IdleDelay) return;
    SendUserLine(bot.chat, " && " + bot.settings.BotConfig.IdleMessage + " && Morva Chat " +
                               std::string(VersionText) + ".");
    counter = 0;
}

void mnuAbout_Click(Bot& bot) {
    AddChat(bot.output, {{ColorStatus, std::string(SeparatorLine)}});
    AddChat(bot.output, {{ColorWhite, std::string(TitleText)}});
    AddChat(bot.output, {{ColorStatus, std::string(SeparatorLine)}});
}

}  // namespace morva
