#pragma once

#include <functional>
#include <memory>

namespace morva {

// A repeating timer. Like the timers the program was designed around, a running timer whose
// interval is 0 never fires, and a timer keeps running until it is stopped.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

    void setOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }

protected:
    void tick() {
        if (onTick_) onTick_();
    }

private:
    std::function<void()> onTick_;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> makeTimer() = 0;
};

}  // namespace morva
