#pragma once

#include <QSocketNotifier>

#include <functional>
#include <string>

namespace morva {

// Hands each line of standard input to a callback as it arrives, without blocking the event loop.
// At the end of the input it stops listening; the program goes on.
class StdinLines {
public:
    explicit StdinLines(std::function<void(const std::string&)> onLine);

private:
    void readAvailable();

    std::function<void(const std::string&)> onLine_;
    QSocketNotifier notifier_;
    std::string pending_;
};

}  // namespace morva
