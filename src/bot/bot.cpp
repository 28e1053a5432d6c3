#include "bot/bot.h"

#include "bot/wiring.h"

namespace morva {

namespace {
std::unique_ptr<Timer> stoppedTimer(TimerFactory& timers, int intervalMs) {
    auto timer = timers.makeTimer();
    timer->setInterval(intervalMs);
    return timer;
}
}  // namespace

Bot::Bot(Ports ports_, std::filesystem::path profileDir)
    : ports(ports_),
      ProfileDir(std::move(profileDir)),
      tmrLoginTimeout(stoppedTimer(ports.timers, 10000)),
      tmrLogin(stoppedTimer(ports.timers, 50)),
      tmrIdle(stoppedTimer(ports.timers, 60000)),
      tmrGetInfo(stoppedTimer(ports.timers, 850)),
      tmrWhoChannel(stoppedTimer(ports.timers, 900)),
      tmrResize(stoppedTimer(ports.timers, 1000)),
      tmrFlood(stoppedTimer(ports.timers, 0)),
      tmrBackoff(stoppedTimer(ports.timers, 0)) {
    WireBot(*this);
}

}  // namespace morva
