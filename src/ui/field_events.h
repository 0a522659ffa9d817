#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace tavrel {

// Runs `procedure` when `field` loses the focus to another field of the program, so a test that
// sends a FocusOut event runs the same procedure a real Tab does. A popup of the field or another
// window taking the focus (a message box) is not leaving the field.
void onLeave(QWidget* field, std::function<void()> procedure);

// Runs `procedure` when `field` gets the focus.
void onEnter(QWidget* field, std::function<void()> procedure);

// Calls `handler` for every key pressed in `field`; the key is swallowed when it returns true.
void onKeyPress(QWidget* field, std::function<bool(QKeyEvent*)> handler);

// Moves the focus from `field` to the next field, along the same chain as Tab.
void moveFocusOn(QWidget* field);

// Enter or Return in `field` moves the focus to the next field, along the same chain as Tab.
void enterActsAsTab(QWidget* field);

// Escape anywhere in `screen` closes it.
void escapeCloses(QWidget* screen);

}  // namespace tavrel
