#pragma once

#include <QWidget>
#include <string>

#include "ui/history_line_edit.h"
#include "ui/qt_pane.h"

namespace morva {

class Bot;
class PaneView;

// frmWhisper: the conversation with one user in a window of its own, and the line to answer in.
// The window belongs to a slot of the whisper-window table and is reused when the slot is.
class WhisperForm : public QWidget {
    Q_OBJECT

public:
    WhisperForm(Bot& bot, int slot);

    // Shows the window afresh for a new conversation: empty pane and line, the caption, the focus
    // on the answer line, without activating the window.
    void open(const std::string& caption);
    void activate();

    Pane& pane() { return pane_; }
    PaneView& paneView() { return *rtbWhisper_; }
    HistoryLineEdit& inputLine() { return *txtSend_; }
    int slot() const { return slot_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void txtSend_Enter();

    Bot& bot_;
    const int slot_;
    PaneView* rtbWhisper_;
    HistoryLineEdit* txtSend_;
    QtPane pane_;
};

}  // namespace morva
