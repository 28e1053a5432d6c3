#include "ui/member_icons.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <cmath>

#include "ui/window_style.h"

namespace morva {

namespace {

enum class Mark { Letters, Crown, Question, Prohibited, Star, Blank };

struct Badge {
    Mark mark;
    const char* letters;
    QRgb top, bottom, ink;
};

constexpr int UnknownIcon = 12;

// Index 0 is icon number 1. Numbers 4, 8, 17 and 18 are never chosen and draw as plain badges.
constexpr std::array<Badge, MemberIconCount> Badges = {{
    {Mark::Crown, "", 0xf4d03f, 0xb7950b, 0x7b1010},
    {Mark::Letters, "CHAT", 0x707070, 0x404040, 0xffffff},
    {Mark::Letters, "DRTL", 0xa02020, 0x5a0c0c, 0xf5d88a},
    {Mark::Blank, "", 0x3a3a3a, 0x222222, 0xffffff},
    {Mark::Letters, "D2DV", 0x8a3a14, 0x4a1a06, 0xf2c14e},
    {Mark::Letters, "STAR", 0x2f6fd0, 0x153a78, 0xffffff},
    {Mark::Letters, "SSHR", 0x6f9fd8, 0x3a6aa8, 0xffffff},
    {Mark::Blank, "", 0x3a3a3a, 0x222222, 0xffffff},
    {Mark::Letters, "SEXP", 0x5a46c8, 0x2a1c78, 0xdfe6ff},
    {Mark::Letters, "W2BN", 0xc07020, 0x6e3a0a, 0xffffff},
    {Mark::Letters, "JSTR", 0x20a090, 0x0c5a50, 0xffffff},
    {Mark::Question, "?", 0x8a8a8a, 0x505050, 0xffffff},
    {Mark::Letters, "D2XP", 0x6a1010, 0x300606, 0xffb347},
    {Mark::Prohibited, "", 0x2a2a2a, 0x141414, 0xfb5300},
    {Mark::Letters, "WAR3", 0xc02828, 0x6a1010, 0xffe8b0},
    {Mark::Star, "", 0xb0ffff, 0x60c8c8, 0x0a3050},
    {Mark::Blank, "", 0x3a3a3a, 0x222222, 0xffffff},
    {Mark::Blank, "", 0x3a3a3a, 0x222222, 0xffffff},
    {Mark::Letters, "W3XP", 0x3850c8, 0x18206e, 0xbfe8ff},
    {Mark::Letters, "UKWN", 0x5a5a5a, 0x2e2e2e, 0xd0d0d0},
    {Mark::Letters, "DSHR", 0xd04848, 0x7a1e1e, 0xffffff},
}};

QFont badgeFont(double pixelSize) {
    QFont font = WindowFont();
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(true);
    font.setStretch(QFont::SemiCondensed);
    return font;
}

// Letters centred in a box, squeezed across when they are wider than it.
void drawLetters(QPainter& painter, const QRectF& box, const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    const double squeeze = width > box.width() ? box.width() / width : 1.0;
    painter.save();
    painter.setFont(font);
    painter.translate(box.center());
    painter.scale(squeeze, 1.0);
    const double baseline = (metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPointF(-width / 2, baseline), text);
    painter.restore();
}

QPolygonF starPolygon(QPointF centre, double outer, double inner) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

void drawMark(QPainter& painter, const Badge& badge) {
    const QColor ink = QColor::fromRgb(badge.ink);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    switch (badge.mark) {
        case Mark::Letters:
            painter.setPen(ink);
            drawLetters(painter, QRectF(2, 1, 24, 12), QString::fromLatin1(badge.letters), badgeFont(8));
            break;
        case Mark::Question:
            painter.setPen(ink);
            drawLetters(painter, QRectF(2, 1, 24, 12), QStringLiteral("?"), badgeFont(11));
            break;
        case Mark::Crown:
            painter.drawPolygon(
                QPolygonF({{8, 11}, {8, 4}, {11, 7.5}, {14, 2.5}, {17, 7.5}, {20, 4}, {20, 11}}));
            break;
        case Mark::Star:
            painter.drawPolygon(starPolygon({14, 7.2}, 5.6, 2.3));
            break;
        case Mark::Prohibited:
            painter.setPen(QPen(ink, 1.7));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(14, 7), 4.8, 4.8);
            painter.drawLine(QPointF(10.8, 3.8), QPointF(17.2, 10.2));
            break;
        case Mark::Blank:
            break;
    }
}

void drawBadge(QPainter& painter, const QRectF& box, double radius, QRgb top, QRgb bottom) {
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor::fromRgb(top));
    fill.setColorAt(1, QColor::fromRgb(bottom));
    painter.setPen(QPen(QColor::fromRgb(bottom).darker(160), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, radius, radius);
}

QImage transparentImage(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPixmap applicationPixmap(int side) {
    QImage image = transparentImage(QSize(side, side));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = side;
    drawBadge(painter, QRectF(0.5, 0.5, s - 1, s - 1), s * 0.2, 0x2a78d0, 0x0c2c60);
    painter.setPen(QColor(255, 255, 255));
    drawLetters(painter, QRectF(s * 0.1, s * 0.15, s * 0.8, s * 0.7), QStringLiteral("MC"),
                badgeFont(s * 0.46));
    return QPixmap::fromImage(image);
}

}  // namespace

QImage MemberIconImage(int number, int scale) {
    const Badge& badge =
        Badges[static_cast<std::size_t>(number >= 1 && number <= MemberIconCount ? number : UnknownIcon) - 1];
    QImage image = transparentImage(MemberIconSize * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    drawBadge(painter, QRectF(0.5, 0.5, 27, 13), 3, badge.top, badge.bottom);
    drawMark(painter, badge);
    return image;
}

QIcon MemberIcon(int number) {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(MemberIconImage(number, 1)));
    QPixmap sharp = QPixmap::fromImage(MemberIconImage(number, 2));
    sharp.setDevicePixelRatio(2);
    icon.addPixmap(sharp);
    return icon;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(applicationPixmap(side));
    return icon;
}

}  // namespace morva
