#include "ui/qt_pane.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <string>
#include <utility>

#include "output/add_chat.h"
#include "output/palette.h"
#include "ui/pane_view.h"
#include "ui/window_style.h"
#include "ui_fixture.h"

namespace morva::testing {
namespace {

const LocalTime At{2026, 12, 10, 14, 3, 27, 45};

PaneLine Line(Runs runs) {
    return PaneLine{Run{ColorTimeStamp, TimeStamp(At)}, std::move(runs)};
}

PaneLine Numbered(int number) {
    return Line({{ColorWhite, "line " + std::to_string(number)}});
}

class QtPaneTest : public ::testing::Test {
protected:
    QTextCharFormat formatAt(int position) const {
        QTextCursor cursor(view.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }
    QColor colorAt(int position) const { return formatAt(position).foreground().color(); }
    void select(int anchor, int position) {
        QTextCursor cursor(view.document());
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
    }

    PaneView view;
    QtPane pane{view, QtPane::Links::Detected};
};

TEST_F(QtPaneTest, WritesOneParagraphPerLineInItsColours) {
    pane.appendLine(Line({{ColorUserName, "Joe: "}, {ColorWhite, "hi"}}));
    pane.appendLine(Line({{ColorWhite, ""}}));
    pane.flush();
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] Joe: hi\n[14:03:27.45] \n"));
    EXPECT_EQ(view.document()->blockCount(), 3);
    // Lengths count the document's characters: each paragraph end is one.
    EXPECT_EQ(pane.length(), 22 + 15);
    EXPECT_EQ(colorAt(0), ToQColor(ColorTimeStamp));
    EXPECT_EQ(colorAt(14), ToQColor(ColorUserName));
    EXPECT_EQ(colorAt(19), ToQColor(ColorWhite));
}

TEST_F(QtPaneTest, LinesOfOneTurnOfTheEventLoopReachTheViewInOneEdit) {
    int edits = 0;
    QObject::connect(view.document(), &QTextDocument::contentsChange, [&edits] { ++edits; });
    for (int number = 1; number <= 3; ++number) pane.appendLine(Numbered(number));
    EXPECT_EQ(view.toPlainText(), QString()) << "held back until the event loop's turn";
    EXPECT_EQ(pane.length(), 3 * 21) << "held-back lines count for the trim";
    ProcessEvents();
    EXPECT_EQ(view.toPlainText(),
              QStringLiteral("[14:03:27.45] line 1\n[14:03:27.45] line 2\n[14:03:27.45] line 3\n"));
    EXPECT_EQ(pane.length(), 3 * 21);
    EXPECT_EQ(edits, 1);
}

TEST_F(QtPaneTest, ReceivedBytesAreShownAsUtf8OrWindows1252) {
    // Each run is read as a whole: UTF-8 when it all is, else Windows-1252.
    pane.appendLine(
        Line({{ColorWhite, "caf\xC3\xA9 / "}, {ColorWhite, "caf\xE9 \x80"}, {ColorWhite, " \xC3\xA9\xE9"}}));
    pane.flush();
    EXPECT_EQ(
        view.toPlainText(),
        QString::fromUtf8("[14:03:27.45] caf\xC3\xA9 / caf\xC3\xA9 \xE2\x82\xAC \xC3\x83\xC2\xA9\xC3\xA9\n"));
    EXPECT_EQ(pane.length(), 14 + 17 + 1) << "the length counts characters, not bytes";
}

TEST_F(QtPaneTest, LineBreaksInsideALineAreShownAsBlanks) {
    pane.appendLine(Line({{ColorWhite,
                           "a\nb\rc\r\nd\xE2\x80\xA8"
                           "e\xE2\x80\xA9"
                           "f\xEF\xB7\x90g\xEF\xB7\x91h"}}));
    pane.flush();
    EXPECT_EQ(view.document()->blockCount(), 2);
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] a b c  d e f g h\n"));
}

TEST_F(QtPaneTest, WebAddressesBecomeLinksOnlyWhenDetected) {
    PaneView plainView;
    QtPane plain(plainView);
    for (QtPane* target : {&pane, &plain})
        target->appendLine(Line({{ColorWhite, "see http://example.com now"}}));
    pane.flush();
    plain.flush();

    const QTextCharFormat link = formatAt(14 + 4);
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), QStringLiteral("http://example.com"));
    EXPECT_EQ(link.foreground().color(), ToQColor(ColorLink));
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_FALSE(formatAt(14 + 1).isAnchor());
    EXPECT_EQ(colorAt(14 + 23), ToQColor(ColorWhite)) << "the text after the link";
    EXPECT_EQ(view.toPlainText(), plainView.toPlainText());
    EXPECT_FALSE(plainView.toHtml().contains(QStringLiteral("href")));
}

