#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <source_location>

namespace tavrel {

struct Context;

// Base of every screen: holds the context and the form name (its objectName), paints the
// gradient background and runs procedures under the error convention. Its push buttons are
// commands: a click, their Alt key or Enter on them first takes the focus (installCommandFocus).
class Screen : public QWidget {
    Q_OBJECT

public:
    Screen(Context& context, const QString& formName, QWidget* parent = nullptr);

    Context& context() const { return context_; }
    QString formName() const { return objectName(); }

protected:
    // Background gradient; by default the main menu's colours (0, 255, 255, step 5, from the
    // bottom). Screens with other colours set theirs.
    void setGradient(int red, int green, int blue, bool fromTop, int step);
    void paintEvent(QPaintEvent* event) override;
    // Every label, frame and check box gets its own background before the screen is seen.
    void showEvent(QShowEvent* event) override;

    // One step under the error convention; false when it failed (and was reported).
    bool step(const std::function<void()>& procedure);
    bool steps(std::initializer_list<std::function<void()>> procedures);

    void registraLog(const QString& message, const QVariant& detail = QStringLiteral("**"));
    // Sets the program-wide current location, which error reports show as "Procedure: ", to
    // the procedure that calls it (e.g. "incluir").
    void markLocation(std::source_location caller = std::source_location::current());

private:
    Context& context_;
    int red_ = 0;
    int green_ = 255;
    int blue_ = 255;
    bool fromTop_ = false;
    int step_ = 5;
};

}  // namespace tavrel
