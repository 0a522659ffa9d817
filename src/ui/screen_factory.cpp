#include "ui/screen_factory.h"

#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include "ui/window_placement.h"

namespace tavrel {
namespace {

const char* const kDeletesOnClose = "tavrelDeletesOnClose";

// Shows the screen application-modal and waits until it is closed or destroyed.
void runModal(QWidget* screen) {
    QPointer<QWidget> guard(screen);
    QEventLoop loop;
    QObject::connect(screen, &QObject::destroyed, &loop, &QEventLoop::quit);
    screen->setWindowModality(Qt::ApplicationModal);
    screen->show();
    while (guard && guard->isVisible()) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace

ScreenFactory::ScreenFactory(Context& context) : context_(context), modalRunner_(runModal) {}

void ScreenFactory::add(const QString& formName, Creator creator) {
    creators_.insert(formName, std::move(creator));
}

bool ScreenFactory::has(const QString& formName) const {
    return creators_.contains(formName);
}

QStringList ScreenFactory::names() const {
    QStringList names = creators_.keys();
    names.sort();
    return names;
}

QWidget* ScreenFactory::create(const QString& formName, QWidget* parent) const {
    const auto it = creators_.find(formName);
    if (it == creators_.end()) {
        return nullptr;
    }
    QWidget* screen = it.value()(context_, parent);
    if (screen != nullptr && screen->objectName().isEmpty()) {
        screen->setObjectName(formName);
    }
    return screen;
}

QWidget* ScreenFactory::open(const QString& formName, QWidget* parent) const {
    QWidget* live = open_.value(formName);
    // Closing a delete-on-close screen takes that attribute away while its deletion waits: such
    // a copy is gone, a hidden one (after a preview) is still the live copy.
    if (live != nullptr && live->property(kDeletesOnClose).toBool() &&
        !live->testAttribute(Qt::WA_DeleteOnClose)) {
        live = nullptr;
    }
    if (live != nullptr) {
        live->show();
        live->setWindowState(live->windowState() & ~Qt::WindowMinimized);
        live->raise();
        live->activateWindow();
        return live;
    }
    QWidget* screen = create(formName, parent);
    if (screen != nullptr) {
        if (parent != nullptr) {
            screen->setWindowFlag(Qt::Window);
        }
        placeOnScreen(screen);
        screen->setProperty(kDeletesOnClose, screen->testAttribute(Qt::WA_DeleteOnClose));
        screen->show();
        open_.insert(formName, screen);
    }
    return screen;
}

bool ScreenFactory::openModal(const QString& formName, QWidget* parent,
                              const std::function<void(QWidget*)>& prepare) const {
    QWidget* screen = create(formName, parent);
    if (screen == nullptr) {
        return false;
    }
    if (parent != nullptr) {
        screen->setWindowFlag(Qt::Window);
    }
    if (prepare) {
        prepare(screen);
    }
    placeOnScreen(screen);
    modalRunner_(screen);
    return true;
}

}  // namespace tavrel
