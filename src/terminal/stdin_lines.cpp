#include "terminal/stdin_lines.h"

#include <unistd.h>

#include <cerrno>

namespace morva {

StdinLines::StdinLines(std::function<void(const std::string&)> onLine)
    : onLine_(std::move(onLine)), notifier_(STDIN_FILENO, QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { readAvailable(); });
}

void StdinLines::readAvailable() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
        notifier_.setEnabled(false);
        if (!pending_.empty()) onLine_(pending_);
        pending_.clear();
        return;
    }
    pending_.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        onLine_(line);
    }
}

}  // namespace morva
