#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <optional>
#include <string>

class QWidget;

namespace morva {

// The tip as the notification area shows it: at most 63 characters, as the icon record held them.
QString TrayTipText(const std::string& tip);

// clsSysTray: the main window's icon in the notification area. While the icon is there the window
// is hidden; a click or double-click on the icon brings the window back and takes the icon away. Its
// menu starts with Restore; the window adds its own entries below.
class SysTray : public QObject {
    Q_OBJECT

public:
    static constexpr int TipLength = 63;

    SysTray(QWidget& sourceWindow, const QIcon& icon);

    // Whether the desktop has a notification area. Without one, the window is only minimised.
    bool available() const;
    // Overrides the desktop's own answer (for desktops that misreport it, and for tests).
    void setAvailable(bool available) { availableOverride_ = available; }

    void MinToSysTray();
    void LButtonDblClk();
    void RemoveFromSysTray();
    void ChangeToolTip(const std::string& tip);

    const std::string& ToolTip() const { return toolTip_; }
    bool inSysTray() const { return icon_.isVisible(); }
    QSystemTrayIcon& trayIcon() { return icon_; }
    QMenu& menu() { return menu_; }

signals:
    void TrayDblClick();

private:
    QWidget& sourceWindow_;
    QSystemTrayIcon icon_;
    QMenu menu_;
    std::string toolTip_;
    std::optional<bool> availableOverride_;
};

}  // namespace morva
