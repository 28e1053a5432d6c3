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

// Work that waits its turn in the event loop: once scheduled, it runs once, after the events that are
// already waiting (input, drawing, other timers due). A long job cut into such pieces never freezes the
// program.
class Deferred {
public:
    virtual ~Deferred() = default;
    // Scheduling work that is already scheduled changes nothing.
    virtual void schedule() = 0;
    virtual void cancel() = 0;
    virtual bool isScheduled() const = 0;

    void setWork(std::function<void()> work) { work_ = std::move(work); }

protected:
    void run() {
        if (work_) work_();
    }

private:
    std::function<void()> work_;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> makeTimer() = 0;
    virtual std::unique_ptr<Deferred> makeDeferred() = 0;
};

}  // namespace morva
