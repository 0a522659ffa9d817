#pragma once

class QWidget;

namespace tavrel {

// Gives the labels, frames, check and option boxes of a screen their own background, as the
// system's controls have, so their text stays readable on every band of the gradient (which
// turns black towards the top of a tall screen).
void keepTextReadable(QWidget* screen);

}  // namespace tavrel