TEST_F(QtPaneTest, ClearEmptiesThePaneForNewLines) {
    pane.appendLine(Line({{ColorWhite, "see http://example.com"}}));
    pane.clear();
    EXPECT_EQ(pane.length(), 0);
    pane.appendLine(Line({{ColorWhite, "plain"}}));
    pane.flush();
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] plain\n"));
    EXPECT_FALSE(view.toHtml().contains(QStringLiteral("href")));
}

TEST_F(QtPaneTest, TheUsersSelectionStaysWhileLinesArrive) {
    pane.appendLine(Line({{ColorWhite, "first"}}));
    pane.flush();
    select(16, 19);
    pane.appendLine(Line({{ColorWhite, "second"}}));
    pane.flush();
    EXPECT_EQ(view.toPlainText(), QStringLiteral("[14:03:27.45] first\n[14:03:27.45] second\n"));
    EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("rst"));
    EXPECT_EQ(view.textCursor().anchor(), 16);

    // Even a selection that reaches the very end keeps its ends.
    view.selectAll();
    const QString all = view.textCursor().selectedText();
    pane.appendLine(Line({{ColorWhite, "third"}}));
    pane.flush();
    EXPECT_EQ(view.textCursor().selectedText(), all);
    EXPECT_EQ(view.textCursor().selectionStart(), 0);
}

struct DropCase {
    int atLeast;
    QString kept;
};

class QtPaneDrop : public QtPaneTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(QtPaneDrop, DropsWholeParagraphsUntilEnoughWent) {
    // Paragraphs of 21, 21 and 22 characters, ends included.
    for (int number : {1, 2, 10}) pane.appendLine(Numbered(number));
    pane.dropFront(GetParam().atLeast);
    EXPECT_EQ(view.toPlainText(), GetParam().kept);
    EXPECT_EQ(pane.length(), GetParam().kept.size());
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, QtPaneDrop,
    ::testing::Values(
        DropCase{0, QStringLiteral("[14:03:27.45] line 1\n[14:03:27.45] line 2\n[14:03:27.45] line 10\n")},
        DropCase{1, QStringLiteral("[14:03:27.45] line 2\n[14:03:27.45] line 10\n")},
        DropCase{21, QStringLiteral("[14:03:27.45] line 2\n[14:03:27.45] line 10\n")},
        DropCase{22, QStringLiteral("[14:03:27.45] line 10\n")}, DropCase{43, QString()},
        DropCase{1000, QString()}));

TEST_F(QtPaneTest, DroppingKeepsASelectionOnItsText) {
    for (int number = 1; number <= 3; ++number) pane.appendLine(Numbered(number));
    pane.flush();
    select(21 + 14, 21 + 20);
    pane.dropFront(1);
    EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("line 2"));
    EXPECT_EQ(view.textCursor().selectionStart(), 14);
}

TEST_F(QtPaneTest, AddChatPastFiftyThousandCharactersDropsWholeLines) {
    const std::string text(78, 'x');  // with its stamp and paragraph end, 93 characters a line
    while (pane.length() <= 50000) AddChat(pane, At, {{ColorWhite, text}});
    const int before = pane.length();
    AddChat(pane, At, {{ColorWhite, "last"}});
    pane.flush();
    const int dropped = (25000 + 92) / 93 * 93;
    EXPECT_EQ(pane.length(), before - dropped + 14 + 4 + 1);
    EXPECT_EQ(view.document()->firstBlock().text(), QString::fromStdString(TimeStamp(At) + text));
    EXPECT_TRUE(view.toPlainText().endsWith(QStringLiteral("[14:03:27.45] last\n")));
}

