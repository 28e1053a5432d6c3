#include "connection/send_queue.h"

#include <algorithm>

#include "platform/clock.h"
#include "settings/bot_config.h"

namespace morva {

namespace {
// A line fits when the window holds room for it; a line bigger than the whole limit goes alone.
bool fits(int used, int cost, int limit) {
    return used + cost <= limit || (cost > limit && used == 0);
}
}  // namespace

int FloodUnits(const std::string& line) {
    const auto bytes = static_cast<int>(
        std::count_if(line.begin(), line.end(), [](char c) { return c != '\r' && c != '\n'; }));
    return std::max(1, (bytes + 39) / 40);
}

SendQueue::SendQueue(TimerFactory& timers, const Clock& clock, const BotConfig& config, Send send)
    : clock_(clock), config_(config), send_(std::move(send)), tmrFlood(timers.makeTimer()) {
    tmrFlood->setOnTick([this] { pump(); });
}

void SendQueue::push(std::string line, std::function<void()> onSent) {
    if (config_.FloodLines <= 0) {
        send_(line);
        if (onSent) onSent();
        return;
    }
    waiting_.push_back({std::move(line), std::move(onSent)});
    if (!tmrFlood->isRunning()) pump();
}

std::size_t SendQueue::drop() {
    const std::size_t dropped = waiting_.size();
    waiting_.clear();
    sent_.clear();
    tmrFlood->stop();
    return dropped;
}

long long SendQueue::windowMs() const {
    return std::max<long long>(0, config_.FloodSeconds) * 1000;
}

int SendQueue::unitsInWindow(long long now) {
    while (!sent_.empty() && sent_.front().atMs + windowMs() <= now) sent_.pop_front();
    int units = 0;
    for (const auto& line : sent_) units += line.units;
    return units;
}

// Milliseconds until enough of the window has expired for a line of that cost.
long long SendQueue::waitFor(int cost, long long now) const {
    int used = 0;
    for (const auto& line : sent_) used += line.units;
    for (const auto& line : sent_) {
        used -= line.units;
        if (fits(used, cost, config_.FloodLines)) return line.atMs + windowMs() - now;
    }
    return 0;
}

void SendQueue::pump() {
    while (!waiting_.empty()) {
        const long long now = clock_.monotonicMs();
        const int cost = FloodUnits(waiting_.front().line);
        if (!fits(unitsInWindow(now), cost, config_.FloodLines)) {
            tmrFlood->setInterval(static_cast<int>(std::max(1LL, waitFor(cost, now))));
            tmrFlood->start();
            return;
        }
        sent_.push_back({now, cost});
        Waiting next = std::move(waiting_.front());
        waiting_.pop_front();
        send_(next.line);
        if (next.onSent) next.onSent();
    }
    tmrFlood->stop();
}

}  // namespace morva
