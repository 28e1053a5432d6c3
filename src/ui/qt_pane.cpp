#include "ui/qt_pane.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "platform/display_text.h"
#include "ui/pane_view.h"
#include "ui/web_links.h"
#include "ui/window_style.h"

namespace morva {

namespace {

QTextCharFormat colored(Rgb color) {
    QTextCharFormat format;
    format.setForeground(ToQColor(color));
    return format;
}

// Characters that the document would turn into a line or paragraph break. Inside a line they could
// only make a received text look like lines of the program's own, so they are shown as blanks.
QString OneLine(QString text) {
    for (QChar& c : text) {
        switch (c.unicode()) {
            case u'\r':
            case u'\n':
            case 0x2028:  // line separator
            case 0x2029:  // paragraph separator
            case 0xFDD0:  // frame start
            case 0xFDD1:  // frame end
                c = u' ';
                break;
            default:
                break;
        }
    }
    return text;
}

// The first paragraph to keep when at least atLeast characters go from the front: the one that
// starts at or after that many characters, or the empty last one when every line goes.
QTextBlock FirstKept(const QTextDocument& document, int atLeast) {
    const QTextBlock block = document.findBlock(std::max(atLeast, 0));
    if (!block.isValid()) return document.lastBlock();
    return block.position() < atLeast ? block.next() : block;
}

}  // namespace

QtPane::QtPane(PaneView& view, Links links) : view_(view), links_(links) {
    flush_.setWork([this] { flush(); });
}

QtPane::ShownRun QtPane::shown(const Run& run) {
    return ShownRun{OneLine(QString::fromStdString(DisplayText(run.text))), run.color};
}

void QtPane::appendLine(const PaneLine& line) {
    ShownLine runs;
    runs.reserve(line.runs.size() + 1);
    runs.push_back(shown(line.stamp));
    for (const Run& run : line.runs) runs.push_back(shown(run));
    heldBackLength_ += 1;  // the paragraph end
    for (const ShownRun& run : runs) heldBackLength_ += static_cast<int>(run.text.size());
    heldBack_.push_back(std::move(runs));
    flush_.schedule();
}

void QtPane::flush() {
    flush_.cancel();
    if (heldBack_.empty()) return;
    const int userAnchor = view_.textCursor().anchor();
    const int userPosition = view_.textCursor().position();
    QTextCursor cursor(view_.document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    for (const ShownLine& line : heldBack_) {
        for (const ShownRun& run : line) insertRun(cursor, run);
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }
    cursor.endEditBlock();
    heldBack_.clear();
    heldBackLength_ = 0;
    // A user's cursor at the very end would have been carried along by the new text.
    view_.restoreCursor(userAnchor, userPosition);
}

void QtPane::insertRun(QTextCursor& cursor, const ShownRun& run) const {
    const QString& text = run.text;
    const QTextCharFormat plain = colored(run.color);
    qsizetype done = 0;
    if (links_ == Links::Detected) {
        for (const LinkSpan& span : FindWebLinks(text)) {
            cursor.insertText(text.mid(done, span.start - done), plain);
            const QString address = text.mid(span.start, span.length);
            QTextCharFormat link = colored(ColorLink);
            link.setAnchor(true);
            link.setAnchorHref(address);
            link.setFontUnderline(true);
            cursor.insertText(address, link);
            done = span.start + span.length;
        }
    }
    cursor.insertText(text.mid(done), plain);
}

int QtPane::length() const {
    return view_.document()->characterCount() - 1 + heldBackLength_;
}

void QtPane::dropFront(int atLeast) {
    flush();
    QTextDocument& document = *view_.document();
    const QTextBlock kept = FirstKept(document, atLeast);
    if (kept == document.firstBlock()) return;
    const QAbstractTextDocumentLayout& layout = *document.documentLayout();
    const int removedHeight =
        qRound(layout.blockBoundingRect(kept).top() - layout.blockBoundingRect(document.firstBlock()).top());
    const bool following = view_.following();
    const int scrolled = view_.verticalScrollBar()->value();

    QTextCursor cursor(&document);
    cursor.setPosition(kept.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    // A following view stays at the bottom by itself; one scrolled up keeps showing the same lines.
    if (!following) view_.verticalScrollBar()->setValue(scrolled - removedHeight);
}

void QtPane::clear() {
    heldBack_.clear();
    heldBackLength_ = 0;
    flush_.cancel();
    QTextCursor cursor(view_.document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockCharFormat(QTextCharFormat());
}

}  // namespace morva
