#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace tavrel {
namespace {

// The window manager's title bar and borders, as far as they are known.
QMargins knownFrame(const QWidget* window) {
    const Qt::WindowType type = window->windowType();
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint) || type == Qt::SplashScreen ||
        type == Qt::Popup || type == Qt::ToolTip) {
        return {};
    }
    if (window->isVisible()) {
        const QRect frame = window->frameGeometry();
        const QRect inside = window->geometry();
        return {inside.left() - frame.left(), inside.top() - frame.top(),
                frame.right() - inside.right(), frame.bottom() - inside.bottom()};
    }
    if (const QWindow* handle = window->windowHandle()) {
        if (const QMargins margins = handle->frameMargins(); !margins.isNull()) {
            return margins;
        }
    }
    // Not known before the first show on most window systems: a usual title bar and border.
    return {4, 32, 4, 4};
}

QScreen* screenOf(const QWidget* window) {
    if (const QWidget* parent = window->parentWidget()) {
        return parent->screen();
    }
    return window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
}

void place(QWidget* window, const QRect& available, const QMargins& frame) {
    const QSize wanted =
        window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    window->resize(wanted.boundedTo(available.size().shrunkBy(frame)));
    // A top-level window's position is that of its frame.
    const QSize outer = window->size().grownBy(frame);
    window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, outer, available).topLeft());
}

}  // namespace

void placeOnScreen(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = knownFrame(window);
    place(window, available, frame);
    if (!window->isVisible()) {
        // Made after the move, the platform window takes the position as its frame's; some
        // platforms know the frame from then on.
        window->winId();
        const QMargins made = knownFrame(window);
        if (made != frame) {
            place(window, available, made);
        }
    }
}

}  // namespace tavrel
