#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace morva {

// Where the whisper window of a slot goes: side by side in rows from the top left of the part of
// a screen's free area beside the main window (the side that holds the most windows), each cell
// (a window with its frame) wholly inside it; when no side holds one, anywhere on the free area.
// When the rows are full the places repeat from the top.
QPoint WhisperWindowPlace(const QRect& free, const QRect& mainFrame, const QSize& cell, int slot);

}  // namespace morva
