#include "ui/desktop_face.h"

#include <QApplication>

#include "bot/startup.h"
#include "platform/system_clock.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"
#include "qt/quit_on_signals.h"
#include "ui/main_window.h"

namespace morva {

int RunDesktopFace(const std::filesystem::path& profileDir) {
    // The program ends when its main window closes or on Exit, never because the last visible
    // window went away: the main window may be in the notification area at the time.
    QApplication::setQuitOnLastWindowClosed(false);
    QtTimerFactory timers;
    QtSocketFactory sockets;
    SystemClock clock;
    MainWindow window(timers, sockets, clock, profileDir);

    QuitOnSignals();
    // Start-up runs before the window first appears, so that a start in the notification area
    // (TrayStart) never shows it.
    Form_Load(window.bot());
    if (!window.isVisible() && !window.sysTray().inSysTray()) window.show();
    return QApplication::exec();
}

}  // namespace morva
