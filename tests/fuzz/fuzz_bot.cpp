#include "fuzz_bot.h"

namespace morva::testing {

FuzzBot::FuzzBot(bool binary)
    : bot(Ports{clock, sockets, clock, chat, whispers, members, shell}, profile.dir()) {
    BotConfig& c = bot.BotConfig;
    c.Binary = binary;
    c.Master = "Boss";
    c.Trigger = "!";
    c.JoinNotifications = c.LeaveNotifications = c.EmotesEnabled = true;
    c.ChannelProtect = true;
    c.WhisperWindow = true;
    c.FloodLines = 4;
    c.FloodSeconds = 6;
    bot.CurrentName = "bot1";
    bot.FilterPatterns = {"*spam*", "[a-", "#*"};
    sockets.made[0]->acceptConnect();
    bot.tmrLogin->stop();
}

}  // namespace morva::testing
