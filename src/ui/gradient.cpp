#include "ui/gradient.h"

#include <QPainter>
#include <QSize>
#include <algorithm>
#include <cmath>

namespace tavrel {

void PintaFundo(QPainter& painter, const QSize& size, int red, int green, int blue, bool fromTop,
                int step) {
    constexpr int kBands = 63;
    const int bandHeight = static_cast<int>(std::lround(size.height() / double(kBands)));
    int y = fromTop ? 0 : size.height() - bandHeight;
    for (int band = 0; band < kBands; ++band) {
        painter.fillRect(0, y, size.width(), bandHeight, QColor(red, green, blue));
        red = std::max(0, red - step);
        green = std::max(0, green - step);
        blue = std::max(0, blue - step);
        y += fromTop ? bandHeight : -bandHeight;
    }
}

}  // namespace tavrel
