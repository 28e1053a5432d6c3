#include "ui/whisper_placement.h"

#include <algorithm>

namespace morva {
namespace {

struct Grid {
    int columns = 0, rows = 0;
    int cells() const { return columns * rows; }
};

Grid GridOf(const QRect& area, const QSize& cell) {
    return {area.width() / std::max(1, cell.width()), area.height() / std::max(1, cell.height())};
}

// The free area's strips right of, left of, below and above the main window, in that preference.
QRect MostRoomBeside(const QRect& free, const QRect& main, const QSize& cell) {
    const QRect sides[] = {QRect(QPoint(main.right() + 1, free.top()), free.bottomRight()),
                           QRect(free.topLeft(), QPoint(main.left() - 1, free.bottom())),
                           QRect(QPoint(free.left(), main.bottom() + 1), free.bottomRight()),
                           QRect(free.topLeft(), QPoint(free.right(), main.top() - 1))};
    QRect best = free;
    int bestCells = 0;
    for (const QRect& side : sides) {
        const int cells = GridOf(side.intersected(free), cell).cells();
        if (cells > bestCells) best = side.intersected(free), bestCells = cells;
    }
    return best;
}

}  // namespace

QPoint WhisperWindowPlace(const QRect& free, const QRect& mainFrame, const QSize& cell, int slot) {
    const QRect area = MostRoomBeside(free, mainFrame, cell);
    const Grid grid = GridOf(area, cell);
    const int columns = std::max(1, grid.columns), rows = std::max(1, grid.rows);
    const int column = slot % columns, row = slot / columns % rows;
    return area.topLeft() + QPoint(column * cell.width(), row * cell.height());
}

}  // namespace morva
