#include "bot/wiring.h"

#include "bot/bot.h"
#include "bot/main_window.h"
#include "census/census.h"
#include "connection/connection.h"
#include "connection/send_queue.h"

namespace morva {

void WireBot(Bot& bot) {
    bot.tmrLoginTimeout->setOnTick([&bot] { tmrLoginTimeout_Timer(bot); });
    bot.tmrLogin->setOnTick([&bot] { tmrLogin_Timer(bot); });
    bot.tmrFlood->setOnTick([&bot] { tmrFlood_Timer(bot); });
    bot.tmrBackoff->setOnTick([&bot] { tmrBackoff_Timer(bot); });
    bot.tmrIdle->setOnTick([&bot] { tmrIdle_Timer(bot); });
    bot.tmrResize->setOnTick([&bot] { tmrResize_Timer(bot); });
    bot.tmrWhoChannel->setOnTick([&bot] { tmrWhoChannel_Timer(bot); });
    // The capture window of a census visit or a "find" closes by itself.
    bot.tmrGetInfo->setOnTick([&bot] { bot.tmrGetInfo->stop(); });
    AddConnection(bot);
}

}  // namespace morva
