#include "moderation/command_settings.h"

#include "platform/text_case.h"
#include "settings/config_file.h"
#include "settings/settings.h"

namespace morva {

std::optional<bool> ProtectSwitch(std::string_view argument) {
    if (LowerCase(argument.substr(0, 2)) == "on") return true;
    if (LowerCase(argument.substr(0, 3)) == "off") return false;
    return std::nullopt;
}

void SetChannelProtect(Settings& settings, bool on) {
    settings.BotConfig.ChannelProtect = on;
    WriteConfig(settings, "Profile", "ChannelProtect", on ? "True" : "False");
}

std::optional<std::string> SetTrigger(Settings& settings, const std::string& argument) {
    const std::string trigger = argument.substr(0, argument.find_first_of("\r\n"));
    if (trigger.empty()) return std::nullopt;
    settings.BotConfig.Trigger = trigger;
    WriteConfig(settings, "Commands", "Trigger", trigger);
    return trigger;
}

}  // namespace morva
