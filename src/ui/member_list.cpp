#include "ui/member_list.h"

#include <QMouseEvent>
#include <array>

#include "platform/display_text.h"
#include "platform/text_case.h"
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

QListWidgetItem* MemberList::newRow(const std::string& text, int icon) const {
    static const std::array<QIcon, MemberIconCount + 1> icons = [] {
        std::array<QIcon, MemberIconCount + 1> all;
        for (int i = 0; i <= MemberIconCount; ++i) all[static_cast<std::size_t>(i)] = MemberIcon(i);
        return all;
    }();
    auto* item = new QListWidgetItem(icons[icon >= 1 && icon <= MemberIconCount ? icon : 0], shown(text));
    item->setData(NameRole, QByteArray::fromStdString(text));
    item->setData(IconRole, icon);
    item->setForeground(ToQColor(ColorMemberDefault));
    return item;
}

void MemberList::append(const std::string& text, int icon) {
    addItem(newRow(text, icon));
}

void MemberList::insertAt(int row, const std::string& text, int icon) {
    insertItem(row - 1, newRow(text, icon));
}

void MemberList::removeAt(int row) {
    delete takeItem(row - 1);
}

int MemberList::find(const std::string& text) const {
    for (int i = 1; i <= count(); ++i)
        if (EqualsNoCase(this->text(i), text)) return i;
    return 0;
}

std::string MemberList::text(int row) const {
    const QListWidgetItem* item = rowItem(row);
    return item ? item->data(NameRole).toByteArray().toStdString() : std::string();
}

int MemberList::icon(int row) const {
    const QListWidgetItem* item = rowItem(row);
    return item ? item->data(IconRole).toInt() : 0;
}

void MemberList::setToolTip(int row, const std::string& tip) {
    if (QListWidgetItem* item = rowItem(row)) item->setToolTip(shown(tip));
}

void MemberList::setColor(int row, Rgb color) {
    if (QListWidgetItem* item = rowItem(row)) item->setForeground(ToQColor(color));
}

void MemberList::setBold(int row, bool bold) {
    if (QListWidgetItem* item = rowItem(row)) {
        QFont font = item->font();
        font.setBold(bold);
        item->setFont(font);
    }
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
