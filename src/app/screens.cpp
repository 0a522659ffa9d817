#include "app/screens.h"

#include "app/fprincipal.h"
#include "app/frm_login.h"
#include "app/frm_splash.h"
#include "app/fsair.h"
#include "cube/fcubovendas.h"
#include "exchange/ftroca.h"
#include "instalments/ffinalizatroca.h"
#include "instalments/fparcelas.h"
#include "ledger/fcontas.h"
#include "ledger/flancamentos.h"
#include "lifecycle/falteratroca.h"
#include "lifecycle/fbaixarecompra.h"
#include "lifecycle/fbaixas.h"
#include "lifecycle/fdevolvidos.h"
#include "lifecycle/frecompra.h"
#include "log/fmostralog.h"
#include "queries/fconsultacliente.h"
#include "queries/fconsultadocumento.h"
#include "queries/fconsultaperiodo.h"
#include "queries/frelatorios.h"
#include "queries/frelcliente.h"
#include "queries/fselcliente.h"
#include "queries/fselperiodo.h"
#include "registers/fclientes.h"
#include "registers/fferiados.h"
#include "registers/fhistoricos.h"
#include "registers/flistanegra.h"
#include "registers/fparametros.h"
#include "registers/fusuarios.h"
#include "reports/print_report.h"
#include "setup/ffaleconosco.h"
#include "setup/finstalacao.h"
#include "setup/ftutorial.h"
#include "ui/frm_showfields.h"
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
    factory.add(QStringLiteral("fprincipal"), [](Context& context, QWidget* parent) {
        auto* menu = new fprincipal(context, parent);
        menu->setRelatorioClientes([&context] { imprimeRelacaoClientes(context); });
        return menu;
    });
    addScreen<fsair>(factory, "fsair");
    // Installer, tutorial, contact and the log viewer.
    addScreen<finstalacao>(factory, "finstalacao");
    addScreen<ftutorial>(factory, "ftutorial");
    addScreen<ffaleconosco>(factory, "ffaleconosco");
    addScreen<fmostralog>(factory, "fmostralog");
    // Registers.
    addScreen<fclientes>(factory, "fclientes");
    addScreen<fusuarios>(factory, "fusuarios");
    addScreen<flistanegra>(factory, "flistanegra");
    addScreen<fferiados>(factory, "fferiados");
    addScreen<fparametros>(factory, "fparametros");
    addScreen<fhistoricos>(factory, "fhistoricos");
    // The exchange.
    addScreen<FTROCA>(factory, "FTROCA");
    // The instalment calculator and the finishing of its exchange.
    addScreen<fparcelas>(factory, "fparcelas");
    addScreen<ffinalizatroca>(factory, "ffinalizatroca");
    // The cheque after its exchange.
    addScreen<falteratroca>(factory, "falteratroca");
    addScreen<fbaixarecompra>(factory, "fbaixarecompra");
    addScreen<fbaixas>(factory, "fbaixas");
    factory.add(QStringLiteral("fbaixasperiodo"), [](Context& context, QWidget* parent) {
        return new fbaixas(context, parent, true);
    });
    addScreen<FDEVOLVIDOS>(factory, "FDEVOLVIDOS");
    addScreen<FRECOMPRA>(factory, "FRECOMPRA");
    // Cash ledger.
    addScreen<fcontas>(factory, "fcontas");
    addScreen<flancamentos>(factory, "flancamentos");
    // Financial reports.
    addScreen<frelatorios>(factory, "frelatorios");
    addScreen<frelcliente>(factory, "frelcliente");
    // Movement queries and their choosers.
    addScreen<fconsultacliente>(factory, "fconsultacliente");
    addScreen<fconsultadocumento>(factory, "fconsultadocumento");
    addScreen<fconsultaperiodo>(factory, "fconsultaperiodo");
    addScreen<fselcliente>(factory, "fselcliente");
    addScreen<fselperiodo>(factory, "fselperiodo");
    // The column chooser of the grouping grids.
    addScreen<frmShowfields>(factory, "frmShowfields");
    // The analysis cube.
    addScreen<fcubovendas>(factory, "fcubovendas");
}

}  // namespace tavrel
