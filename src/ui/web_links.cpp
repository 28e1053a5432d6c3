#include "ui/web_links.h"

#include <QRegularExpression>

namespace morva {

namespace {

// A closing bracket ends the address unless the address opened it, as in wiki addresses.
bool endsWithUnpairedClose(const QString& link) {
    const QChar last = link.back();
    const QChar open = last == u')' ? u'(' : last == u']' ? u'[' : QChar();
    return !open.isNull() && link.count(open) < link.count(last);
}

qsizetype trimmedLength(const QString& link) {
    static const QString trailing = QStringLiteral(".,;:!?'\"");
    QString result = link;
    while (!result.isEmpty() && (trailing.contains(result.back()) || endsWithUnpairedClose(result)))
        result.chop(1);
    return result.size();
}

}  // namespace

std::vector<LinkSpan> FindWebLinks(const QString& text) {
    static const QRegularExpression address(QStringLiteral(R"((?<![\w.@/-])(?:https?://|www\.)[^\s<>"]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression prefixOnly(QStringLiteral(R"(^(?:https?://|www\.)$)"),
                                               QRegularExpression::CaseInsensitiveOption);
    std::vector<LinkSpan> links;
    for (auto it = address.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const qsizetype length = trimmedLength(match.captured());
        if (prefixOnly.match(match.captured().left(length)).hasMatch()) continue;
        links.push_back({match.capturedStart(), length});
    }
    return links;
}

}  // namespace morva
