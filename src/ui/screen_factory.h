#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tavrel {

struct Context;

// Opens any screen by its form name. The main menu's table of positions and the screens that
// open one another go through here, and so do tests.
class ScreenFactory {
public:
    using Creator = std::function<QWidget*(Context&, QWidget* parent)>;
    // Runs a screen opened modally until it is closed. Tests replace it to act on the screen.
    using ModalRunner = std::function<void(QWidget*)>;

    explicit ScreenFactory(Context& context);

    void add(const QString& formName, Creator creator);
    bool has(const QString& formName) const;
    // Every form name known, in alphabetical order.
    QStringList names() const;

    // A new screen, not shown; nullptr when no screen of that name is built.
    QWidget* create(const QString& formName, QWidget* parent = nullptr) const;
    // Shows a screen, not modal: the copy already open (or hidden) when there is one, brought to
    // the front, otherwise a new one, centred and fitted to the available screen. nullptr (and
    // nothing shown) when unknown.
    QWidget* open(const QString& formName, QWidget* parent = nullptr) const;
    // Creates a screen, centred and fitted like `open`, and runs it modally until it closes.
    // False when unknown.
    bool openModal(const QString& formName, QWidget* parent = nullptr,
                   const std::function<void(QWidget*)>& prepare = {}) const;

    void setModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }

private:
    Context& context_;
    QHash<QString, Creator> creators_;
    ModalRunner modalRunner_;
    // The copy of each screen opened by open(), while it lives.
    mutable QHash<QString, QPointer<QWidget>> open_;
};

}  // namespace tavrel
