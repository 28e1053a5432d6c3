#pragma once

#include <QString>
#include <vector>

#include "platform/pane.h"
#include "qt/qt_timer.h"

class QTextCursor;

namespace morva {

class PaneView;

// The Pane port over a pane view: each line is one paragraph of the view's document. Lines are held
// back until the event loop's next turn and then added in one edit (a flood costs one layout per
// turn, not one per line), through a cursor of the pane's own, so the user's text cursor, selection
// and scroll position stay where they are. Lengths count the document's characters (a paragraph end
// is one), the held-back lines included. With links detected, web addresses become links to
// themselves.
class QtPane : public Pane {
public:
    enum class Links { Plain, Detected };
    explicit QtPane(PaneView& view, Links links = Links::Plain);

    void appendLine(const PaneLine& line) override;
    int length() const override;
    void dropFront(int atLeast) override;
    void clear() override;

    // Adds the held-back lines to the view now.
    void flush();

private:
    // A run as the view shows it.
    struct ShownRun {
        QString text;
        Rgb color;
    };
    using ShownLine = std::vector<ShownRun>;

    static ShownRun shown(const Run& run);
    void insertRun(QTextCursor& cursor, const ShownRun& run) const;

    PaneView& view_;
    Links links_;
    std::vector<ShownLine> heldBack_;
    int heldBackLength_ = 0;
    QtDeferred flush_;
};

}  // namespace morva
