#pragma once

#include <QLineEdit>
#include <QStringList>

namespace morva {

// An input line that remembers the lines sent from it: Up and Down walk back and forth through the
// last 100, as in a shell; past the newest, the line being written comes back.
class HistoryLineEdit : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int Remembered = 100;
    using QLineEdit::QLineEdit;

    // A line that was sent: it becomes the newest of the history.
    void remember(const QString& line);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void step(int by);

    QStringList sent_;
    // Where Up and Down stand: sent_.size() is the line being written.
    qsizetype at_ = 0;
    QString draft_;
};

}  // namespace morva
