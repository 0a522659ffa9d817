#include "lifecycle/cheques_vencidos.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "core/ptbr.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {

QString chequeVencidoCondicao() {
    return QStringLiteral(
        "CHEQUES.DT_DEPOSITO <= ? AND CHEQUES.DT_DEPOSITO <> '' AND CHEQUES.CD_STATUS = ?");
}

QVariantList chequeVencidoValores(const QDate& hoje) {
    return {storageDate(hoje), QStringLiteral("A")};
}

int BaixarCheques(const QSqlDatabase& db, const QDate& hoje) {
    TransactionGuard transaction(db);
    QSqlQuery query = runSql(
        db, QStringLiteral("UPDATE CHEQUES SET CD_STATUS = ? WHERE ") + chequeVencidoCondicao(),
        QVariantList{QStringLiteral("B")} + chequeVencidoValores(hoje));
    const int settled = query.numRowsAffected();
    transaction.commit();
    return settled;
}

}  // namespace tavrel
