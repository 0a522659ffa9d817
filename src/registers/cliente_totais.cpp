#include "registers/cliente_totais.h"

#include <QSqlQuery>

#include "data/sql.h"

namespace tavrel {

ClienteTotais totaisDoCliente(const QSqlDatabase& db, const QString& codigoCliente) {
    // TOTAL gives 0.0 for a client without cheques, where SUM would give NULL.
    QSqlQuery query =
        runSql(db,
               QStringLiteral("SELECT TOTAL(CASE WHEN CD_STATUS = 'A' THEN VL_CHEQUE "
                              "ELSE 0 END), TOTAL(CASE WHEN CD_STATUS = 'B' THEN "
                              "VL_CHEQUE ELSE 0 END) FROM CHEQUES WHERE CD_CLIENTE = ?"),
               {codigoCliente});
    ClienteTotais totais;
    if (query.next()) {
        totais.aberto = query.value(0).toDouble();
        totais.compensado = query.value(1).toDouble();
    }
    return totais;
}

}  // namespace tavrel
