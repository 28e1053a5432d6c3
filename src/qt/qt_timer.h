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

class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> makeTimer() override { return std::make_unique<QtTimer>(); }
};

}  // namespace morva
