#pragma once

#include <filesystem>

#include "platform/system_clock.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"
#include "ui/main_window.h"

namespace morva {

// What the desktop program runs: the main window and the bot it owns, on Qt's timers and sockets
// and the system clock. Made on a running QApplication; the benchmarks make one too.
class DesktopSession {
public:
    explicit DesktopSession(const std::filesystem::path& profileDir);

    MainWindow& window() { return window_; }
    // Start-up (Form_Load), then the window appears unless the start put it in the notification area.
    void start();

private:
    QtTimerFactory timers_;
    QtSocketFactory sockets_;
    SystemClock clock_;
    MainWindow window_;
};

}  // namespace morva
