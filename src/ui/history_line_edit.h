#pragma once

#include <QLineEdit>
#include <QStringList>
#include <functional>

namespace morva {

// An input line that remembers the lines sent from it: Up and Down walk back and forth through the
// last 100, as in a shell; past the newest, the line being written comes back. Tab completes the
// word before the cursor from a list of names (repeated Tab goes through the matches); with nothing
// to complete, Tab moves the focus on as usual.
class HistoryLineEdit : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int Remembered = 100;
    using QLineEdit::QLineEdit;

    // A line that was sent: it becomes the newest of the history.
    void remember(const QString& line);
    // Where the names to complete come from (the channel's members).
    void setCompletions(std::function<QStringList()> names) { names_ = std::move(names); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void step(int by);
    bool complete();

    QStringList sent_;
    // Where Up and Down stand: sent_.size() is the line being written.
    qsizetype at_ = 0;
    QString draft_;
    std::function<QStringList()> names_;
    // The completion under way: the word as typed, where it starts, the matches and the one shown.
    QString typedWord_;
    qsizetype wordStart_ = 0;
    QStringList matches_;
    qsizetype shownMatch_ = -1;
};

}  // namespace morva
