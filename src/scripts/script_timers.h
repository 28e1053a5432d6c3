#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/timer.h"

namespace morva {

// Where a script's timer keeps its function and its handle in the script's registry.
struct TimerRefs {
    int function;
    int handle;
};

// The repeating timers of one script, on the core's timer port. A timer may be stopped from inside its
// own tick: stopped timers are let go of only once the event loop has moved on.
class ScriptTimers {
public:
    static constexpr std::size_t MaxRunning = 256;
    static constexpr int MinIntervalMs = 100;

    explicit ScriptTimers(TimerFactory& factory);

    // Starts a timer that runs onTick(id) every intervalMs; its id, or 0 when MaxRunning already run.
    int start(int intervalMs, TimerRefs refs, std::function<void(int id)> onTick);
    // Stops a running timer and hands back its references for release; nothing when it was not running.
    std::optional<TimerRefs> stop(int id);
    // Stops every timer; the script's state, which held their references, is gone with them.
    void stopAll();
    std::optional<TimerRefs> refs(int id) const;
    std::size_t running() const { return running_.size(); }

private:
    struct Entry {
        std::unique_ptr<Timer> timer;
        TimerRefs refs;
    };
    void retire(std::unique_ptr<Timer> timer);

    TimerFactory& factory_;
    std::map<int, Entry> running_;
    std::vector<std::unique_ptr<Timer>> stopped_;
    std::unique_ptr<Deferred> sweep_;
    int lastId_ = 0;
};

}  // namespace morva
