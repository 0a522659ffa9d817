#include "ui/field_events.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QWidget>

#include "ui/screen.h"

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

bool isFocusEvent(const QEvent* event) {
    return event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut ||
           event->type() == QEvent::FocusAboutToChange;
}

// While a leaving procedure runs, the focus events of its window are held back: the focus may
// move, but no field of the window is told it was entered or left until the procedure returns.
class HeldFocus : public QObject {
public:
    explicit HeldFocus(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~HeldFocus() override { qApp->removeEventFilter(this); }
    HeldFocus(const HeldFocus&) = delete;
    HeldFocus& operator=(const HeldFocus&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return isFocusEvent(event) && watched->isWidgetType() &&
               static_cast<QWidget*>(watched)->window() == window_;
    }

private:
    QWidget* window_;
};

// The FocusOut of one field: lets the field finish losing the focus, runs the procedure with the
// window's focus events held back, then gives the focus to where the procedure left it.
class LeaveHook : public QObject {
public:
    LeaveHook(QWidget* field, std::function<void()> procedure)
        : QObject(field), field_(field), procedure_(std::move(procedure)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::FocusOut || forwarding_) {
            return false;
        }
        // Opening the field's own popup or another window (a message box) is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
            return false;
        }
        const QPointer<QWidget> heading = QApplication::focusWidget();
        forwarding_ = true;
        QApplication::sendEvent(field_, event);
        forwarding_ = false;

        QPointer<QWidget> window = field_->window();
        {
            HeldFocus held(window);
            procedure_();
        }
        if (window == nullptr) {
            return true;
        }
        // The procedure moved the focus: the outer move will not tell the new field, so tell it
        // here. When the window is not active, activating it again does.
        QWidget* target = window->focusWidget();
        if (target != nullptr && target != heading && QApplication::focusWidget() == target) {
            QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
            QApplication::sendEvent(target, &in);
        }
        return true;
    }

private:
    QWidget* field_;
    std::function<void()> procedure_;
    bool forwarding_ = false;
};

bool isScreenCommand(QObject* watched) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    return (qobject_cast<QPushButton*>(watched) != nullptr ||
            qobject_cast<QToolButton*>(watched) != nullptr) &&
           button->isEnabled() && qobject_cast<Screen*>(button->window()) != nullptr;
}

// The commands' keys and clicks for every screen (installCommandFocus).
class CommandFocus : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Shortcut:
                return shortcut(watched, static_cast<QShortcutEvent*>(event));
            case QEvent::MouseButtonPress:
                return mousePress(watched, static_cast<QMouseEvent*>(event));
            case QEvent::KeyPress:
                return enter(watched, static_cast<QKeyEvent*>(event));
            default:
                return false;
        }
    }

private:
    // The Alt key of a caption: the focus goes to the button first, as a click takes it.
    static bool shortcut(QObject* watched, QShortcutEvent* event) {
        if (!isScreenCommand(watched) || event->isAmbiguous()) {
            return false;
        }
        auto* button = static_cast<QAbstractButton*>(watched);
        if ((button->focusPolicy() & Qt::TabFocus) && button->window()->isActiveWindow()) {
            button->setFocus(Qt::ShortcutFocusReason);
            if (refusedFocus(button)) {
                return true;
            }
        }
        button->click();
        return true;
    }

    // Qt has already given the button the focus when the operator's press arrives; if leaving
    // the field put it back there, the press does not reach the button.
    static bool mousePress(QObject* watched, QMouseEvent* event) {
        if (!event->spontaneous() || event->button() != Qt::LeftButton ||
            !isScreenCommand(watched)) {
            return false;
        }
        auto* button = static_cast<QAbstractButton*>(watched);
        return (button->focusPolicy() & Qt::ClickFocus) && refusedFocus(button);
    }

    static bool enter(QObject* watched, QKeyEvent* event) {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            return false;
        }
        if (!isScreenCommand(watched)) {
            return false;
        }
        auto* button = static_cast<QAbstractButton*>(watched);
        // A default button of a screen (the login's) is pressed by Qt itself.
        if (auto* push = qobject_cast<QPushButton*>(button);
            push != nullptr && (push->autoDefault() || push->isDefault())) {
            return false;
        }
        if (!button->hasFocus()) {
            return false;
        }
        button->click();
        return true;
    }

    // The window's focus, not the application's: while a message box of the leaving procedure
    // closes, the window may not be active again yet, but the field it gave the focus back to is
    // already its focus.
    static bool refusedFocus(QAbstractButton* button) {
        return button->window()->focusWidget() != button;
    }
};

}  // namespace

void onLeave(QWidget* field, std::function<void()> procedure) {
    new LeaveHook(field, std::move(procedure));
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

void installCommandFocus() {
    static QPointer<CommandFocus> installed;
    if (installed == nullptr && qApp != nullptr) {
        installed = new CommandFocus;
        installed->setParent(qApp);
        qApp->installEventFilter(installed);
    }
}

}  // namespace tavrel
