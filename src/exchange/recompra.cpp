#include "exchange/recompra.h"

#include <QList>
#include <QSqlQuery>
#include <QVariant>

#include "core/money.h"
#include "core/ptbr.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {

double jurosRecompra(double vl_cheque, double vl_taxa, const QDate& dt_deposito,
                     const QDate& hoje) {
    const double dias = static_cast<double>(dt_deposito.daysTo(hoje));
    return roundMoney(dias * (vl_taxa / 100 * vl_cheque / 30));
}

double atualizaRecompraEmTransacao(const QSqlDatabase& db, const QString& cd_cliente,
                                   const QDate& hoje) {
    struct Entrada {
        qlonglong id;
        double valor;
        double juros;
        bool recalculado;
    };
    QList<Entrada> entradas;
    {
        QSqlQuery query = runSql(db,
                                 QStringLiteral("SELECT id, VL_CHEQUE, VL_TAXA, DT_DEPOSITO, "
                                                "VL_JUROS FROM RECOMPRA WHERE CD_CLIENTE = ? "
                                                "AND CD_STATUS = 'A' ORDER BY CD_lancamento"),
                                 {cd_cliente});
        while (query.next()) {
            const QDate deposito = fromStorageDate(query.value(3));
            const double valor = query.value(1).toDouble();
            const double juros =
                deposito.isValid() ? jurosRecompra(valor, query.value(2).toDouble(), deposito, hoje)
                                   : query.value(4).toDouble();
            entradas.append({query.value(0).toLongLong(), valor, juros, deposito.isValid()});
        }
    }
    double divida = 0;
    for (const Entrada& e : entradas) {
        if (e.recalculado) {
            runSql(db, QStringLiteral("UPDATE RECOMPRA SET VL_JUROS = ? WHERE id = ?"),
                   {e.juros, e.id});
        }
        divida += e.valor + e.juros;
    }
    return divida;
}

double atualizaRecompra(const QSqlDatabase& db, const QString& cd_cliente, const QDate& hoje) {
    TransactionGuard transaction(db);
    const double divida = atualizaRecompraEmTransacao(db, cd_cliente, hoje);
    transaction.commit();
    return divida;
}

}  // namespace tavrel
