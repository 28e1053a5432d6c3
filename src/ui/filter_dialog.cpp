#include "ui/filter_dialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "bot/bot.h"
#include "platform/display_text.h"
#include "settings/name_lists.h"
#include "ui/member_icons.h"
#include "ui/twips.h"
#include "ui/window_style.h"

namespace morva {

namespace {
const QString Explanation = QStringLiteral(
    "Talk that matches one of these patterns is not shown in the chat. In a pattern, * stands for any "
    "text, ? for one character, # for a digit and [a-z] for one of those characters; case does not count.");
}  // namespace

FilterDialog::FilterDialog(Bot& bot, QWidget* parent)
    : QDialog(parent),
      bot_(bot),
      lvFilter_(new QTreeWidget(this)),
      txtFilter_(new QLineEdit(this)),
      cmdAdd_(new QPushButton(QStringLiteral("Add To Filter"), this)),
      cmdRemove_(new QPushButton(QStringLiteral("Remove From Filter"), this)) {
    setWindowTitle(QStringLiteral("Morva Chat Filter"));
    setWindowIcon(ApplicationIcon());
    setFont(WindowFont());
    setAutoFillBackground(true);
    setPalette(DarkPalette(palette()));
    setStyleSheet(DarkFrames());

    lvFilter_->setHeaderLabels({QStringLiteral("Text")});
    lvFilter_->setRootIsDecorated(false);
    lvFilter_->setUniformRowHeights(true);
    lvFilter_->setSortingEnabled(false);
    lvFilter_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvFilter_->header()->setStretchLastSection(true);
    // Enter in the box adds; it must not also press a button.
    for (QPushButton* button : {cmdAdd_, cmdRemove_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // Designed in twips: list 120, 120, 6855 × 3735; box 120, 3960, 6855 × 375; buttons of
    // 3375 × 375 at 120 and 3600, 4440; client area 7095 × 4965.
    const TwipsScale twips = TwipsScale::of(*this);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(twips.toPixelsX(120), twips.toPixelsY(120), twips.toPixelsX(120),
                               twips.toPixelsY(150));
    layout->setHorizontalSpacing(twips.toPixelsX(105));
    layout->setVerticalSpacing(twips.toPixelsY(105));
    auto* explanation = new QLabel(Explanation, this);
    explanation->setObjectName(QStringLiteral("lblExplanation"));
    explanation->setWordWrap(true);
    layout->addWidget(explanation, 0, 0, 1, 2);
    layout->addWidget(lvFilter_, 1, 0, 1, 2);
    layout->addWidget(txtFilter_, 2, 0, 1, 2);
    layout->addWidget(cmdAdd_, 3, 0);
    layout->addWidget(cmdRemove_, 3, 1);
    layout->setRowStretch(1, 1);
    for (QWidget* line : {static_cast<QWidget*>(txtFilter_), static_cast<QWidget*>(cmdAdd_),
                          static_cast<QWidget*>(cmdRemove_)})
        line->setFixedHeight(twips.toPixelsY(375));
    resize(twips.toPixelsX(7095), twips.toPixelsY(4965));

    for (const std::string& pattern : bot_.settings.FilterPatterns) addRow(pattern);

    connect(cmdAdd_, &QPushButton::clicked, this, &FilterDialog::cmdAdd_Click);
    connect(cmdRemove_, &QPushButton::clicked, this, &FilterDialog::cmdRemove_Click);
    connect(txtFilter_, &QLineEdit::returnPressed, this, &FilterDialog::cmdAdd_Click);
    // Typing a new pattern is what the dialog is opened for.
    txtFilter_->setFocus();
}

void FilterDialog::addRow(const std::string& pattern) {
    auto* row = new QTreeWidgetItem(lvFilter_);
    row->setText(0, QString::fromStdString(DisplayText(pattern)));
}

void FilterDialog::cmdAdd_Click() {
    if (txtFilter_->text().isEmpty()) return;
    const std::string pattern = txtFilter_->text().toStdString();
    AddFilter(bot_.settings, pattern);
    addRow(pattern);
    txtFilter_->clear();
    WriteFilter(bot_.settings);
}

void FilterDialog::cmdRemove_Click() {
    const QList<QTreeWidgetItem*> selected = lvFilter_->selectedItems();
    if (selected.isEmpty()) return;
    const int row = lvFilter_->indexOfTopLevelItem(selected.first());
    RemoveFilterAt(bot_.settings, row + 1);
    delete lvFilter_->takeTopLevelItem(row);
    WriteFilter(bot_.settings);
}

}  // namespace morva
