#include "registers/fclientes.h"

#include <QLineEdit>

#include "core/money.h"
#include "core/ptbr.h"
#include "data/sql.h"
#include "registers/cliente_totais.h"

namespace tavrel {
namespace {

RegisterField texto(const char* control, const char* column, const char* label,
                    const char* tooltip = "", const char* group = "") {
    return {.control = control,
            .column = column,
            .label = QString::fromUtf8(label),
            .tooltip = QString::fromUtf8(tooltip),
            .group = QString::fromUtf8(group)};
}

RegisterField numero(const char* control, const char* column, const char* label,
                     const char* tooltip, NumberKind kind = NumberKind::Amount) {
    return {.control = control,
            .column = column,
            .label = QString::fromUtf8(label),
            .tooltip = QString::fromUtf8(tooltip),
            .kind = RegisterField::Kind::Number,
            .group = QStringLiteral("Limites"),
            .selectAllOnEnter = true,
            .numberKind = kind};
}

RegisterSpec clientesSpec() {
    RegisterSpec spec;
    spec.formName = QStringLiteral("fclientes");
    spec.title = QStringLiteral("Cadastro de Clientes");
    spec.table = QStringLiteral("CLIENTES");
    spec.codeColumn = QStringLiteral("CD_CLIENTE");
    spec.codeWidth = 5;
    spec.codeControl = QStringLiteral("cd_cliente");
    spec.codeLabel = QStringLiteral("Código:");
    spec.codeTooltip = QStringLiteral("Este Campo não precisa ser preenchido na inclusão");
    spec.fields = {
        texto("nm_cliente", "NM_CLIENTE", "Nome:",
              "Escreva o nome do cliente para quem você vai trocar o documento {cheque ou "
              "duplicata}"),
        texto("ds_endereco", "ds_endereco", "Endereço:"),
        texto("ds_bairro", "ds_bairro", "Bairro:"),
        texto("ds_cidade", "ds_cidade", "Cidade:"),
        texto("nr_telefone", "NR_TELEFONES",
              "Telefones:", "Coloque aqui todos os telefones deste cliente"),
        texto("cd_cpf", "cd_cpf", "CPF", "", "Documentos"),
        texto("cd_cnpj", "cd_cnpj", "CNPJ", "", "Documentos"),
        texto("ds_obs", "ds_obs", "",
              "Digite aqui qualquer observação relevante referente a esse cliente bem com "
              "adiantamentos dados ou débitos anteriores",
              "Observação"),
        numero("vl_limite", "VL_LIMITE",
               "Total:", "Diga o valor máximo de crédito a ser dado a esse cliente"),
        numero("lm_cheque", "LM_CHEQUE",
               "Por Cheque:", "Digite o valor máximo para cada cheque nas trocas desse cliente"),
        numero("lm_concentracao", "LM_CONCENTRACAO", "Concentração:",
               "Digite o valor maximo de concentração de um cpf ou cgc dentro de uma operação"),
        numero("vl_taxa", "VL_TAXA", "Taxa Usada:",
               "Digite o valor da Taxa a ser aplicada nas trocas desse cliente", NumberKind::Rate),
    };
    spec.nameColumn = QStringLiteral("NM_CLIENTE");
    spec.gridOrder = QStringLiteral("NM_CLIENTE");
    spec.gridColumns = {
        {QStringLiteral("Código"), QStringLiteral("CD_CLIENTE")},
        {QStringLiteral("Nome"), QStringLiteral("NM_CLIENTE")},
        {QStringLiteral("Telefones"), QStringLiteral("NR_TELEFONES")},
        {QStringLiteral("Limite"), QStringLiteral("VL_LIMITE"), ColumnFormat::Amount}};
    spec.gridTooltip = QStringLiteral(
        "Para alterar ou excluir um cliente é sempre necessário escolher ele nessa grade, "
        "bastando para isso cliicar em cima do nome dele.");
    spec.firstField = QStringLiteral("nm_cliente");
    return spec;
}

}  // namespace

fclientes::fclientes(Context& context, QWidget* parent)
    : RegisterScreen(context, clientesSpec(), parent) {
    usado_ = addShownValue(QStringLiteral("vl_usado"), QStringLiteral("Usado:"),
                           QStringLiteral("Aqui vai mostrar o total de cheques e ou duplicatas em "
                                          "aberto desse cliente ao clicar no mome dele na lista "
                                          "abaixo"),
                           QStringLiteral("Limites"));
    disponivel_ = addShownValue(QStringLiteral("vl_disponivel"), QStringLiteral("Disponível:"),
                                QStringLiteral("Aqui vai mostrar o total disponível  desse cliente "
                                               "ao clicar no mome dele na lista abaixo"),
                                QStringLiteral("Limites"));
    compensado_ = addShownValue(QStringLiteral("vl_compensado"), QStringLiteral("Compensado:"),
                                QStringLiteral("Aqui vai mostrar o total de cheques compensados  "
                                               "desse cliente ao clicar no mome dele na lista "
                                               "abaixo"),
                                QStringLiteral("Limites"));
    for (const RegisterField& field : spec().fields) {
        if (field.kind == RegisterField::Kind::Number)
            setFieldText(field.control, QStringLiteral("0"));
    }
    mostraValoresZerados();
}

void fclientes::mostraValoresZerados() {
    usado_->setText(QStringLiteral("0"));
    disponivel_->clear();
    compensado_->clear();
}

void fclientes::limpaCampos() {
    RegisterScreen::limpaCampos();
    mostraValoresZerados();
}

void fclientes::afterMostra(const Row& row) {
    // Worked out once, when the client is chosen; later edits of the limit do not change them.
    step([&] {
        const ClienteTotais totais = totaisDoCliente(db(), row.text(spec().codeColumn));
        const double usado = roundMoney(totais.aberto);
        usado_->setText(formatMoney(usado));
        disponivel_->setText(
            formatMoney(row.value(QStringLiteral("VL_LIMITE")).toDouble() - usado));
        compensado_->setText(formatMoney(totais.compensado));
    });
}

QString fclientes::motivoParaManter(const Row& row) {
    // A client's cheques (brought or passed on to it) and repurchases name it by its code only:
    // deleted, they would belong to the next client given that code.
    const QString codigo = row.text(spec().codeColumn);
    const long long cheques =
        scalarSql(db(),
                  QStringLiteral("SELECT (SELECT COUNT(*) FROM CHEQUES WHERE CD_CLIENTE = ?) + "
                                 "(SELECT COUNT(*) FROM CHEQUES WHERE CD_DESTINO = ? AND "
                                 "CD_CLIENTE <> ?)"),
                  {codigo, codigo, codigo})
            .toLongLong();
    const long long recompras =
        countWhere(QStringLiteral("RECOMPRA"), QStringLiteral("CD_CLIENTE"), codigo);
    QStringList motivos;
    if (cheques > 0)
        motivos << countText(cheques, QStringLiteral("cheque"), QStringLiteral("cheques"));
    if (recompras > 0)
        motivos << countText(recompras, QStringLiteral("lançamento de recompra"),
                             QStringLiteral("lançamentos de recompra"));
    if (motivos.isEmpty())
        return {};
    return QStringLiteral("O cliente %1 não pode ser excluído: tem %2.")
        .arg(row.text(spec().nameColumn), motivos.join(QStringLiteral(" e ")));
}

void fclientes::afterIncluir() {
    step([this] { registraLog(QStringLiteral("INCLUIU O CLIENTE: "), fieldText("nm_cliente")); });
}

void fclientes::afterAlterar() {
    step(
        [this] { registraLog(QStringLiteral("ALTEROU O  O CLIENTE :"), fieldText("nm_cliente")); });
}

void fclientes::afterExcluir(const Row& row) {
    // The deleted row's own name, so the log names the client that was really deleted even when
    // the name box was edited or cleared before the command.
    step([&] { registraLog(QStringLiteral("EXCLUI O CLIENTE: "), row.text(spec().nameColumn)); });
}

void fclientes::sair() {
    step([this] { registraLog(QStringLiteral("SAIU DO MÓDULO DE CADASTRO DE CLIENTES")); });
    close();
}

}  // namespace tavrel
