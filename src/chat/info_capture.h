#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/timer.h"

namespace morva {

// The capture window of information lines (tmrGetInfo): while it is open, information lines go to
// its sink instead of the chat pane. The census opens it for the answer to a "/who", the "find"
// command for the server's friend notices (with no sink: those lines are only kept out of the pane).
class InfoCapture {
public:
    using Sink = std::function<void(const std::string& text)>;
    static constexpr int DesignedMs = 850;

    explicit InfoCapture(TimerFactory& timers);

    // Opens the window for its interval; it closes by itself.
    void open(Sink sink = {});
    void close();
    bool isOpen() const { return tmrGetInfo->isRunning(); }
    void take(const std::string& text) const;

    void setInterval(int ms) { tmrGetInfo->setInterval(ms); }
    const Timer& timer() const { return *tmrGetInfo; }

private:
    std::unique_ptr<Timer> tmrGetInfo;
    Sink sink_;
};

}  // namespace morva
