#pragma once

#include <QDate>
#include <QString>
#include <optional>

class QSqlDatabase;

namespace tavrel {

// A recorded exchange as the change-of-exchange screen shows it: the first cheque's date, rate
// and client, and the charges of the whole exchange as its cheques carry them.
struct DadosTroca {
    QString cd_troca;
    QDate dt_troca;
    double vl_taxa = 0;
    QString cd_cliente;
    double debitos = 0;  // the last cheque with debits above 0
    double tac = 0;      // the last cheque with a fixed TAC above 0 (0 when the TAC is not fixed)
    int cheques = 0;
};

// The exchange `cd_troca` (as stored, "00012"); nothing when no cheque carries the number.
// `tacFixa`: the parameters charge the fixed TAC once per exchange.
std::optional<DadosTroca> leDadosTroca(const QSqlDatabase& db, const QString& cd_troca,
                                       bool tacFixa);

}  // namespace tavrel
