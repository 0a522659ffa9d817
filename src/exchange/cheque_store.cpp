#include "exchange/cheque_store.h"

#include <QSqlError>
#include <QStringList>
#include <QVariant>
#include <charconv>
#include <cstdlib>
#include <iterator>
#include <optional>

#include "core/errors.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/row.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {
namespace {

const QString kLiquidezSql = QStringLiteral(
    "SELECT COUNT(*), TOTAL(CD_STATUS = 'B') FROM CHEQUES WHERE CD_DOCUMENTO = :documento");
const QString kDocumento = QStringLiteral(":documento");

// The document's history in one statement. Its rows are taken in sequence order and as many
// are summed as the last row's sequence number says (all of them when the numbers run
// 1, 2, 3...). Every probe reads the index on (CD_DOCUMENTO, NR_SEQUENCIAL, id, CD_STATUS,
// VL_CHEQUE) alone, except the name, read from the first row. The document is the one
// parameter, :documento.
const QString kUltimoSequencial = QStringLiteral(
    "SELECT CAST(NR_SEQUENCIAL AS INTEGER) FROM CHEQUES WHERE CD_DOCUMENTO = :documento "
    "ORDER BY NR_SEQUENCIAL DESC, id DESC LIMIT 1");
const QString kHistoricoSql =
    QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM CHEQUES WHERE CD_DOCUMENTO = :documento), (%1), "
        "TOTAL(VL_CHEQUE), TOTAL(CASE WHEN CD_STATUS = 'A' THEN VL_CHEQUE END), "
        "TOTAL(CASE WHEN CD_STATUS IS NOT 'A' THEN VL_CHEQUE END), "
        "COUNT(CASE WHEN CD_STATUS = 'A' THEN 1 END), "
        "(SELECT NM_EMITENTE FROM CHEQUES WHERE CD_DOCUMENTO = :documento "
        "ORDER BY NR_SEQUENCIAL, id LIMIT 1) "
        "FROM (SELECT VL_CHEQUE, CD_STATUS FROM CHEQUES WHERE CD_DOCUMENTO = :documento "
        "ORDER BY NR_SEQUENCIAL, id LIMIT MAX(0, COALESCE((%1), 0)))")
        .arg(kUltimoSequencial);

// The stored amounts of an exchange's rows, in the order they were added.
const QString kLinhasDaTrocaSql = QStringLiteral(
    "SELECT VL_CHEQUE, VL_JUROS, NR_DIAS, VL_CPMF, VL_CONSULTA, VL_IOF, VL_ADVALOREM, "
    "VL_CUSTODIA, VL_TAC FROM CHEQUES WHERE CD_TROCA = :troca ORDER BY id");
const QString kTroca = QStringLiteral(":troca");

// The highest exchange number. While every number has five digits this is the last one in text
// order; past 99999 the longer numbers come first, so a new exchange never reuses "100000".
// One probe of the index on (LENGTH(CD_TROCA), CD_TROCA).
const QString kUltimaTrocaSql = QStringLiteral(
    "SELECT CD_TROCA FROM CHEQUES WHERE CD_TROCA IS NOT NULL "
    "ORDER BY LENGTH(CD_TROCA) DESC, CD_TROCA DESC LIMIT 1");

// The columns of a new row that carry values, in the order of the values in insere().
// Bound by name: binding by position costs Qt a placeholder name built per value.
const char* const kInsereColunas[] = {
    "CD_TROCA",    "CD_CLIENTE",   "CD_DESTINO", "VL_TAXA",   "CD_DOCUMENTO", "NR_SEQUENCIAL",
    "VL_CHEQUE",   "CD_BANCO",     "CD_AGENCIA", "CD_CONTA",  "NR_CHEQUE",    "VL_ACUMULADO",
    "VL_ABERTO",   "DT_TROCA",     "NR_DIAS",    "VL_JUROS",  "DT_DEPOSITO",  "VL_CPMF",
    "VL_CUSTODIA", "VL_ADVALOREM", "VL_IOF",     "VL_TAC",    "VL_CONSULTA",  "VL_DEBITOS",
    "VL_LIQUIDEZ", "NM_EMITENTE",  "CD_CHAVE",   "VL_LIQUIDO"};
constexpr int kInsereValores = std::size(kInsereColunas);

QStringList inserePlaceholders() {
    QStringList names;
    for (const char* column : kInsereColunas) {
        names << QLatin1Char(':') + QString::fromLatin1(column);
    }
    return names;
}

