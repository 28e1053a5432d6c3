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

bool HistoryLineEdit::focusNextPrevChild(bool next) {
    if (next && complete()) return true;
    return QLineEdit::focusNextPrevChild(next);
}

// The word before the cursor becomes the next name that starts with what was typed, in any case.
bool HistoryLineEdit::complete() {
    const bool again = shownMatch_ >= 0 && cursorPosition() == wordStart_ + matches_[shownMatch_].size() &&
                       text().mid(wordStart_, matches_[shownMatch_].size()) == matches_[shownMatch_];
    if (!again) {
        wordStart_ = text().lastIndexOf(u' ', cursorPosition() - 1) + 1;
        typedWord_ = text().mid(wordStart_, cursorPosition() - wordStart_);
        matches_.clear();
        if (!typedWord_.isEmpty() && names_)
            for (const QString& name : names_())
                if (name.startsWith(typedWord_, Qt::CaseInsensitive)) matches_.append(name);
        shownMatch_ = -1;
        if (matches_.isEmpty()) return false;
    }
    const qsizetype replaced = again ? matches_[shownMatch_].size() : typedWord_.size();
    shownMatch_ = (shownMatch_ + 1) % matches_.size();
    QString line = text();
    line.replace(wordStart_, replaced, matches_[shownMatch_]);
    setText(line);
    setCursorPosition(static_cast<int>(wordStart_ + matches_[shownMatch_].size()));
    return true;
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