// A view of fixed size on the screen, with more lines than it shows.
class ShownPane : public QtPaneTest {
protected:
    void SetUp() override {
        view.resize(320, 200);
        view.show();
        ProcessEvents();
        for (next = 0; next < 200; ++next) pane.appendLine(Numbered(next));
        pane.flush();
        ASSERT_GT(bar().maximum(), 1000);
    }
    QScrollBar& bar() { return *view.verticalScrollBar(); }
    QString firstVisibleLine() const { return view.cursorForPosition(QPoint(5, 5)).block().text(); }
    void appendLines(int count) {
        for (const int end = next + count; next < end; ++next) pane.appendLine(Numbered(next));
        ProcessEvents();
    }

    int next = 0;
};

TEST_F(ShownPane, AtTheBottomTheViewFollowsEachLine) {
    EXPECT_EQ(bar().value(), bar().maximum());
    for (int i = 0; i < 20; ++i) {
        const int before = bar().maximum();
        appendLines(1);
        ASSERT_GT(bar().maximum(), before);
        ASSERT_EQ(bar().value(), bar().maximum());
    }
    pane.dropFront(2000);
    EXPECT_EQ(bar().value(), bar().maximum());
}

TEST_F(ShownPane, ScrolledUpWithASelectionNewLinesMoveNeither) {
    select(1000, 1100);
    bar().setValue(bar().maximum() / 3);
    const int scrolled = bar().value();
    const QString selected = view.textCursor().selectedText();
    const QString shown = firstVisibleLine();
    appendLines(100);
    EXPECT_EQ(bar().value(), scrolled);
    EXPECT_EQ(view.textCursor().selectionStart(), 1000);
    EXPECT_EQ(view.textCursor().selectionEnd(), 1100);
    EXPECT_EQ(view.textCursor().selectedText(), selected);
    EXPECT_EQ(firstVisibleLine(), shown);
}

TEST_F(ShownPane, ASelectionToTheEndNeitherGrowsNorScrollsTheView) {
    view.selectAll();
    bar().setValue(bar().maximum() / 3);
    const int scrolled = bar().value();
    const int end = view.textCursor().selectionEnd();
    appendLines(10);
    EXPECT_EQ(bar().value(), scrolled);
    EXPECT_EQ(view.textCursor().selectionEnd(), end);
}

TEST_F(ShownPane, ADropWhileScrolledUpKeepsTheSameLinesInView) {
    bar().setValue(bar().maximum() / 2);
    const int scrolled = bar().value();
    const QString shown = firstVisibleLine();
    pane.dropFront(1000);
    EXPECT_LT(bar().value(), scrolled);
    EXPECT_EQ(firstVisibleLine(), shown);
}

TEST_F(ShownPane, ScrollingBackToTheBottomFollowsAgain) {
    bar().setValue(bar().maximum() - 1);
    appendLines(3);
    EXPECT_LT(bar().value(), bar().maximum());
    bar().setValue(bar().maximum());
    appendLines(3);
    EXPECT_EQ(bar().value(), bar().maximum());
}

TEST_F(ShownPane, AResizeKeepsAFollowingViewAtTheBottom) {
    view.resize(160, 200);
    ProcessEvents();
    EXPECT_EQ(bar().value(), bar().maximum());
    appendLines(1);
    EXPECT_EQ(bar().value(), bar().maximum());
}

TEST_F(QtPaneTest, AViewFilledWhileHiddenShowsItsLastLinesWhenShown) {
    for (int number = 0; number < 200; ++number) pane.appendLine(Numbered(number));
    pane.flush();
    view.resize(320, 200);
    view.show();
    ProcessEvents();
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
}

}  // namespace
}  // namespace morva::testing
