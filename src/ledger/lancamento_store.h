#pragma once

#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "ledger/lancamento.h"
#include "ledger/saldos.h"

namespace tavrel {

// What a command leaves in the account it wrote to, worked out by the same walk that wrote the
// balances.
struct ContaGravada {
    QString codigo;  // the entry's code
    Posicao posicao;
    int saldosGravados = 0;  // rows whose stored balance changed
};

// The writes of the ledger entries screen. Each command is one transaction: the entry and every
// running balance of its account are written together or not at all, and a failure throws
// (DataError or AppError) with every row as it was.
class LancamentoStore {
public:
    explicit LancamentoStore(const QSqlDatabase& db);

    // Adds the entry with the next code across all accounts and the status copied from its
    // description's type.
    ContaGravada inclui(const Lancamento& lancamento);
    // Rewrites the entry `id` (its code stays; the status is copied again from the
    // description). Throws AppError when the entry is gone. An entry moved to another account
    // rebalances both; the result is the new account's.
    ContaGravada altera(qint64 id, const Lancamento& lancamento);
    // Deletes the entry `id`; nothing happens (and nothing is returned) when it is gone already.
    std::optional<ContaGravada> exclui(qint64 id);
    // Brings the stored balances of the account in line with its entries, in a transaction of
    // its own.
    ContaGravada rebalanceia(const QString& cd_conta);

    // The account's totals: AtualizaPosicao over its entries in (date, code) order.
    Posicao posicao(const QString& cd_conta) const;

    // The type (CD_TIPO) of a description; nothing when the description does not exist.
    std::optional<QString> tipoHistorico(const QString& cd_historico) const;
    bool contaExiste(const QString& cd_conta) const;

private:
    // RecalculaSaldos over the account, inside the caller's transaction: walks the entries in
    // (date, code) order and updates only the rows whose stored balance differs.
    ContaGravada gravaSaldos(const QString& cd_conta);
    QString statusDe(const Lancamento& lancamento) const;

    QSqlDatabase db_;
};

}  // namespace tavrel
