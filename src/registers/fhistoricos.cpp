#include "registers/fhistoricos.h"

#include "core/ptbr.h"

namespace tavrel {
namespace {

RegisterSpec historicosSpec() {
    RegisterSpec spec;
    spec.formName = QStringLiteral("fhistoricos");
    spec.title = QStringLiteral("Cadastro de Contas");
    spec.database = DatabaseKind::Caixa;
    spec.table = QStringLiteral("HISTORICOS");
    spec.codeColumn = QStringLiteral("CD_HISTORICO");
    spec.codeWidth = 5;
    spec.codeControl = QStringLiteral("cd_historico");
    spec.fields = {
        {.control = QStringLiteral("ds_historico"),
         .column = QStringLiteral("DS_HISTORICO"),
         .label = QStringLiteral("Descrição :")},
        // No choice stores no type; on a change it leaves the stored one.
        {.control = QStringLiteral("cd_tipo"),
         .column = QStringLiteral("CD_TIPO"),
         .label = QStringLiteral("Tipo:"),
         .kind = RegisterField::Kind::Choice,
         .choices = {{QStringLiteral("Crédito"), QStringLiteral("C")},
                     {QStringLiteral("Débito"), QStringLiteral("D")}}},
    };
    spec.nameColumn = QStringLiteral("DS_HISTORICO");
    spec.gridOrder = QStringLiteral("DS_HISTORICO");
    spec.gridColumns = {{QStringLiteral("Código"), QStringLiteral("CD_HISTORICO")},
                        {QStringLiteral("Descrição"), QStringLiteral("DS_HISTORICO")}};
    spec.firstField = QStringLiteral("ds_historico");
    spec.enterActsAsTab = false;
    return spec;
}

}  // namespace

fhistoricos::fhistoricos(Context& context, QWidget* parent)
    : RegisterScreen(context, historicosSpec(), parent) {}

QString fhistoricos::motivoParaManter(const Row& row) {
    // Entries name their description by its code only: deleted, the description would lend its
    // text and type to the next description given that code.
    const long long lancamentos = countWhere(
        QStringLiteral("LANCAMENTOS"), QStringLiteral("CD_HISTORICO"), row.text(spec().codeColumn));
    if (lancamentos == 0)
        return {};
    return QStringLiteral("O histórico %1 não pode ser excluído: é usado em %2.")
        .arg(row.text(spec().nameColumn),
             countText(lancamentos, QStringLiteral("lançamento"), QStringLiteral("lançamentos")));
}

}  // namespace tavrel
