#pragma once

class QWidget;

namespace tavrel {

// Sizes a window about to be shown so that it, with its frame, fits the available area of its
// screen (a screen designed larger than a 1366 × 768 display is shrunk to it), and centres it
// there. A window that has no size of its own yet takes its size hint, as Qt would give it.
void placeOnScreen(QWidget* window);

}  // namespace tavrel
