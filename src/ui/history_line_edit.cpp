#include "ui/history_line_edit.h"

#include <QKeyEvent>

namespace morva {

void HistoryLineEdit::remember(const QString& line) {
    if (line.isEmpty()) return;
    sent_.append(line);
    if (sent_.size() > Remembered) sent_.removeFirst();
    at_ = sent_.size();
    draft_.clear();
}

void HistoryLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        step(event->key() == Qt::Key_Up ? -1 : 1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void HistoryLineEdit::step(int by) {
    const qsizetype next = at_ + by;
    if (next < 0 || next > sent_.size()) return;
    if (at_ == sent_.size()) draft_ = text();
    at_ = next;
    setText(at_ == sent_.size() ? draft_ : sent_[at_]);
}

}  // namespace morva