const QStringList kInserePlaceholders = inserePlaceholders();

QString insereSql() {
    QStringList columns;
    for (const char* column : kInsereColunas) {
        columns << QString::fromLatin1(column);
    }
    return QStringLiteral("INSERT INTO CHEQUES (%1, CD_STATUS, CD_ALINEA) VALUES (%2, 'A', '000')")
        .arg(columns.join(QStringLiteral(", ")), kInserePlaceholders.join(QStringLiteral(", ")));
}

const QString kInsereSql = insereSql();

QSqlQuery prepared(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        throw DataError(sql, query.lastError().text());
    }
    return query;
}

void execPrepared(QSqlQuery& query, const QString& sql) {
    if (!query.exec()) {
        const QString message = query.lastError().text();
        query.finish();
        throw DataError(sql, message);
    }
}

float liquidezDe(long long total, double baixados) {
    if (total == 0) {
        return 100.0f;
    }
    return static_cast<float>(roundMoney(baixados * 100 / static_cast<double>(total)));
}

}  // namespace

QString HistoricoEmitente::nr_sequencial() const {
    return formatCode(proximoSequencial, code_width::kSequencial);
}

ChequeStore::ChequeStore(const QSqlDatabase& db)
    : db_(db),
      liquidez_(prepared(db, kLiquidezSql)),
      historico_(prepared(db, kHistoricoSql)),
      insere_(prepared(db, kInsereSql)),
      ultimaTroca_(prepared(db, kUltimaTrocaSql)),
      linhasDaTroca_(prepared(db, kLinhasDaTrocaSql)) {}

float ChequeStore::liquidez(const QString& documento) {
    if (documento.trimmed().isEmpty()) {
        return liquidezDe(0, 0);  // no issuer: no history
    }
    liquidez_.bindValue(kDocumento, documento);
    execPrepared(liquidez_, kLiquidezSql);
    long long total = 0;
    double baixados = 0;
    if (liquidez_.next()) {
        total = liquidez_.value(0).toLongLong();
        baixados = liquidez_.value(1).toDouble();
    }
    liquidez_.finish();
    return liquidezDe(total, baixados);
}

HistoricoEmitente ChequeStore::historico(const QString& documento) {
    if (documento.trimmed().isEmpty()) {
        return {};  // no issuer: the cheques without a document are not its history
    }
    historico_.bindValue(kDocumento, documento);
    execPrepared(historico_, kHistoricoSql);
    HistoricoEmitente h;
    if (historico_.next()) {
        h.cheques = historico_.value(0).toInt();
        h.proximoSequencial = historico_.value(1).toLongLong() + 1;
        h.vl_acumulado = historico_.value(2).toDouble();
        h.vl_aberto = historico_.value(3).toDouble();
        h.vl_baixado = historico_.value(4).toDouble();
        h.abertos = historico_.value(5).toInt();
        h.nm_emitente = historico_.value(6).toString();
    }
    historico_.finish();
    return h;
}

qint64 ChequeStore::insere(const NovoCheque& c) {
    const ChequeCalculado& r = c.calculo;
    const QVariantList values = {c.cd_troca,
                                 c.cd_cliente,
                                 c.cd_destino,
                                 c.vl_taxa,
                                 c.cd_documento,
                                 c.nr_sequencial,
                                 c.vl_cheque,
                                 c.cd_banco,
                                 c.cd_agencia,
                                 c.cd_conta,
                                 c.nr_cheque,
                                 c.vl_acumulado,
                                 c.vl_aberto,
                                 storageDate(c.dt_troca),
                                 r.nr_dias,
                                 r.vl_juros,
                                 storageDate(c.dt_deposito),
                                 r.vl_cpmf,
                                 r.vl_custodia,
                                 r.vl_advalorem,
                                 r.vl_iof,
                                 r.vl_tac,
                                 r.vl_consulta,
                                 r.vl_debitos,
                                 liquidezArmazenada(c.vl_liquidez),
                                 c.nm_emitente,
                                 c.cd_chave,
                                 r.vl_liquido};
    Q_ASSERT(values.size() == kInsereValores);
    for (int i = 0; i < kInsereValores; ++i) {
        insere_.bindValue(kInserePlaceholders[i], values[i]);
    }
    execPrepared(insere_, kInsereSql);
    const qint64 id = insere_.lastInsertId().toLongLong();
    insere_.finish();
    return id;
}

