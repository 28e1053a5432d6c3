#pragma once

#include <string>

#include "platform/pane.h"

class QTextEdit;
class QTextCursor;
class QString;

namespace morva {

// The Pane port over a text view. Positions count the document's characters; the CR LF that
// AddChat puts at the end of a line ends a paragraph. With links detected, web addresses become
// links to themselves.
class QtPane : public Pane {
public:
    enum class Links { Plain, Detected };
    explicit QtPane(QTextEdit& view, Links links = Links::Plain) : view_(view), links_(links) {}

    int textLength() const override;
    int caret() const override;
    void setCaret(int position) override;
    int selectionLength() const override;
    void setSelectionLength(int length) override;
    void setInsertColor(Rgb color) override { color_ = color; }
    void replaceSelection(const std::string& text) override;
    void clear() override;

private:
    void insertText(QTextCursor& cursor, const QString& text) const;

    QTextEdit& view_;
    Links links_;
    Rgb color_;
};

}  // namespace morva
