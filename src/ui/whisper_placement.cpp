#include "ui/whisper_placement.h"

#include <algorithm>

namespace morva {

QPoint WhisperWindowPlace(const QRect& free, const QSize& cell, int slot) {
    const int columns = std::max(1, free.width() / std::max(1, cell.width()));
    const int rows = std::max(1, free.height() / std::max(1, cell.height()));
    const int column = slot % columns, row = slot / columns % rows;
    return free.topLeft() + QPoint(column * cell.width(), row * cell.height());
}

}  // namespace morva
