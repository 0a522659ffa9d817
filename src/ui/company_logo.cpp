#include "ui/company_logo.h"

#include <QFont>
#include <QPainter>

namespace tavrel {

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
