#include "ui/qt_pane.h"

#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

#include "platform/display_text.h"
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

}  // namespace

int QtPane::textLength() const {
    return view_.document()->characterCount() - 1;
}

int QtPane::caret() const {
    return view_.textCursor().selectionStart();
}

void QtPane::setCaret(int position) {
    QTextCursor cursor = view_.textCursor();
    cursor.setPosition(std::clamp(position, 0, textLength()));
    view_.setTextCursor(cursor);
}

int QtPane::selectionLength() const {
    const QTextCursor cursor = view_.textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void QtPane::setSelectionLength(int length) {
    QTextCursor cursor = view_.textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(start + std::clamp(length, 0, textLength() - start), QTextCursor::KeepAnchor);
    view_.setTextCursor(cursor);
}

void QtPane::replaceSelection(const std::string& text) {
    QTextCursor cursor = view_.textCursor();
    cursor.removeSelectedText();
    const bool endsLine = text.ends_with("\r\n");
    const std::string_view line = std::string_view(text).substr(0, text.size() - (endsLine ? 2 : 0));
    insertText(cursor, OneLine(QString::fromStdString(DisplayText(line))));
    if (endsLine) cursor.insertBlock(QTextBlockFormat(), colored(color_));
    view_.setTextCursor(cursor);
}

void QtPane::insertText(QTextCursor& cursor, const QString& text) const {
    const QTextCharFormat plain = colored(color_);
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

void QtPane::clear() {
    QTextCursor cursor(view_.document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockCharFormat(QTextCharFormat());
    view_.setTextCursor(cursor);
}

}  // namespace morva
