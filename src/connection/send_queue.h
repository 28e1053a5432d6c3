#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/timer.h"

namespace morva {

class Clock;
struct BotConfig;

// What a chat line costs against the flood limit: one unit per started 40 bytes, at least one.
int FloodUnits(const std::string& line);

// Chat lines waiting for the flood limit ([Flood] Lines units in any Seconds seconds), and what went
// out lately. With Lines 0 every line goes out at once.
class SendQueue {
public:
    using Send = std::function<void(const std::string& line)>;
    SendQueue(TimerFactory& timers, const Clock& clock, const BotConfig& config, Send send);

    // Sends the line now when the limit allows it, else queues it in order; onSent runs as it leaves.
    void push(std::string line, std::function<void()> onSent);
    // Forgets every waiting line (their onSent never runs) and returns how many there were.
    std::size_t drop();
    std::size_t waiting() const { return waiting_.size(); }

private:
    struct Waiting {
        std::string line;
        std::function<void()> onSent;
    };
    struct Sent {
        long long atMs;
        int units;
    };

    void pump();
    long long windowMs() const;
    int unitsInWindow(long long now);
    long long waitFor(int cost, long long now) const;

    const Clock& clock_;
    const BotConfig& config_;
    Send send_;
    std::deque<Waiting> waiting_;
    std::deque<Sent> sent_;
    std::unique_ptr<Timer> tmrFlood;
};

}  // namespace morva
