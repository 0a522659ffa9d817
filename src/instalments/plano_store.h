#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "instalments/parcelas.h"
#include "instalments/troca_do_plano.h"

class QSqlDatabase;

namespace tavrel {

class ChequeStore;

// What "Gerar Troca" wrote: the exchange's number and its rows, in order. The finishing
// screen finishes or cancels exactly these rows.
struct TrocaDoPlano {
    QString cd_troca;
    QList<qint64> ids;
};

// Replaces every row of PARCELAS by the schedule, in one transaction. Throws DataError,
// changing nothing.
void gravaParcelas(const QSqlDatabase& db, const QList<LinhaParcela>& linhas);

// Writes the plan's cheques under the next exchange number (ChequeStore::proximaTroca), in one
// transaction that holds the write lock from its start: the number is taken and used before
// any other screen or desk can take it, as the exchange screen confirms its own. Throws
// (DataError) with nothing written.
TrocaDoPlano gravaTrocaDoPlano(ChequeStore& store, const QList<ChequeDoPlano>& cheques);

// Gives the exchange's rows to the client (origin, destination and issuer name), in one
// transaction. Returns the client's name as stored; nothing, writing nothing, when no client
// has the code. Throws AppError, changing nothing, when a row of the exchange is gone.
std::optional<QString> finalizaTrocaDoPlano(const QSqlDatabase& db, const TrocaDoPlano& troca,
                                            const QString& cd_cliente);

// Deletes the exchange's rows, and no other, in one transaction; returns how many.
int cancelaTrocaDoPlano(const QSqlDatabase& db, const TrocaDoPlano& troca);

}  // namespace tavrel
