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

// Brings the interest of every open entry of every client up to date, in one transaction.
// Only rows whose interest changes are written. Returns how many were written.
int atualizaRecompras(const QSqlDatabase& db, const QDate& hoje);

// A new repurchase entry, open ("A"), its interest left for the next update.
struct NovaRecompra {
    QString cd_cliente;
    QString cd_troca;
    double vl_cheque = 0;
    double vl_taxa = 0;
    QDate dt_deposito;
    QDate dt_troca;
};

// The next entry number: the highest number plus one, ten digits ("0000000001" for the first).
QString proximoLancamentoRecompra(const QSqlDatabase& db);

// Adds the entry under the next number and returns that number. Runs inside the caller's
// transaction when it holds one.
QString incluiRecompra(const QSqlDatabase& db, const NovaRecompra& entrada);

// Settles one entry: its interest brought up to `hoje` when it is open, then status "B", in one
// transaction. Returns false when no entry has that id or it was already settled.
bool baixaRecompra(const QSqlDatabase& db, qlonglong id, const QDate& hoje);

// Settles every open entry of the client: interest brought up to `hoje`, the debt summed (value
// plus interest), every entry set to "B", all in one transaction. Returns the debt settled
// (0 when the client owed nothing; then nothing changes).
double baixaRecomprasCliente(const QSqlDatabase& db, const QString& cd_cliente, const QDate& hoje);

}  // namespace tavrel
