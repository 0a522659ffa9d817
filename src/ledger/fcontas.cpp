#include "ledger/fcontas.h"

#include "core/ptbr.h"

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

QString fcontas::motivoParaManter(const Row& row) {
    // Entries name their account by its code only: deleted, the account would hand them to the
    // next account given that code.
    const long long lancamentos = countWhere(
        QStringLiteral("LANCAMENTOS"), QStringLiteral("CD_CONTA"), row.text(spec().codeColumn));
    if (lancamentos == 0)
        return {};
    return QStringLiteral("A conta %1 não pode ser excluída: tem %2.")
        .arg(row.text(spec().nameColumn),
             countText(lancamentos, QStringLiteral("lançamento"), QStringLiteral("lançamentos")));
}

}  // namespace tavrel
