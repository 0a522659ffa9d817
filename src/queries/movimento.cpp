#include "queries/movimento.h"

#include "core/money.h"
#include "core/ptbr.h"
#include "data/sql.h"
#include "data/text_functions.h"

namespace tavrel {
namespace {

GroupingColumn coluna(const char* caption, const char* field,
                      ColumnFormat format = ColumnFormat::Plain) {
    return {QString::fromUtf8(caption), QString::fromLatin1(field), format};
}

GroupingColumn soma(const char* caption, const char* field) {
    return {QString::fromUtf8(caption), QString::fromLatin1(field), ColumnFormat::Currency, true};
}

GroupingSource comCondicao(GroupingSource fonte, const QString& condicao,
                           const QVariantList& valores) {
    fonte.where = fonte.where.isEmpty()
                      ? condicao
                      : QStringLiteral("(%1) AND (%2)").arg(fonte.where, condicao);
    fonte.values << valores;
    return fonte;
}

// The eleven columns every movement query starts with; the value's caption differs.
QList<GroupingColumn> colunasDoMovimento(const char* valor) {
    return {
        coluna("Cliente", "CLIENTES.NM_CLIENTE"),
        coluna("Troca", "CHEQUES.CD_TROCA"),
        soma(valor, "CHEQUES.VL_CHEQUE"),
        coluna("Vencimento", "CHEQUES.DT_DEPOSITO", ColumnFormat::Date),
        coluna("Dt. Troca", "CHEQUES.DT_TROCA", ColumnFormat::Date),
        coluna("Dias", "CHEQUES.NR_DIAS"),
        coluna("Taxa", "CHEQUES.VL_TAXA", ColumnFormat::Number),
        soma("Juros", "CHEQUES.VL_JUROS"),
        coluna("Situação", "CHEQUES.CD_STATUS"),
        coluna("Alinea", "CHEQUES.CD_ALINEA"),
        coluna("Emitente", "CHEQUES.NM_EMITENTE"),
    };
}

}  // namespace

QList<GroupingColumn> colunasPorCliente() {
    return colunasDoMovimento("Valor") + QList<GroupingColumn>{
                                             coluna("Destino", "CLIENTES_1.NM_CLIENTE"),
                                             coluna("Agencia", "CHEQUES.CD_AGENCIA"),
                                             coluna("Banco", "CHEQUES.CD_BANCO"),
                                             coluna("Conta", "CHEQUES.CD_CONTA"),
                                             coluna("Cheque", "CHEQUES.NR_CHEQUE"),
                                             soma("IOF", "CHEQUES.VL_IOF"),
                                             soma("CPMF", "CHEQUES.VL_CPMF"),
                                             soma("CONSULTA", "CHEQUES.VL_CONSULTA"),
                                             soma("TAC", "CHEQUES.VL_TAC"),
                                             soma("Liberado", "CHEQUES.VL_LIQUIDO"),
                                         };
}

QList<GroupingColumn> colunasPorDocumento() {
    return colunasDoMovimento("Cheque") +
           QList<GroupingColumn>{
               coluna("Documento", "CHEQUES.CD_DOCUMENTO"), coluna(" Cheque", "CHEQUES.NR_CHEQUE"),
               coluna("Banco", "CHEQUES.CD_BANCO"),         coluna("Conta", "CHEQUES.CD_CONTA"),
               coluna("Ag.", "CHEQUES.CD_AGENCIA"),
           };
}

QList<GroupingColumn> colunasPorPeriodo() {
    return colunasDoMovimento("Cheque");
}

GroupingSource fonteCheques() {
    GroupingSource fonte;
    fonte.from =
        QStringLiteral("CLIENTES INNER JOIN CHEQUES ON CLIENTES.CD_CLIENTE = CHEQUES.CD_CLIENTE");
    return fonte;
}

GroupingSource fonteCliente() {
    GroupingSource fonte = fonteCheques();
    fonte.lookups = QStringLiteral(
        " LEFT JOIN CLIENTES AS CLIENTES_1 ON CHEQUES.CD_DESTINO = CLIENTES_1.CD_CLIENTE");
    return fonte;
}

QString campoDaChave(int opcao) {
    switch (opcao) {
        case 1:
            return QStringLiteral("CHEQUES.NM_EMITENTE");
        case 2:
            return QStringLiteral("CHEQUES.CD_DOCUMENTO");
        case 3:
            return QStringLiteral("CHEQUES.NR_CHEQUE");
        case 4:
            return QStringLiteral("CHEQUES.CD_BANCO");
        case 5:
            return QStringLiteral("CHEQUES.CD_CONTA");
        case 6:
            return QStringLiteral("CHEQUES.CD_AGENCIA");
        default:
            return {};
    }
}

GroupingSource porChave(GroupingSource fonte, int opcao, const QString& chave) {
    const QString campo = campoDaChave(opcao);
    if (chave.isEmpty()) {
        return comCondicao(std::move(fonte), QStringLiteral("%1 IS NOT NULL").arg(campo), {});
    }
    const QChar last = chave.back();
    const bool semLetras = foldCase(chave) == chave && chave.toUpper() == chave;
    if (semLetras && !last.isSurrogate() && last.unicode() < 0xFFFF) {
        // The texts starting with the key run from the key up to, not including, the key with
        // its last character one higher.
        QString acima = chave;
        acima.back() = QChar(last.unicode() + 1);
        return comCondicao(std::move(fonte), QStringLiteral("%1 >= ? AND %1 < ?").arg(campo),
                           {chave, acima});
    }
    return comCondicao(std::move(fonte), QStringLiteral("tavrel_starts(%1, ?)").arg(campo),
                       {foldCase(chave)});
}

GroupingSource porPeriodo(GroupingSource fonte, const QDate& de, const QDate& ate, bool muitos) {
    // A unary plus keeps the index out of the statement.
    return comCondicao(std::move(fonte),
                       muitos ? QStringLiteral("+CHEQUES.DT_DEPOSITO BETWEEN ? AND ?")
                              : QStringLiteral("CHEQUES.DT_DEPOSITO BETWEEN ? AND ?"),
                       {storageDate(de), storageDate(ate)});
}

bool periodoComMuitosCheques(const QSqlDatabase& db, const QDate& de, const QDate& ate) {
    constexpr int kMuitos = 20000;
    return scalarSql(db,
                     QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM CHEQUES WHERE "
                                    "DT_DEPOSITO BETWEEN ? AND ? LIMIT ?)"),
                     {storageDate(de), storageDate(ate), kMuitos})
               .toInt() >= kMuitos;
}

