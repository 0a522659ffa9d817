#include "app/screens.h"

#include "exchange/ftroca.h"
#include "ui/screen_factory.h"

namespace tavrel {

void registerScreens(ScreenFactory& factory) {
    factory.add(QStringLiteral("FTROCA"),
                [](Context& context, QWidget* parent) { return new FTROCA(context, parent); });
}

}  // namespace tavrel
