#pragma once

#include <QDate>
#include <QSqlDatabase>

#include "demo/random.h"

namespace tavrel::demo {

struct LedgerCounts {
    int accounts = 0;
    int descriptions = 0;
    int entries = 0;
};

// Fills the cash database: accounts, standard descriptions with their debit or credit type,
// and `entries` entries between `from` and `to`, each with the account's running balance in
// the order of date and entry code. One transaction.
LedgerCounts generateLedger(const QSqlDatabase& caixa, Random& random, int entries,
                            const QDate& from, const QDate& to);

}  // namespace tavrel::demo
