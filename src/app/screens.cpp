#include "app/screens.h"

#include "ui/screen_factory.h"

namespace tavrel {

void registerScreens(ScreenFactory& factory) {
    // Each module adds its screens here as they are built.
    (void)factory;
}

}  // namespace tavrel
