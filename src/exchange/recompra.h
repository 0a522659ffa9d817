#pragma once

#include <QDate>
#include <QString>

class QSqlDatabase;

namespace tavrel {

// Interest of an open repurchase up to `hoje`: days from the deposit date to today times
// (rate / 100 * value / 30), rounded to cents. A deposit date ahead of today gives negative
// days and so negative interest, as the repurchase register has always shown it.
double jurosRecompra(double vl_cheque, double vl_taxa, const QDate& dt_deposito, const QDate& hoje);

// Brings the interest of every open ("A") RECOMPRA row of the client up to date, in one
// transaction, and returns the client's repurchase debt: the sum of value plus interest over
// those rows. A row without a readable deposit date keeps its stored interest (the debt still
// counts its value and that interest). Throws DataError; then no row is changed.
double atualizaRecompra(const QSqlDatabase& db, const QString& cd_cliente, const QDate& hoje);

// The same inside a transaction the caller already holds (and commits).
double atualizaRecompraEmTransacao(const QSqlDatabase& db, const QString& cd_cliente,
                                   const QDate& hoje);

}  // namespace tavrel
