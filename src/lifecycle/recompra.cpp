#include "lifecycle/recompra.h"

#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <optional>

#include "core/errors.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {
namespace {

// One open entry as read for an update of its interest.
struct Aberta {
    qlonglong id = 0;
    double valor = 0;
    double juros = 0;
    bool mudou = false;  // the interest to store differs from the stored one
};

// The open entries chosen by `filtro` (a condition on RECOMPRA with bound `valores`), each with
// its interest worked out to `hoje`. A row without a readable deposit date keeps its interest.
QList<Aberta> lerAbertas(const QSqlDatabase& db, const QString& filtro, const QVariantList& valores,
                         const QDate& hoje) {
    QList<Aberta> abertas;
    QSqlQuery query = runSql(db,
                             QStringLiteral("SELECT id, VL_CHEQUE, VL_TAXA, DT_DEPOSITO, VL_JUROS "
                                            "FROM RECOMPRA WHERE CD_STATUS = 'A' ") +
                                 filtro + QStringLiteral(" ORDER BY CD_lancamento"),
                             valores);
    while (query.next()) {
        Aberta a;
        a.id = query.value(0).toLongLong();
        a.valor = query.value(1).toDouble();
        const QVariant guardado = query.value(4);
        const QDate deposito = fromStorageDate(query.value(3));
        a.juros = deposito.isValid()
                      ? jurosRecompra(a.valor, query.value(2).toDouble(), deposito, hoje)
                      : guardado.toDouble();
        a.mudou = deposito.isValid() && (guardado.isNull() || guardado.toDouble() != a.juros);
        abertas.append(a);
    }
    return abertas;
}

// Writes the interest of the entries that changed, through one prepared statement.
int gravaJuros(const QSqlDatabase& db, const QList<Aberta>& abertas) {
    const QString sql = QStringLiteral("UPDATE RECOMPRA SET VL_JUROS = ? WHERE id = ?");
    QSqlQuery update(db);
    if (!update.prepare(sql)) {
        throw DataError(sql, update.lastError().text());
    }
    int gravadas = 0;
    for (const Aberta& a : abertas) {
        if (!a.mudou) {
            continue;
        }
        update.bindValue(0, a.juros);
        update.bindValue(1, a.id);
        if (!update.exec()) {
            throw DataError(sql, update.lastError().text());
        }
        ++gravadas;
    }
    return gravadas;
}

double soma(const QList<Aberta>& abertas) {
    double divida = 0;
    for (const Aberta& a : abertas) {
        divida += a.valor + a.juros;
    }
    return divida;
}

}  // namespace

double jurosRecompra(double vl_cheque, double vl_taxa, const QDate& dt_deposito,
                     const QDate& hoje) {
    const double dias = static_cast<double>(dt_deposito.daysTo(hoje));
    return roundMoney(dias * (vl_taxa / 100 * vl_cheque / 30));
}

double atualizaRecompraEmTransacao(const QSqlDatabase& db, const QString& cd_cliente,
                                   const QDate& hoje) {
    const QList<Aberta> abertas =
        lerAbertas(db, QStringLiteral("AND CD_CLIENTE = ?"), {cd_cliente}, hoje);
    gravaJuros(db, abertas);
    return soma(abertas);
}

double atualizaRecompra(const QSqlDatabase& db, const QString& cd_cliente, const QDate& hoje) {
    TransactionGuard transaction(db);
    const double divida = atualizaRecompraEmTransacao(db, cd_cliente, hoje);
    transaction.commit();
    return divida;
}

int atualizaRecompras(const QSqlDatabase& db, const QDate& hoje) {
    TransactionGuard transaction(db);
    const int gravadas = gravaJuros(db, lerAbertas(db, {}, {}, hoje));
    transaction.commit();
    return gravadas;
}

QString proximoLancamentoRecompra(const QSqlDatabase& db) {
    return nextCode(db, QStringLiteral("RECOMPRA"), QStringLiteral("CD_lancamento"),
                    code_width::kLancamento);
}

QString incluiRecompra(const QSqlDatabase& db, const NovaRecompra& entrada) {
    const QString numero = proximoLancamentoRecompra(db);
    runSql(db,
           QStringLiteral("INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, "
                          "VL_TAXA, DT_DEPOSITO, DT_TROCA, CD_STATUS) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?, 'A')"),
           {numero, entrada.cd_cliente, entrada.cd_troca, entrada.vl_cheque, entrada.vl_taxa,
            entrada.dt_deposito.isValid() ? QVariant(storageDate(entrada.dt_deposito)) : QVariant(),
            entrada.dt_troca.isValid() ? QVariant(storageDate(entrada.dt_troca)) : QVariant()});
    return numero;
}

bool baixaRecompra(const QSqlDatabase& db, qlonglong id, const QDate& hoje) {
    TransactionGuard transaction(db);
    gravaJuros(db, lerAbertas(db, QStringLiteral("AND id = ?"), {id}, hoje));
    QSqlQuery query = runSql(
        db, QStringLiteral("UPDATE RECOMPRA SET CD_STATUS = 'B' WHERE id = ? AND CD_STATUS = 'A'"),
        {id});
    const bool baixou = query.numRowsAffected() == 1;
    transaction.commit();
    return baixou;
}

double baixaRecomprasCliente(const QSqlDatabase& db, const QString& cd_cliente, const QDate& hoje) {
    TransactionGuard transaction(db);
    const double divida = atualizaRecompraEmTransacao(db, cd_cliente, hoje);
    runSql(db,
           QStringLiteral(
               "UPDATE RECOMPRA SET CD_STATUS = 'B' WHERE CD_CLIENTE = ? AND CD_STATUS = 'A'"),
           {cd_cliente});
    transaction.commit();
    return roundMoney(divida);
}

}  // namespace tavrel
