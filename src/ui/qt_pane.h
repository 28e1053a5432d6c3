#pragma once

#include "platform/pane.h"

class QTextCursor;

namespace morva {

class PaneView;

// The Pane port over a pane view: each line is one paragraph of the view's document, added or
// dropped in one edit through a cursor of the pane's own, so the user's text cursor, selection and
// scroll position stay where they are. Lengths count the document's characters (a paragraph end
// is one). With links detected, web addresses become links to themselves.
class QtPane : public Pane {
public:
    enum class Links { Plain, Detected };
    explicit QtPane(PaneView& view, Links links = Links::Plain) : view_(view), links_(links) {}

    void appendLine(const PaneLine& line) override;
    int length() const override;
    void dropFront(int atLeast) override;
    void clear() override;

private:
    void insertRun(QTextCursor& cursor, const Run& run) const;

    PaneView& view_;
    Links links_;
};

}  // namespace morva
