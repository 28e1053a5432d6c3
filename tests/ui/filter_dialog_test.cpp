#include "ui/filter_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/member_list.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

using Strings = std::vector<std::string>;

class FilterDialogTest : public MainWindowFixture {
protected:
    FilterDialog& open() {
        window->action("mnuFilter").trigger();
        ProcessEvents();
        FilterDialog* dialog = window->filterDialog();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    static Strings rows(FilterDialog& dialog) {
        Strings texts;
        QTreeWidget& list = dialog.filterList();
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            texts.push_back(list.topLevelItem(i)->text(0).toStdString());
        return texts;
    }
    static void type(FilterDialog& dialog, const char* text) {
        dialog.textBox().setText(QString::fromUtf8(text));
        PressKey(dialog.textBox(), Qt::Key_Return);
    }
    static void select(FilterDialog& dialog, int row) {
        dialog.filterList().setCurrentItem(dialog.filterList().topLevelItem(row - 1));
    }
};

TEST_F(FilterDialogTest, ShowsTheFilterListInItsOrder) {
    profile.write("filter.bot", "*spam*\r\nbuy *\r\n");
    start();
    FilterDialog& dialog = open();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Morva Chat Filter"));
    EXPECT_EQ(dialog.filterList().headerItem()->text(0), QStringLiteral("Text"));
    EXPECT_EQ(dialog.filterList().columnCount(), 1);
    EXPECT_EQ(dialog.addButton().text(), QStringLiteral("Add To Filter"));
    EXPECT_EQ(dialog.removeButton().text(), QStringLiteral("Remove From Filter"));
    EXPECT_EQ(rows(dialog), (Strings{"*spam*", "buy *"}));
}

TEST_F(FilterDialogTest, LooksLikeTheWindowSaysWhatItDoesAndWaitsForAPattern) {
    start();
    FilterDialog& dialog = open();
    EXPECT_EQ(dialog.palette().color(QPalette::Window),
              window->centralWidget()->palette().color(QPalette::Window));
    EXPECT_EQ(dialog.focusWidget(), &dialog.textBox());
    const auto* explanation = dialog.findChild<QLabel*>(QStringLiteral("lblExplanation"));
    ASSERT_NE(explanation, nullptr);
    EXPECT_TRUE(explanation->text().contains(QStringLiteral("not shown in the chat")));
}

TEST_F(FilterDialogTest, ClosedTheFocusGoesBackToTheInputLine) {
    start();
    window->memberList().setFocus();
    open().close();
    ProcessEvents();
    EXPECT_EQ(window->focusWidget(), &window->inputLine());
}

TEST_F(FilterDialogTest, EnterAddsTheTextAsItStandsAndSavesAtOnce) {
    profile.write("filter.bot", "buy *\r\n");
    start();
    FilterDialog& dialog = open();
    type(dialog, "*spam*");
    EXPECT_EQ(rows(dialog), (Strings{"buy *", "*spam*"}));
    EXPECT_EQ(dialog.textBox().text(), QString());
    EXPECT_EQ(profile.read("filter.bot"), "buy *\r\n*spam*\r\n");

    type(dialog, " [unclosed");
    dialog.textBox().setText(QStringLiteral("*spam*"));
    dialog.addButton().click();
    EXPECT_EQ(rows(dialog), (Strings{"buy *", "*spam*", " [unclosed", "*spam*"}));
    EXPECT_EQ(bot().settings.FilterPatterns, (Strings{"buy *", "*spam*", " [unclosed", "*spam*"}));
    EXPECT_EQ(profile.read("filter.bot"), "buy *\r\n*spam*\r\n [unclosed\r\n*spam*\r\n");
}

TEST_F(FilterDialogTest, AnEmptyBoxAddsAndWritesNothing) {
    start();
    FilterDialog& dialog = open();
    type(dialog, "");
    dialog.addButton().click();
    EXPECT_EQ(rows(dialog), Strings{});
    EXPECT_FALSE(profile.exists("filter.bot"));
}

TEST_F(FilterDialogTest, RemoveTakesTheSelectedRowAwayEverywhere) {
    profile.write("filter.bot", "one\r\ntwo\r\nthree\r\n");
    start();
    FilterDialog& dialog = open();
    dialog.removeButton().click();
    EXPECT_EQ(rows(dialog), (Strings{"one", "two", "three"})) << "nothing selected, nothing removed";
    EXPECT_EQ(profile.read("filter.bot"), "one\r\ntwo\r\nthree\r\n");

    select(dialog, 2);
    dialog.removeButton().click();
    EXPECT_EQ(rows(dialog), (Strings{"one", "three"}));
    EXPECT_EQ(bot().settings.FilterPatterns, (Strings{"one", "three"}));
    EXPECT_EQ(profile.read("filter.bot"), "one\r\nthree\r\n");
}

TEST_F(FilterDialogTest, AnOpenDialogIsReusedAndAClosedOneComesBackFresh) {
    profile.write("filter.bot", "one\r\n");
    start();
    FilterDialog& first = open();
    first.textBox().setText(QStringLiteral("typed"));
    EXPECT_EQ(&open(), &first);

    first.close();
    ProcessEvents();
    bot().settings.FilterPatterns.push_back("two");
    FilterDialog& second = open();
    EXPECT_EQ(rows(second), (Strings{"one", "two"}));
    EXPECT_EQ(second.textBox().text(), QString());
}

}  // namespace
}  // namespace morva::testing
