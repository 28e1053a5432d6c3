#include "moderation/command_settings.h"

#include "bot/bot.h"
#include "platform/text_case.h"
#include "settings/config_file.h"

namespace morva {

std::optional<bool> ProtectSwitch(std::string_view argument) {
    if (LowerCase(argument.substr(0, 2)) == "on") return true;
    if (LowerCase(argument.substr(0, 3)) == "off") return false;
    return std::nullopt;
}

void SetChannelProtect(Bot& bot, bool on) {
    bot.BotConfig.ChannelProtect = on;
    WriteConfig(bot, "Profile", "ChannelProtect", on ? "True" : "False");
}

std::optional<std::string> SetTrigger(Bot& bot, const std::string& argument) {
    const std::string trigger = argument.substr(0, argument.find_first_of("\r\n"));
    if (trigger.empty()) return std::nullopt;
    bot.BotConfig.Trigger = trigger;
    WriteConfig(bot, "Commands", "Trigger", trigger);
    return trigger;
}

}  // namespace morva
