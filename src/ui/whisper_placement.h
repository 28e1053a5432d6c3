#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace morva {

// Where the whisper window of a slot goes: side by side in rows from the top left of the free area
// of a screen, each cell (a window with its frame) wholly inside it; when the rows are full the
// places repeat from the top.
QPoint WhisperWindowPlace(const QRect& free, const QSize& cell, int slot);

}  // namespace morva
