#pragma once

#include <QListWidget>

#include "platform/member_view.h"

namespace morva {

// The member list (lvChannel): one row per member with its icon, tool tip, colour and weight,
// holding the member's name as the bytes the server sent. It mirrors the channel model.
class MemberList : public QListWidget, public MemberView {
    Q_OBJECT

public:
    explicit MemberList(QWidget* parent = nullptr);

    void insertRow(int row, const MemberRow& look) override;
    void removeRow(int row) override;
    void restyleRow(int row, const MemberRow& look) override;
    void clear() override { QListWidget::clear(); }
    int selectedRow() const override;

    // What a row shows, for the window itself and for tests.
    std::string name(int row) const;
    int icon(int row) const;

    // Selects a row (from 1); 0 clears the selection.
    void selectRow(int row);

signals:
    // The member popup is asked for at a position on the screen: the right mouse button released
    // over the list, or the Menu key or Shift+F10 (at the selected member).
    void popupRequested(const QPoint& globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QListWidgetItem* rowItem(int row) const { return item(row - 1); }
};

}  // namespace morva
