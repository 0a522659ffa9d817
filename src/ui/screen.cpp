#include "ui/screen.h"

#include <QPainter>

#include "core/context.h"
#include "log/error_report.h"
#include "log/operation_log.h"
#include "ui/field_events.h"
#include "ui/gradient.h"
#include "ui/readable_text.h"

namespace tavrel {

Screen::Screen(Context& context, const QString& formName, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose);
    installCommandFocus();
}

void Screen::setGradient(int red, int green, int blue, bool fromTop, int step) {
    red_ = red;
    green_ = green;
    blue_ = blue;
    fromTop_ = fromTop;
    step_ = step;
    update();
}

void Screen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PintaFundo(painter, size(), red_, green_, blue_, fromTop_, step_);
}

void Screen::showEvent(QShowEvent* event) {
    keepTextReadable(this);
    QWidget::showEvent(event);
}

bool Screen::step(const std::function<void()>& procedure) {
    return runStep(context_, formName(), procedure);
}

bool Screen::steps(std::initializer_list<std::function<void()>> procedures) {
    return runSteps(context_, formName(), procedures);
}

void Screen::registraLog(const QString& message, const QVariant& detail) {
    RegistraLog(context_, message, detail);
}

void Screen::markLocation(std::source_location caller) {
    context_.currentLocation = procedureName(caller.function_name());
}

}  // namespace tavrel
