#include "app/screens.h"

#include "exchange/ftroca.h"
#include "ledger/fcontas.h"
#include "registers/fclientes.h"
#include "registers/fferiados.h"
#include "registers/fhistoricos.h"
#include "registers/flistanegra.h"
#include "registers/fparametros.h"
#include "ui/screen_factory.h"

namespace tavrel {

void registerScreens(ScreenFactory& factory) {
    // Each module adds its screens here as they are built.
    factory.add("fclientes", [](Context& c, QWidget* p) { return new fclientes(c, p); });
    factory.add("flistanegra", [](Context& c, QWidget* p) { return new flistanegra(c, p); });
    factory.add("fferiados", [](Context& c, QWidget* p) { return new fferiados(c, p); });
    factory.add("fparametros", [](Context& c, QWidget* p) { return new fparametros(c, p); });
    factory.add("fhistoricos", [](Context& c, QWidget* p) { return new fhistoricos(c, p); });
    factory.add("fcontas", [](Context& c, QWidget* p) { return new fcontas(c, p); });
    factory.add("FTROCA", [](Context& c, QWidget* p) { return new FTROCA(c, p); });
}

}  // namespace tavrel
