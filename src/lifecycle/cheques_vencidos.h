#pragma once

#include <QString>
#include <QVariantList>

class QDate;
class QSqlDatabase;

namespace tavrel {

// The one rule for a cheque that is due: open ("A") and deposited `hoje` or earlier. A cheque
// without a deposit date is never due. The condition is on CHEQUES's own columns, qualified by
// the table name, so it can sit in a join; its values are bound from chequeVencidoValores.
QString chequeVencidoCondicao();
QVariantList chequeVencidoValores(const QDate& hoje);

// Settles the due cheques: every cheque due `hoje` becomes settled ("B"), in one transaction.
// Returns how many it settled.
int BaixarCheques(const QSqlDatabase& db, const QDate& hoje);

}  // namespace tavrel