QList<ValoresCheque> ChequeStore::linhasDaTroca(const QString& cd_troca) {
    QSqlQuery& query = linhasDaTroca_;
    query.bindValue(kTroca, cd_troca);
    execPrepared(query, kLinhasDaTrocaSql);
    QList<ValoresCheque> linhas;
    while (query.next()) {
        ValoresCheque v;
        v.vl_cheque = query.value(0).toDouble();
        v.vl_juros = query.value(1).toDouble();
        v.nr_dias = query.value(2).toDouble();
        v.vl_cpmf = query.value(3).toDouble();
        v.vl_consulta = query.value(4).toDouble();
        v.vl_iof = query.value(5).toDouble();
        v.vl_advalorem = query.value(6).toDouble();
        v.vl_custodia = query.value(7).toDouble();
        v.vl_tac = query.value(8).toDouble();
        linhas << v;
    }
    query.finish();
    return linhas;
}

bool ChequeStore::trocaExiste(const QString& cd_troca) {
    return scalarSql(db_, QStringLiteral("SELECT 1 FROM CHEQUES WHERE CD_TROCA = ? LIMIT 1"),
                     {cd_troca})
        .isValid();
}

std::optional<double> ChequeStore::removeChequeAberto(qint64 id, const QString& cd_troca,
                                                      bool tacDaTroca) {
    TransactionGuard transaction(db_, TransactionGuard::Lock::Immediate);
    const std::optional<Row> row =
        fetchRow(db_,
                 QStringLiteral("SELECT VL_CHEQUE, VL_TAC FROM CHEQUES WHERE id = ? AND "
                                "CD_TROCA = ? AND CD_STATUS = 'A'"),
                 {id, cd_troca});
    if (!row) {
        return std::nullopt;
    }
    const QSqlQuery removed = runSql(db_, QStringLiteral("DELETE FROM CHEQUES WHERE id = ?"), {id});
    if (removed.numRowsAffected() != 1) {
        throw AppError(error_number::kDatabase,
                       QStringLiteral("O cheque não foi excluído: nenhuma linha apagada."),
                       QStringLiteral("CHEQUES"));
    }
    const double tac = row->value(QStringLiteral("VL_TAC")).toDouble();
    if (tacDaTroca && tac > 0) {
        // The net as the calculation sums it, with the TAC in its place.
        runSql(db_,
               QStringLiteral(
                   "UPDATE CHEQUES SET VL_TAC = ?, VL_LIQUIDO = VL_CHEQUE - (IFNULL(VL_JUROS, 0) "
                   "+ IFNULL(VL_DEBITOS, 0) + IFNULL(VL_IOF, 0) + IFNULL(VL_CPMF, 0) + "
                   "IFNULL(VL_CONSULTA, 0) + ? + IFNULL(VL_CUSTODIA, 0) + "
                   "IFNULL(VL_ADVALOREM, 0)) WHERE id = (SELECT MIN(id) FROM CHEQUES WHERE "
                   "CD_TROCA = ?) AND NOT EXISTS (SELECT 1 FROM CHEQUES WHERE CD_TROCA = ? "
                   "AND VL_TAC > 0)"),
               {tac, tac, cd_troca, cd_troca});
    }
    transaction.commit();
    return row->value(QStringLiteral("VL_CHEQUE")).toDouble();
}

int ChequeStore::removeTroca(const QString& cd_troca) {
    TransactionGuard transaction(db_, TransactionGuard::Lock::Immediate);
    const int removed =
        runSql(db_, QStringLiteral("DELETE FROM CHEQUES WHERE CD_TROCA = ?"), {cd_troca})
            .numRowsAffected();
    transaction.commit();
    return removed;
}

ProximaTroca ChequeStore::proximaTroca() {
    execPrepared(ultimaTroca_, kUltimaTrocaSql);
    ProximaTroca next;
    next.primeiraTroca = !ultimaTroca_.next();
    const long long ultima = next.primeiraTroca ? 0 : codeValue(ultimaTroca_.value(0).toString());
    ultimaTroca_.finish();
    next.cd_troca = formatCode(ultima + 1, code_width::kTroca);
    return next;
}

float CalculaLiquidez(const QSqlDatabase& db, const QString& documento) {
    QSqlQuery query = runSql(db, kLiquidezSql, {documento});
    if (!query.next()) {
        return 100.0f;
    }
    return liquidezDe(query.value(0).toLongLong(), query.value(1).toDouble());
}

double liquidezArmazenada(float liquidez) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text - 1, liquidez);
    *result.ptr = '\0';
    return std::strtod(text, nullptr);
}

}  // namespace tavrel
