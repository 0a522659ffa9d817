#include "lifecycle/altera_troca.h"

#include <QSqlQuery>
#include <QVariant>

#include "core/ptbr.h"
#include "data/sql.h"

namespace tavrel {

std::optional<DadosTroca> leDadosTroca(const QSqlDatabase& db, const QString& cd_troca,
                                       bool tacFixa) {
    QSqlQuery query = runSql(db,
                             QStringLiteral("SELECT DT_TROCA, VL_TAXA, CD_CLIENTE, VL_DEBITOS, "
                                            "VL_TAC FROM CHEQUES WHERE CD_TROCA = ? ORDER BY id"),
                             {cd_troca});
    DadosTroca troca;
    troca.cd_troca = cd_troca;
    while (query.next()) {
        if (troca.cheques == 0) {
            troca.dt_troca = fromStorageDate(query.value(0));
            troca.vl_taxa = query.value(1).toDouble();
            troca.cd_cliente = query.value(2).toString();
        }
        ++troca.cheques;
        const double debitos = query.value(3).toDouble();
        if (debitos > 0) {
            troca.debitos = debitos;
        }
        const double tac = query.value(4).toDouble();
        if (tacFixa && tac > 0) {
            troca.tac = tac;
        }
    }
    if (troca.cheques == 0) {
        return std::nullopt;
    }
    return troca;
}

}  // namespace tavrel
