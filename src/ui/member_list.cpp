#include "ui/member_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <array>

#include "platform/display_text.h"
#include "ui/member_icons.h"
#include "ui/window_style.h"

namespace morva {

namespace {
QString shown(const std::string& bytes) {
    return QString::fromStdString(DisplayText(bytes));
}

const QIcon& iconOf(int icon) {
    static const std::array<QIcon, MemberIconCount + 1> icons = [] {
        std::array<QIcon, MemberIconCount + 1> all;
        for (int i = 0; i <= MemberIconCount; ++i) all[static_cast<std::size_t>(i)] = MemberIcon(i);
        return all;
    }();
    return icons[static_cast<std::size_t>(icon >= 1 && icon <= MemberIconCount ? icon : 0)];
}

const QFont& boldFont() {
    static const QFont bold = [] {
        QFont font;
        font.setBold(true);
        return font;
    }();
    return bold;
}

// A member's row. Everything but its text is made from the member's look only when the view asks,
// so that listing a crowded channel costs little more than plain items.
class MemberItem : public QListWidgetItem {
public:
    explicit MemberItem(const MemberRow& look) { restyle(look); }

    // Setting the text also tells the view that the row changed.
    void restyle(const MemberRow& look) {
        look_ = look;
        setText(shown(look_.name));
    }
    const MemberRow& look() const { return look_; }

    QVariant data(int role) const override {
        switch (role) {
            case Qt::DecorationRole:
                return iconOf(look_.icon);
            case Qt::ToolTipRole:
                return shown(look_.toolTip);
            case Qt::ForegroundRole:
                return QBrush(ToQColor(look_.color.value_or(ColorMemberDefault)));
            case Qt::FontRole:
                return look_.bold ? QVariant(boldFont()) : QVariant();
            default:
                return QListWidgetItem::data(role);
        }
    }

private:
    MemberRow look_;
};

const MemberItem* memberItem(const QListWidgetItem* item) {
    return static_cast<const MemberItem*>(item);
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

void MemberList::insertRow(int row, const MemberRow& look) {
    insertItem(row - 1, new MemberItem(look));
}

void MemberList::removeRow(int row) {
    delete takeItem(row - 1);
}

void MemberList::restyleRow(int row, const MemberRow& look) {
    if (QListWidgetItem* item = rowItem(row)) static_cast<MemberItem*>(item)->restyle(look);
}

std::string MemberList::name(int row) const {
    const QListWidgetItem* item = rowItem(row);
    return item ? memberItem(item)->look().name : std::string();
}

int MemberList::icon(int row) const {
    const QListWidgetItem* item = rowItem(row);
    return item ? memberItem(item)->look().icon : 0;
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
    if (event->button() == Qt::RightButton) emit popupRequested(event->globalPosition().toPoint());
}

void MemberList::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (!menuKey && !shiftF10) return QListWidget::keyPressEvent(event);
    QListWidgetItem* at = currentItem();
    if (!at && count() > 0) setCurrentItem(at = item(0));
    if (at) emit popupRequested(viewport()->mapToGlobal(visualItemRect(at).center()));
}

}  // namespace morva
