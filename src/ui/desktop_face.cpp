#include "ui/desktop_face.h"

#include <QApplication>

#include "qt/quit_on_signals.h"
#include "ui/desktop_session.h"

namespace morva {

int RunDesktopFace(const std::filesystem::path& profileDir) {
    // The program ends when its main window closes or on Exit, never because the last visible
    // window went away: the main window may be in the notification area at the time.
    QApplication::setQuitOnLastWindowClosed(false);
    DesktopSession session(profileDir);
    QuitOnSignals();
    session.start();
    return QApplication::exec();
}

}  // namespace morva
