#include "connection/send_queue.h"

#include <algorithm>

#include "bot/bot.h"
#include "chat/add_chat.h"
#include "chat/palette.h"
#include "connection/connection.h"

namespace morva {

namespace {

long long windowMs(const Bot& bot) {
    return std::max<long long>(0, bot.BotConfig.FloodSeconds) * 1000;
}

int unitsInWindow(Bot& bot, long long now) {
    auto& sent = bot.SendQueue.sent;
    while (!sent.empty() && sent.front().atMs + windowMs(bot) <= now) sent.pop_front();
    int units = 0;
    for (const auto& line : sent) units += line.units;
    return units;
}

// A line fits when the window holds room for it; a line bigger than the whole limit goes alone.
bool fits(int used, int cost, int limit) {
    return used + cost <= limit || (cost > limit && used == 0);
}

// Milliseconds until enough of the window has expired for a line of that cost.
long long waitFor(const Bot& bot, int cost, long long now) {
    int used = 0;
    for (const auto& line : bot.SendQueue.sent) used += line.units;
    for (const auto& line : bot.SendQueue.sent) {
        used -= line.units;
        if (fits(used, cost, bot.BotConfig.FloodLines)) return line.atMs + windowMs(bot) - now;
    }
    return 0;
}

void pump(Bot& bot) {
    auto& queue = bot.SendQueue;
    while (!queue.waiting.empty()) {
        const long long now = bot.ports.clock.monotonicMs();
        const auto& next = queue.waiting.front();
        const int cost = FloodUnits(next.line);
        if (!fits(unitsInWindow(bot, now), cost, bot.BotConfig.FloodLines)) {
            bot.tmrFlood->setInterval(static_cast<int>(std::max(1LL, waitFor(bot, cost, now))));
            bot.tmrFlood->start();
            return;
        }
        queue.sent.push_back({now, cost});
        const auto line = queue.waiting.front();
        queue.waiting.pop_front();
        SendChatNow(bot, line.line, line.index);
    }
    bot.tmrFlood->stop();
}

}  // namespace

int FloodUnits(const std::string& line) {
    const auto bytes = static_cast<int>(
        std::count_if(line.begin(), line.end(), [](char c) { return c != '\r' && c != '\n'; }));
    return std::max(1, (bytes + 39) / 40);
}

void QueueChat(Bot& bot, const std::string& line, int index) {
    if (bot.BotConfig.FloodLines <= 0) {
        SendChatNow(bot, line, index);
        return;
    }
    bot.SendQueue.waiting.push_back({index, line});
    if (!bot.tmrFlood->isRunning()) pump(bot);
}

void tmrFlood_Timer(Bot& bot) {
    pump(bot);
}

void DropQueuedChat(Bot& bot) {
    const std::size_t dropped = bot.SendQueue.waiting.size();
    bot.SendQueue = {};
    bot.tmrFlood->stop();
    if (dropped > 0)
        AddChat(bot, {{ColorGrey,
                       "Bot: " + std::to_string(dropped) + " queued line(s) dropped with the connection."}});
}

}  // namespace morva
