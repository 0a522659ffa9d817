#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace tavrel {

// Runs `procedure` when `field` loses the focus to another field of the program, so a test that
// sends a FocusOut event runs the same procedure a real Tab does. A popup of the field or another
// window taking the focus (a message box) is not leaving the field.
// The field finishes losing the focus before the procedure runs. Focus moves the procedure makes
// take effect when it returns: the fields the focus passes through meanwhile are neither entered
// nor left, so one leaving procedure never runs inside another.
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

// Commands of the screens (their push buttons) run with the focus on them, whatever presses
// them: a click or the Alt key of the caption first moves the focus to the button, so the field
// being left runs its leaving procedure, and when that procedure keeps the focus away from the
// button (it refused what was typed) the command does not run. Enter on a focused button
// presses it. Installed once for the whole program by the screen base; buttons outside screens
// (message boxes, the preview) keep Qt's own behaviour.
void installCommandFocus();

}  // namespace tavrel
