#include "ui/field_events.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

namespace tavrel {
namespace {

// Calls a function for one kind of event on the watched object; deleted with it.
class EventHook : public QObject {
public:
    EventHook(QObject* watched, std::function<bool(QEvent*)> handler)
        : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override { return handler_(event); }

private:
    std::function<bool(QEvent*)> handler_;
};

}  // namespace

void onLeave(QWidget* field, std::function<void()> procedure) {
    new EventHook(field, [procedure = std::move(procedure)](QEvent* event) {
        if (event->type() != QEvent::FocusOut) {
            return false;
        }
        // Opening the field's own popup or another window (a message box) is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            procedure();
        }
        return false;
    });
}

void onEnter(QWidget* field, std::function<void()> procedure) {
    new EventHook(field, [procedure = std::move(procedure)](QEvent* event) {
        if (event->type() == QEvent::FocusIn) {
            procedure();
        }
        return false;
    });
}

void onKeyPress(QWidget* field, std::function<bool(QKeyEvent*)> handler) {
    new EventHook(field, [handler = std::move(handler)](QEvent* event) {
        return event->type() == QEvent::KeyPress && handler(static_cast<QKeyEvent*>(event));
    });
}

void moveFocusOn(QWidget* field) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(field, &tab);
}

void enterActsAsTab(QWidget* field) {
    onKeyPress(field, [field](QKeyEvent* key) {
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
            return false;
        }
        moveFocusOn(field);
        return true;
    });
}

void escapeCloses(QWidget* screen) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), screen);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, screen, &QWidget::close);
}

}  // namespace tavrel
