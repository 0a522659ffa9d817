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

}  // namespace tavrel
