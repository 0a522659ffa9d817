#include "app/menu_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace tavrel {
namespace {

struct GroupLook {
    QColor color;
    const char* glyph;
};

GroupLook groupLook(int grupo) {
    switch (grupo) {
        case 1:
            return {QColor(0x1f, 0x77, 0xb4), "\u2630"};  // registers: a card index
        case 2:
            return {QColor(0x2c, 0xa0, 0x2c), "\u21c4"};  // exchanges: arrows both ways
        case 3:
            return {QColor(0x94, 0x67, 0xbd), "?"};
        case 4:
            return {QColor(0xd6, 0x27, 0x28), "\u2261"};  // reports: lines of text
        case 5:
            return {QColor(0x7f, 0x7f, 0x7f), "%"};
        case 6:
            return {QColor(0xbc, 0x8a, 0x00), "$"};
        case 7:
            return {QColor(0x17, 0xbe, 0xcf), "BI"};
        default:
            return {QColor(Qt::darkGray), ""};
    }
}

QPixmap drawGroupPicture(int grupo, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const GroupLook look = groupLook(grupo);
    const QRectF box(1, 1, size - 2, size - 2);
    painter.setPen(QPen(look.color.darker(140), 1));
    painter.setBrush(look.color);
    painter.drawRoundedRect(box, size / 5.0, size / 5.0);
    QFont font = painter.font();
    font.setBold(true);
    const QString glyph = QString::fromUtf8(look.glyph);
    font.setPixelSize(glyph.size() > 1 ? size * 4 / 10 : size * 6 / 10);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, glyph);
    return pixmap;
}

}  // namespace

QIcon groupIcon(int grupo) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        icon.addPixmap(drawGroupPicture(grupo, size));
    }
    return icon;
}

QPixmap companyLogo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A cheque leaf turning into a circle of exchange.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x00, 0x66, 0x99));
    painter.drawEllipse(QRectF(0, 0, size, size));
    painter.setBrush(QColor(0xf4, 0xf1, 0xe0));
    const QRectF leaf(size * 0.18, size * 0.32, size * 0.64, size * 0.36);
    painter.drawRoundedRect(leaf, size * 0.04, size * 0.04);
    painter.setPen(QPen(QColor(0x00, 0x66, 0x99), qMax(1.0, size / 40.0)));
    for (int i = 0; i < 3; ++i) {
        const qreal y = leaf.top() + leaf.height() * (0.3 + 0.2 * i);
        painter.drawLine(QPointF(leaf.left() + size * 0.06, y),
                         QPointF(leaf.right() - size * (i == 2 ? 0.25 : 0.06), y));
    }
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size / 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, size * 0.70, size, size * 0.25), Qt::AlignCenter,
                     QStringLiteral("T"));
    return pixmap;
}

}  // namespace tavrel
