#include "ui/message_text.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

namespace tavrel {
namespace {

QString fitLine(const QString& line, const QFontMetrics& metrics, int width, int maxLines) {
    QStringList words = line.split(QLatin1Char(' '));
    for (QString& word : words) {
        if (metrics.horizontalAdvance(word) > width) {
            word = metrics.elidedText(word, Qt::ElideRight, width);
        }
    }
    const QString fitted = words.join(QLatin1Char(' '));
    // Wrapping at word boundaries leaves part of each line empty: keep a line's worth of room.
    const int room = width * std::max(1, maxLines - 1);
    if (metrics.horizontalAdvance(fitted) > room) {
        return metrics.elidedText(fitted, Qt::ElideRight, room);
    }
    return fitted;
}

}  // namespace

QString fitMessageText(const QString& text, const QFontMetrics& metrics, int width, int maxLines) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const bool carriageReturn = line.endsWith(QLatin1Char('\r'));
        if (carriageReturn) {
            line.chop(1);
        }
        line = fitLine(line, metrics, width, maxLines);
        if (carriageReturn) {
            line += QLatin1Char('\r');
        }
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tavrel
