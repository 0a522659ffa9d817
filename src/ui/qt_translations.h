#pragma once

class QCoreApplication;

namespace tavrel {

// Installs Qt's own Brazilian Portuguese translations (Debian's qt6-translations-l10n), so the
// standard buttons of message boxes, the file, print and colour dialogs and the context menus
// of text boxes speak Portuguese. The program has no texts of its own to translate. Returns
// false when the translations are not installed; Qt then keeps its English texts.
bool loadQtTranslations(QCoreApplication& application);

}  // namespace tavrel
