#pragma once

namespace morva {

class Bot;

// Connects the bot's timers to the operations their ticks run and makes connection 0, which
// always exists.
void WireBot(Bot& bot);

}  // namespace morva
