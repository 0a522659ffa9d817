#pragma once

class QKeyEvent;

namespace tavrel {

// The Caps Lock and Insert states as far as the key presses tell them: the platform gives no
// portable way to ask, so Caps Lock toggles on its key and is corrected by every letter typed
// (a capital without Shift means it is on), and Insert toggles on its key, starting on.
class KeyStates {
public:
    // Returns true when a state changed.
    bool observe(const QKeyEvent& event);

    bool capsLock() const { return capsLock_; }
    bool insert() const { return insert_; }

private:
    bool capsLock_ = false;
    bool insert_ = true;
};

}  // namespace tavrel
