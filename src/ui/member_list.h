#pragma once

#include <QListWidget>

#include "platform/member_view.h"

namespace morva {

// The member list (lvChannel): one row per member with its icon, tool tip, colour and weight,
// holding the member's name as the bytes the server sent.
class MemberList : public QListWidget, public MemberView {
    Q_OBJECT

public:
    explicit MemberList(QWidget* parent = nullptr);

    void append(const std::string& text, int icon) override;
    void insertAt(int row, const std::string& text, int icon) override;
    void removeAt(int row) override;
    int find(const std::string& text) const override;
    void clear() override { QListWidget::clear(); }
    int count() const override { return QListWidget::count(); }
    std::string text(int row) const override;
    int icon(int row) const override;
    void setToolTip(int row, const std::string& tip) override;
    void setColor(int row, Rgb color) override;
    void setBold(int row, bool bold) override;
    int selectedRow() const override;

    // Selects a row (from 1); 0 clears the selection.
    void selectRow(int row);

signals:
    // The right mouse button was released over the list, at a position on the screen.
    void rightButtonReleased(const QPoint& globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QListWidgetItem* newRow(const std::string& text, int icon) const;
    QListWidgetItem* rowItem(int row) const { return item(row - 1); }
};

}  // namespace morva
