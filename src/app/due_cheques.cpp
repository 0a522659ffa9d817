#include "app/due_cheques.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "core/ptbr.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {
namespace {

// A cheque without a deposit date is never due.
const char* const kDueCondition = "DT_DEPOSITO <= ? AND DT_DEPOSITO <> '' AND CD_STATUS = ?";

}  // namespace

int BaixarCheques(const QSqlDatabase& db, const QDate& today) {
    TransactionGuard transaction(db);
    QSqlQuery query = runSql(db,
                             QStringLiteral("UPDATE CHEQUES SET CD_STATUS = ? WHERE ") +
                                 QString::fromLatin1(kDueCondition),
                             {QStringLiteral("B"), storageDate(today), QStringLiteral("A")});
    const int settled = query.numRowsAffected();
    transaction.commit();
    return settled;
}

}  // namespace tavrel
