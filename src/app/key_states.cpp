#include "app/key_states.h"

#include <QKeyEvent>

namespace tavrel {

bool KeyStates::observe(const QKeyEvent& event) {
    const bool caps = capsLock_;
    const bool insert = insert_;
    if (event.key() == Qt::Key_CapsLock) {
        capsLock_ = !capsLock_;
    } else if (event.key() == Qt::Key_Insert) {
        insert_ = !insert_;
    } else if (event.text().size() == 1) {
        const QChar typed = event.text().at(0);
        if (typed.isLetter() && typed.isUpper() != typed.isLower()) {
            const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
            capsLock_ = typed.isUpper() != shift;
        }
    }
    return caps != capsLock_ || insert != insert_;
}

}  // namespace tavrel
