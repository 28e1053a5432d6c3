#include "ui/window_style.h"

namespace morva {

QFont WindowFont() {
    QFont font(QStringLiteral("Tahoma"), 9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QString DarkFrames() {
    return QStringLiteral(
        "QTextBrowser, QListWidget, QLineEdit, QLabel {"
        " border: 1px solid rgb(60, 60, 60); background-color: black; color: white;"
        " selection-background-color: rgb(38, 79, 120); selection-color: white; }"
        "QLineEdit:focus { border-color: rgb(70, 110, 160); }"
        "QScrollBar { background: rgb(16, 16, 16); border: none; }"
        "QScrollBar:vertical { width: 12px; } QScrollBar:horizontal { height: 12px; }"
        "QScrollBar::handle { background: rgb(72, 72, 72); border-radius: 3px; margin: 2px; }"
        "QScrollBar::handle:hover { background: rgb(96, 96, 96); }"
        "QScrollBar::handle:vertical { min-height: 24px; } QScrollBar::handle:horizontal { min-width: 24px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
}

QPalette DarkPalette(QPalette palette) {
    const QColor black(0, 0, 0), white(255, 255, 255), frame(64, 64, 64), control(40, 40, 40);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, black);
        palette.setColor(group, QPalette::WindowText, white);
        palette.setColor(group, QPalette::Base, black);
        palette.setColor(group, QPalette::AlternateBase, QColor(16, 16, 16));
        palette.setColor(group, QPalette::Text, white);
        palette.setColor(group, QPalette::Button, control);
        palette.setColor(group, QPalette::ButtonText, white);
        palette.setColor(group, QPalette::Light, QColor(88, 88, 88));
        palette.setColor(group, QPalette::Midlight, QColor(72, 72, 72));
        palette.setColor(group, QPalette::Mid, frame);
        palette.setColor(group, QPalette::Dark, QColor(24, 24, 24));
        palette.setColor(group, QPalette::Shadow, black);
        palette.setColor(group, QPalette::Highlight, QColor(38, 79, 120));
        palette.setColor(group, QPalette::HighlightedText, white);
        palette.setColor(group, QPalette::Link, ToQColor(ColorLink));
        palette.setColor(group, QPalette::PlaceholderText, QColor(128, 128, 128));
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    palette.setColor(QPalette::Disabled, QPalette::Base, black);
    palette.setColor(QPalette::Disabled, QPalette::Window, black);
    return palette;
}

}  // namespace morva
