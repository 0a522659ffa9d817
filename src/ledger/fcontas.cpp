#include "ledger/fcontas.h"

namespace tavrel {
namespace {

RegisterSpec contasSpec() {
    RegisterSpec spec;
    spec.formName = QStringLiteral("fcontas");
    spec.title = QStringLiteral("Cadastro de Contas");
    spec.database = DatabaseKind::Caixa;
    spec.table = QStringLiteral("CONTAS");
    spec.codeColumn = QStringLiteral("CD_CONTA");
    spec.codeWidth = 3;
    spec.codeControl = QStringLiteral("cd_conta");
    spec.fields = {
        {.control = QStringLiteral("ds_conta"),
         .column = QStringLiteral("DS_CONTA"),
         .label = QStringLiteral("Descrição :")},
    };
    spec.nameColumn = QStringLiteral("DS_CONTA");
    spec.gridOrder = QStringLiteral("DS_CONTA");
    spec.gridColumns = {{QStringLiteral("Código"), QStringLiteral("CD_CONTA")},
                        {QStringLiteral("Descrição"), QStringLiteral("DS_CONTA")}};
    spec.firstField = QStringLiteral("ds_conta");
    spec.clearTooltip = QStringLiteral("CLICAR AQUI APOS DIGITAR TODOS OS DADOS  ");
    spec.enterActsAsTab = false;
    return spec;
}

}  // namespace

fcontas::fcontas(Context& context, QWidget* parent)
    : RegisterScreen(context, contasSpec(), parent) {}

}  // namespace tavrel
