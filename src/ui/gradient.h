#pragma once

class QPainter;
class QSize;

namespace tavrel {

// Paints a screen's background as 63 horizontal bands, starting with (red, green, blue) at the
// top (fromTop) or at the bottom, each next band darker by `step` in every component (never
// below 0). The band height is the height divided by 63, rounded.
void PintaFundo(QPainter& painter, const QSize& size, int red, int green, int blue, bool fromTop,
                int step);

}  // namespace tavrel
