#include "ui/external_url.h"

#include <QFile>

#include "platform/display_text.h"
#include "platform/text_case.h"

namespace morva {

QUrl ExternalUrl(const std::string& target) {
    const std::string lower = LowerCase(target);
    const QString text = QString::fromStdString(DisplayText(target));
    if (lower.starts_with("http://") || lower.starts_with("https://")) return QUrl(text, QUrl::TolerantMode);
    if (lower.starts_with("www.")) return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(target)));
}

}  // namespace morva
