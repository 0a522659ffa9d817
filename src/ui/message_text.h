#pragma once

#include <QString>

class QFontMetrics;

namespace tavrel {

// Cuts with "…" what would make a message box outgrow the screen: a word wider than `width`
// pixels (it cannot wrap) and a line that would wrap to more than `maxLines` lines of `width`.
// Line breaks and shorter texts are kept as they are.
QString fitMessageText(const QString& text, const QFontMetrics& metrics, int width, int maxLines);

}  // namespace tavrel
