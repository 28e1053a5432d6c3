#pragma once

#include <QTextBrowser>

namespace morva {

// A read-only rich-text pane on black: the chat pane, the whispers pane and a whisper window's
// conversation. A single click on a link does nothing; a double-click reports it.
//
// The view follows its text: while it shows the bottom it keeps showing the bottom as the text
// grows, is resized or is shown; once the user scrolls up it stays where they left it, until
// they scroll back to the bottom.
class PaneView : public QTextBrowser {
    Q_OBJECT

public:
    explicit PaneView(QWidget* parent = nullptr);

    bool following() const { return following_; }
    // Puts the text cursor (and so the selection) back at anchor and position, without scrolling.
    void restoreCursor(int anchor, int position);

signals:
    void linkDoubleClicked(const QString& href);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool following_ = true;
};

}  // namespace morva
