#pragma once

#include <QTextBrowser>

namespace morva {

// A read-only rich-text pane on black: the chat pane, the whispers pane and a whisper window's
// conversation. A single click on a link does nothing; a double-click reports it.
class PaneView : public QTextBrowser {
    Q_OBJECT

public:
    explicit PaneView(QWidget* parent = nullptr);

signals:
    void linkDoubleClicked(const QString& href);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace morva
