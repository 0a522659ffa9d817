#include "lifecycle/cheques_a_baixar.h"

#include <QSqlQuery>

#include "core/ptbr.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "lifecycle/cheques_vencidos.h"

namespace tavrel {
namespace {

const QString kFrom = QStringLiteral("CHEQUES");

}  // namespace

ChequesABaixar chequesDoDia(const QDate& hoje) {
    return {kFrom, chequeVencidoCondicao(), chequeVencidoValores(hoje)};
}

ChequesABaixar chequesDoPeriodo(const QDate& inicio, const QDate& fim) {
    return {kFrom,
            QStringLiteral("CHEQUES.DT_DEPOSITO >= ? AND CHEQUES.DT_DEPOSITO <= ?"),
            {storageDate(inicio), storageDate(fim)}};
}

QString formulaChequesDoDia(const QDate& hoje) {
    return QStringLiteral("{cheques.dt_deposito} <=  ") + formulaDate(hoje) +
           QStringLiteral(" AND {CHEQUES.CD_STATUS}='A'");
}

QString formulaChequesDoPeriodo(const QDate& inicio, const QDate& fim) {
    return QStringLiteral("{cheques.dt_deposito}>=") + formulaDate(inicio) +
           QStringLiteral(" and {cheques.dt_deposito}<=") + formulaDate(fim);
}

bool mudaDestino(const QSqlDatabase& db, qlonglong chequeId, const QString& cd_destino) {
    TransactionGuard transaction(db, TransactionGuard::Lock::Immediate);
    const bool cadastrado =
        scalarSql(db, QStringLiteral("SELECT 1 FROM CLIENTES WHERE CD_CLIENTE = ? LIMIT 1"),
                  {cd_destino})
            .isValid();
    if (!cadastrado) {
        return false;
    }
    const QSqlQuery update =
        runSql(db, QStringLiteral("UPDATE CHEQUES SET CD_DESTINO = ? WHERE id = ?"),
               {cd_destino, chequeId});
    if (update.numRowsAffected() != 1) {
        return false;
    }
    transaction.commit();
    return true;
}

}  // namespace tavrel
