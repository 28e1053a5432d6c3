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
    // The right mouse button was released over the list, at a position on the screen.
    void rightButtonReleased(const QPoint& globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QListWidgetItem* rowItem(int row) const { return item(row - 1); }
};

}  // namespace morva
