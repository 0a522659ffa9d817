#pragma once

class QDate;
class QSqlDatabase;

namespace tavrel {

// Settles the due cheques: every open cheque ("A") whose deposit date is `today` or earlier
// becomes settled ("B"), in one transaction. Returns how many it settled.
int BaixarCheques(const QSqlDatabase& db, const QDate& today);

}  // namespace tavrel
