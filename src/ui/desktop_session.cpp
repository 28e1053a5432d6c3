#include "ui/desktop_session.h"

#include "bot/startup.h"

namespace morva {

DesktopSession::DesktopSession(const std::filesystem::path& profileDir)
    : window_(timers_, sockets_, clock_, profileDir) {}

void DesktopSession::start() {
    // Start-up runs before the window first appears, so that a start in the notification area
    // (TrayStart) never shows it.
    Form_Load(window_.bot());
    if (!window_.isVisible() && !window_.sysTray().inSysTray()) window_.show();
}

}  // namespace morva
