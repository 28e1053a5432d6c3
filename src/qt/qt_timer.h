#pragma once

#include <QTimer>

#include "platform/timer.h"

namespace morva {

// A Timer on QTimer. QTimer fires at once for an interval of 0, so a running timer with interval
// 0 keeps its QTimer stopped.
class QtTimer : public Timer {
public:
    QtTimer();
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void start() override;
    void stop() override;
    bool isRunning() const override { return running_; }

private:
    void apply();

    QTimer timer_;
    int interval_ = 0;
    bool running_ = false;
};

// Deferred work on a single-shot QTimer of interval 0, which Qt runs once the events already waiting
// have been handled.
class QtDeferred : public Deferred {
public:
    QtDeferred();
    void schedule() override;
    void cancel() override { timer_.stop(); }
    bool isScheduled() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> makeTimer() override { return std::make_unique<QtTimer>(); }
    std::unique_ptr<Deferred> makeDeferred() override { return std::make_unique<QtDeferred>(); }
};

}  // namespace morva
