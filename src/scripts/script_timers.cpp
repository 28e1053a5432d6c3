#include "scripts/script_timers.h"

namespace morva {

ScriptTimers::ScriptTimers(TimerFactory& factory) : factory_(factory), sweep_(factory.makeDeferred()) {
    sweep_->setWork([this] { stopped_.clear(); });
}

int ScriptTimers::start(int intervalMs, TimerRefs refs, std::function<void(int id)> onTick) {
    if (running_.size() >= MaxRunning) return 0;
    const int id = ++lastId_;
    auto timer = factory_.makeTimer();
    timer->setInterval(intervalMs);
    timer->setOnTick([onTick = std::move(onTick), id] { onTick(id); });
    timer->start();
    running_.emplace(id, Entry{std::move(timer), refs});
    return id;
}

std::optional<TimerRefs> ScriptTimers::stop(int id) {
    const auto found = running_.find(id);
    if (found == running_.end()) return std::nullopt;
    const TimerRefs refs = found->second.refs;
    retire(std::move(found->second.timer));
    running_.erase(found);
    return refs;
}

void ScriptTimers::stopAll() {
    for (auto& [id, entry] : running_) retire(std::move(entry.timer));
    running_.clear();
}

std::optional<TimerRefs> ScriptTimers::refs(int id) const {
    const auto found = running_.find(id);
    if (found == running_.end()) return std::nullopt;
    return found->second.refs;
}

void ScriptTimers::retire(std::unique_ptr<Timer> timer) {
    timer->stop();
    stopped_.push_back(std::move(timer));
    sweep_->schedule();
}

}  // namespace morva
