#include "ui/member_list.h"

#include <QMouseEvent>
#include <array>

#include "platform/display_text.h"
#include "ui/member_icons.h"
#include "ui/window_style.h"

namespace morva {

namespace {
constexpr int NameRole = Qt::UserRole;
constexpr int IconRole = Qt::UserRole + 1;

QString shown(const std::string& bytes) {
    return QString::fromStdString(DisplayText(bytes));
}
}  // namespace

MemberList::MemberList(QWidget* parent) : QListWidget(parent) {
    setIconSize(MemberIconSize);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setPalette(DarkPalette(palette()));
    // Every right-button press and release comes here; the popup opens on the release.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void MemberList::style(QListWidgetItem& item, const MemberRow& look) {
    static const std::array<QIcon, MemberIconCount + 1> icons = [] {
        std::array<QIcon, MemberIconCount + 1> all;
        for (int i = 0; i <= MemberIconCount; ++i) all[static_cast<std::size_t>(i)] = MemberIcon(i);
        return all;
    }();
    const int icon = look.icon >= 1 && look.icon <= MemberIconCount ? look.icon : 0;
    item.setIcon(icons[static_cast<std::size_t>(icon)]);
    item.setText(shown(look.name));
    item.setData(NameRole, QByteArray::fromStdString(look.name));
    item.setData(IconRole, look.icon);
    item.setToolTip(shown(look.toolTip));
    item.setForeground(ToQColor(look.color.value_or(ColorMemberDefault)));
    QFont font = item.font();
    font.setBold(look.bold);
    item.setFont(font);
}

void MemberList::insertRow(int row, const MemberRow& look) {
    auto* item = new QListWidgetItem;
    style(*item, look);
    insertItem(row - 1, item);
}

void MemberList::removeRow(int row) {
    delete takeItem(row - 1);
}

void MemberList::restyleRow(int row, const MemberRow& look) {
    if (QListWidgetItem* item = rowItem(row)) style(*item, look);
}

std::string MemberList::name(int row) const {
    const QListWidgetItem* item = rowItem(row);
    return item ? item->data(NameRole).toByteArray().toStdString() : std::string();
}

int MemberList::icon(int row) const {
    const QListWidgetItem* item = rowItem(row);
    return item ? item->data(IconRole).toInt() : 0;
}

int MemberList::selectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? 0 : QListWidget::row(selected.first()) + 1;
}

void MemberList::selectRow(int row) {
    if (QListWidgetItem* item = rowItem(row)) {
        setCurrentItem(item);
    } else {
        clearSelection();
    }
}

void MemberList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) emit rightButtonReleased(event->globalPosition().toPoint());
}

}  // namespace morva
