#include "exchange/cheque_store.h"

#include <QSqlError>
#include <QVariant>
#include <charconv>
#include <cstdlib>

#include "core/errors.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/sql.h"

namespace tavrel {
namespace {

const QString kLiquidezSql =
    QStringLiteral("SELECT COUNT(*), TOTAL(CD_STATUS = 'B') FROM CHEQUES WHERE CD_DOCUMENTO = ?");

// The index on (CD_DOCUMENTO, NR_SEQUENCIAL) gives the rows in this order without sorting.
const QString kHistoricoSql = QStringLiteral(
    "SELECT NR_SEQUENCIAL, VL_CHEQUE, CD_STATUS, NM_EMITENTE FROM CHEQUES "
    "WHERE CD_DOCUMENTO = ? ORDER BY NR_SEQUENCIAL, id");

const QString kInsereSql = QStringLiteral(
    "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, VL_TAXA, CD_DOCUMENTO, "
    "NR_SEQUENCIAL, VL_CHEQUE, CD_BANCO, CD_AGENCIA, CD_CONTA, NR_CHEQUE, VL_ACUMULADO, "
    "VL_ABERTO, DT_TROCA, NR_DIAS, VL_JUROS, DT_DEPOSITO, VL_CPMF, VL_CUSTODIA, VL_ADVALOREM, "
    "VL_IOF, VL_TAC, VL_CONSULTA, VL_DEBITOS, CD_STATUS, VL_LIQUIDEZ, CD_ALINEA, NM_EMITENTE, "
    "CD_CHAVE, VL_LIQUIDO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, 'A', ?, '000', ?, ?, ?)");

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
      insere_(prepared(db, kInsereSql)) {}

float ChequeStore::liquidez(const QString& documento) {
    liquidez_.bindValue(0, documento);
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
    struct Linha {
        double valor;
        bool aberto;
    };
    historico_.bindValue(0, documento);
    execPrepared(historico_, kHistoricoSql);
    HistoricoEmitente h;
    QList<Linha> linhas;
    QString ultimo;
    while (historico_.next()) {
        if (linhas.isEmpty()) {
            h.nm_emitente = historico_.value(3).toString();
        }
        ultimo = historico_.value(0).toString();
        linhas.append(
            {historico_.value(1).toDouble(), historico_.value(2).toString() == QLatin1String("A")});
    }
    historico_.finish();
    h.cheques = static_cast<int>(linhas.size());
    if (linhas.isEmpty()) {
        return h;
    }
    // As many rows as the last sequence number, or until the rows run out.
    const long long ultimoSequencial = codeValue(ultimo);
    const long long somados = std::min<long long>(ultimoSequencial, linhas.size());
    for (long long i = 0; i < somados; ++i) {
        const Linha& linha = linhas[i];
        h.vl_acumulado += linha.valor;
        if (linha.aberto) {
            h.vl_aberto += linha.valor;
            ++h.abertos;
        } else {
            h.vl_baixado += linha.valor;
        }
    }
    h.proximoSequencial = ultimoSequencial + 1;
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
    for (int i = 0; i < values.size(); ++i) {
        insere_.bindValue(i, values[i]);
    }
    execPrepared(insere_, kInsereSql);
    const qint64 id = insere_.lastInsertId().toLongLong();
    insere_.finish();
    return id;
}

ValoresCheque ChequeStore::removeCheque(qint64 id) {
    QSqlQuery query =
        runSql(db_,
               QStringLiteral("SELECT VL_CHEQUE, VL_JUROS, VL_CPMF, VL_CONSULTA, VL_IOF, "
                              "VL_ADVALOREM, VL_CUSTODIA, VL_TAC FROM CHEQUES WHERE id = ?"),
               {id});
    if (!query.next()) {
        throw AppError(error_number::kDatabase,
                       QStringLiteral("Nenhum cheque selecionado para excluir."),
                       QStringLiteral("CHEQUES"));
    }
    ValoresCheque v;
    v.vl_cheque = query.value(0).toDouble();
    v.vl_juros = query.value(1).toDouble();
    v.vl_cpmf = query.value(2).toDouble();
    v.vl_consulta = query.value(3).toDouble();
    v.vl_iof = query.value(4).toDouble();
    v.vl_advalorem = query.value(5).toDouble();
    v.vl_custodia = query.value(6).toDouble();
    v.vl_tac = query.value(7).toDouble();
    query.finish();
    runSql(db_, QStringLiteral("DELETE FROM CHEQUES WHERE id = ?"), {id});
    return v;
}

ProximaTroca ChequeStore::proximaTroca() const {
    ProximaTroca next;
    next.cd_troca =
        nextCode(db_, QStringLiteral("CHEQUES"), QStringLiteral("CD_TROCA"), code_width::kTroca);
    next.primeiraTroca = !scalarSql(db_, QStringLiteral("SELECT 1 FROM CHEQUES LIMIT 1")).isValid();
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
