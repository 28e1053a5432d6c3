#include "ui/qt_pane.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>

#include "chat/add_chat.h"
#include "chat/palette.h"
#include "ui/pane_view.h"
#include "ui/window_style.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

const LocalTime At{2026, 12, 10, 14, 3, 27, 45};

class QtPaneTest : public ::testing::Test {
protected:
    QColor colorAt(int position) const {
        QTextCursor cursor(view.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    }

    PaneView view;
    QtPane pane{view, QtPane::Links::Detected};
};

TEST_F(QtPaneTest, AddChatWritesOneParagraphPerLineInItsColours) {
    AddChat(pane, At, {{ColorUserName, "Joe: "}, {ColorWhite, "hi"}});
    AddChat(pane, At, {{ColorWhite, ""}});
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] Joe: hi\n[14:03:27.45] \n"));
    EXPECT_EQ(view.document()->blockCount(), 3);
    // Positions count the document's characters: each line end is one.
    EXPECT_EQ(pane.textLength(), 22 + 15);
    EXPECT_EQ(pane.caret(), pane.textLength());
    EXPECT_EQ(colorAt(0), ToQColor(ColorTimeStamp));
    EXPECT_EQ(colorAt(14), ToQColor(ColorUserName));
    EXPECT_EQ(colorAt(19), ToQColor(ColorWhite));
}

TEST_F(QtPaneTest, ReceivedBytesAreShownAsUtf8OrWindows1252) {
    // Each text is read as a whole: UTF-8 when it all is, else Windows-1252.
    AddChat(pane, At,
            {{ColorWhite, "caf\xC3\xA9 / "}, {ColorWhite, "caf\xE9 \x80"}, {ColorWhite, " \xC3\xA9\xE9"}});
    EXPECT_EQ(
        view.toPlainText(),
        QString::fromUtf8("[14:03:27.45] caf\xC3\xA9 / caf\xC3\xA9 \xE2\x82\xAC \xC3\x83\xC2\xA9\xC3\xA9\n"));
}

TEST_F(QtPaneTest, LineBreaksInsideALineAreShownAsBlanks) {
    AddChat(pane, At,
            {{ColorWhite,
              "a\nb\rc\r\nd\xE2\x80\xA8"
              "e"}});
    EXPECT_EQ(view.document()->blockCount(), 2);
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] a b c  d e\n"));
}

TEST_F(QtPaneTest, CaretAndSelectionWorkOnTheDocument) {
    AddChat(pane, At, {{ColorWhite, "abcdef"}});
    pane.setCaret(14);
    pane.setSelectionLength(3);
    EXPECT_EQ(pane.caret(), 14);
    EXPECT_EQ(pane.selectionLength(), 3);
    pane.setInsertColor(ColorError);
    pane.replaceSelection("X");
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] Xdef\n"));
    EXPECT_EQ(pane.caret(), 15);
    EXPECT_EQ(pane.selectionLength(), 0);
    EXPECT_EQ(colorAt(14), ToQColor(ColorError));

    pane.setCaret(1000);
    EXPECT_EQ(pane.caret(), pane.textLength());
    pane.setCaret(2);
    pane.setSelectionLength(1000);
    EXPECT_EQ(pane.selectionLength(), pane.textLength() - 2);
}

TEST_F(QtPaneTest, AnOperatorsSelectionIsLostAndTheLineGoesToTheEnd) {
    AddChat(pane, At, {{ColorWhite, "first"}});
    QTextCursor selection(view.document());
    selection.setPosition(2);
    selection.setPosition(6, QTextCursor::KeepAnchor);
    view.setTextCursor(selection);
    AddChat(pane, At, {{ColorWhite, "second"}});
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] first\n[14:03:27.45] second\n"));
    EXPECT_EQ(pane.selectionLength(), 0);
}

TEST_F(QtPaneTest, APanePastFiftyThousandCharactersLosesItsFirstTwentyFiveThousand) {
    const std::string text(78, 'x');  // with its stamp and line end, 93 characters a line
    while (pane.textLength() <= 50000) AddChat(pane, At, {{ColorWhite, text}});
    const int before = pane.textLength();
    AddChat(pane, At, {{ColorWhite, "last"}});
    EXPECT_EQ(pane.textLength(), before - 25000 + 14 + 4 + 1);
    EXPECT_TRUE(view.toPlainText().endsWith(QStringLiteral("[14:03:27.45] last\n")));
}

TEST_F(QtPaneTest, ClearEmptiesThePaneForNewLines) {
    AddChat(pane, At, {{ColorWhite, "see http://example.com"}});
    pane.clear();
    EXPECT_EQ(pane.textLength(), 0);
    AddChat(pane, At, {{ColorWhite, "plain"}});
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] plain\n"));
    EXPECT_FALSE(view.toHtml().contains(QStringLiteral("href")));
}

}  // namespace
}  // namespace morva::testing
