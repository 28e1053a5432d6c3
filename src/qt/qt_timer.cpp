#include "qt/qt_timer.h"

namespace morva {

QtTimer::QtTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void QtTimer::setInterval(int ms) {
    interval_ = ms;
    apply();
}

void QtTimer::start() {
    running_ = true;
    apply();
}

void QtTimer::stop() {
    running_ = false;
    apply();
}

void QtTimer::apply() {
    if (running_ && interval_ > 0) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

QtDeferred::QtDeferred() {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { run(); });
}

void QtDeferred::schedule() {
    if (!timer_.isActive()) timer_.start();
}

}  // namespace morva
