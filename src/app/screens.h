#pragma once

namespace tavrel {

class ScreenFactory;

// Makes every built screen known to the factory by its form name.
void registerScreens(ScreenFactory& factory);

}  // namespace tavrel