GroupingSource porCliente(GroupingSource fonte, const QString& codigo) {
    return comCondicao(std::move(fonte), QStringLiteral("CHEQUES.CD_CLIENTE = ?"), {codigo});
}

QStringList somasDosTotais() {
    return {QStringLiteral("TOTAL(CHEQUES.VL_CHEQUE)"),
            QStringLiteral("TOTAL(CASE WHEN CHEQUES.CD_STATUS = 'A' THEN CHEQUES.VL_CHEQUE END)"),
            QStringLiteral("TOTAL(CASE WHEN CHEQUES.CD_STATUS = 'B' THEN CHEQUES.VL_CHEQUE END)")};
}

BoundStatement sqlTotais(const GroupingSource& fonte) {
    BoundStatement statement;
    statement.sql = QStringLiteral("SELECT ") + somasDosTotais().join(QStringLiteral(", ")) +
                    QStringLiteral(" FROM ") + fonte.from;
    if (!fonte.where.isEmpty()) {
        statement.sql += QStringLiteral(" WHERE ") + fonte.where;
        statement.values = fonte.values;
    }
    return statement;
}

Totais totaisDaLinha(const QVariantList& row) {
    return {row.value(0).toDouble(), row.value(1).toDouble(), row.value(2).toDouble()};
}

TextoTotais textoTotais(const Totais& totais) {
    // Nothing listed: no share to give, and no division by zero to report.
    const double aberto = totais.negociado != 0 ? totais.aberto / totais.negociado * 100 : 0;
    const double baixado = totais.negociado != 0 ? totais.baixado / totais.negociado * 100 : 0;
    return {formatMoney(totais.aberto), formatMoney(totais.baixado), formatMoney(totais.negociado),
            formatMoney(aberto), formatMoney(baixado)};
}

}  // namespace tavrel
