#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace morva {

class Bot;

// frmFilter, "Morva Chat Filter": the chat filter patterns, one row each in list order, a box to
// type a new one in, and buttons to add it or remove the selected row. filter.bot is rewritten
// after every change.
class FilterDialog : public QDialog {
    Q_OBJECT

public:
    explicit FilterDialog(Bot& bot, QWidget* parent = nullptr);

    void cmdAdd_Click();
    void cmdRemove_Click();

    QTreeWidget& filterList() { return *lvFilter_; }
    QLineEdit& textBox() { return *txtFilter_; }
    QPushButton& addButton() { return *cmdAdd_; }
    QPushButton& removeButton() { return *cmdRemove_; }

private:
    void addRow(const std::string& pattern);

    Bot& bot_;
    QTreeWidget* lvFilter_;
    QLineEdit* txtFilter_;
    QPushButton* cmdAdd_;
    QPushButton* cmdRemove_;
};

}  // namespace morva
