#include "ui/sys_tray.h"

#include <QWidget>

#include "platform/display_text.h"

namespace morva {

QString TrayTipText(const std::string& tip) {
    const QList<uint> characters = QString::fromStdString(DisplayText(tip)).toUcs4();
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.data()),
                             std::min<qsizetype>(characters.size(), SysTray::TipLength));
}

SysTray::SysTray(QWidget& sourceWindow, const QIcon& icon) : sourceWindow_(sourceWindow), icon_(icon) {
    icon_.setToolTip(TrayTipText(""));
    menu_.addAction(QStringLiteral("Restore"), this, &SysTray::LButtonDblClk);
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) LButtonDblClk();
    });
}

bool SysTray::available() const {
    return availableOverride_.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void SysTray::MinToSysTray() {
    if (!available()) {
        if (!sourceWindow_.isMinimized()) sourceWindow_.showMinimized();
        return;
    }
    icon_.show();
    sourceWindow_.hide();
}

void SysTray::LButtonDblClk() {
    sourceWindow_.showNormal();
    sourceWindow_.raise();
    sourceWindow_.activateWindow();
    RemoveFromSysTray();
    emit TrayDblClick();
}

void SysTray::RemoveFromSysTray() {
    icon_.hide();
}

void SysTray::ChangeToolTip(const std::string& tip) {
    toolTip_ = tip;
    icon_.setToolTip(TrayTipText(tip));
}

}  // namespace morva
