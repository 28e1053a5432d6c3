#include "fuzz_bot.h"

namespace morva::testing {

FuzzBot::FuzzBot(bool binary) {
    BotConfig& c = bot.settings.BotConfig;
    c.Binary = binary;
    c.Master = "Boss";
    c.Trigger = "!";
    c.JoinNotifications = c.LeaveNotifications = c.EmotesEnabled = true;
    c.ChannelProtect = true;
    c.WhisperWindow = true;
    c.FloodLines = 4;
    c.FloodSeconds = 6;
    bot.chat.CurrentName = "bot1";
    bot.settings.FilterPatterns = {"*spam*", "[a-", "#*"};
    bot.connection.Bot_Connect();
    sockets.made[0]->acceptConnect();
}

void FuzzBot::checkMembers() const {
    const auto& model = bot.chat.ChannelUsers;
    const std::vector<MemberRow> rows = members.rows();
    if (rows.size() != model.size()) __builtin_trap();
    std::size_t i = 0;
    for (const Member& member : model)
        if (rows[i++].name != member.name) __builtin_trap();
}

}  // namespace morva::testing
