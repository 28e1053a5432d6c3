#include "ui/pane_view.h"

#include <QMouseEvent>
#include <QScrollBar>

#include "ui/window_style.h"

namespace morva {

PaneView::PaneView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // Lines are only ever appended and trimmed; an undo history would grow without bound.
    document()->setUndoRedoEnabled(false);
    document()->setDocumentMargin(3);
    setPalette(DarkPalette(palette()));
    // Tab leaves the pane instead of walking its links, and the keyboard scrolls the pane rather than
    // moving a caret through text nobody can edit; the mouse still selects and follows links.
    setTabChangesFocus(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);

    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { following_ = value == bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (following_) bar->setValue(maximum);
    });
}

void PaneView::restoreCursor(int anchor, int position) {
    QTextCursor cursor = textCursor();
    if (cursor.anchor() == anchor && cursor.position() == position) return;
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    // Setting the cursor scrolls it into view; the user's scroll position wins.
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    setTextCursor(cursor);
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
}

void PaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QString href = anchorAt(event->position().toPoint());
        if (!href.isEmpty()) emit linkDoubleClicked(href);
    }
    QTextBrowser::mouseDoubleClickEvent(event);
}

void PaneView::showEvent(QShowEvent* event) {
    // The first show scrolls the text cursor into view, which would leave the bottom.
    const bool following = following_;
    QTextBrowser::showEvent(event);
    if (following) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace morva
