#include "app/screens.h"

#include "app/fprincipal.h"
#include "app/frm_login.h"
#include "app/frm_splash.h"
#include "app/fsair.h"
#include "registers/fusuarios.h"
#include "setup/finstalacao.h"
#include "ui/screen_factory.h"

namespace tavrel {
namespace {

template <class ScreenClass>
void addScreen(ScreenFactory& factory, const char* formName) {
    factory.add(QString::fromLatin1(formName),
                [](Context& context, QWidget* parent) { return new ScreenClass(context, parent); });
}

}  // namespace

void registerScreens(ScreenFactory& factory) {
    // Start-up, main menu and exit.
    addScreen<frmLogin>(factory, "frmLogin");
    addScreen<frmSplash>(factory, "frmSplash");
    addScreen<fprincipal>(factory, "fprincipal");
    addScreen<fsair>(factory, "fsair");
    // Installer.
    addScreen<finstalacao>(factory, "finstalacao");
    // Registers.
    addScreen<fusuarios>(factory, "fusuarios");
}

}  // namespace tavrel
