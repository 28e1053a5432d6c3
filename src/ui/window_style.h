#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "platform/color.h"

namespace morva {

inline QColor ToQColor(Rgb color) {
    return QColor(color.r, color.g, color.b);
}

// Web addresses in the chat pane.
inline constexpr Rgb ColorLink = RGB(108, 182, 255);
// Member rows whose colour the member list leaves alone.
inline constexpr Rgb ColorMemberDefault = RGB(220, 220, 220);

// The window font: Tahoma 9 pt where it is installed, else the closest sans-serif face.
QFont WindowFont();
// Black panes, lists and text boxes with white text, dark frames and scroll bars.
QPalette DarkPalette(QPalette palette);
// Black controls with thin grey frames that keep them apart on a black window, and dark scroll bars.
QString DarkFrames();

}  // namespace morva
