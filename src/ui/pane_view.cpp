#include "ui/pane_view.h"

#include <QMouseEvent>

#include "ui/window_style.h"

namespace morva {

PaneView::PaneView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // Lines are only ever appended and trimmed; an undo history would grow without bound.
    document()->setUndoRedoEnabled(false);
    document()->setDocumentMargin(3);
    setPalette(DarkPalette(palette()));
}

void PaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QString href = anchorAt(event->position().toPoint());
        if (!href.isEmpty()) emit linkDoubleClicked(href);
    }
    QTextBrowser::mouseDoubleClickEvent(event);
}

}  // namespace morva
