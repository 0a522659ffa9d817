#include "lifecycle/devolucao.h"

#include <QSqlQuery>
#include <QVariant>

#include "core/ptbr.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "lifecycle/recompra.h"

namespace tavrel {

std::optional<ChequeDevolvivel> leChequeDevolvivel(const QSqlDatabase& db, qlonglong id) {
    QSqlQuery query = runSql(db,
                             QStringLiteral("SELECT CD_DOCUMENTO, VL_CHEQUE, CD_STATUS, CD_ALINEA "
                                            "FROM CHEQUES WHERE id = ?"),
                             {id});
    if (!query.next()) {
        return std::nullopt;
    }
    return ChequeDevolvivel{id, query.value(0).toString(), query.value(1).toDouble(),
                            query.value(2).toString(), query.value(3).toString()};
}

DevolucaoFeita devolveCheque(const QSqlDatabase& db, const Devolucao& devolucao) {
    DevolucaoFeita feita;
    TransactionGuard transaction(db);
    QSqlQuery cheque =
        runSql(db,
               QStringLiteral("SELECT CD_DOCUMENTO, CD_CLIENTE, CD_TROCA, VL_CHEQUE, "
                              "VL_TAXA, DT_DEPOSITO, DT_TROCA, CD_STATUS "
                              "FROM CHEQUES WHERE id = ?"),
               {devolucao.chequeId});
    if (!cheque.next()) {
        return feita;
    }
    if (cheque.value(7).toString() == QStringLiteral("C")) {
        feita.resultado = ResultadoDevolucao::JaDevolvido;
        return feita;
    }
    const QString documento = cheque.value(0).toString();
    if (devolucao.negativar) {
        const bool listado =
            scalarSql(db, QStringLiteral("SELECT 1 FROM LISTANEGRA WHERE CD_DOCUMENTO = ? LIMIT 1"),
                      {documento})
                .isValid();
        if (!listado) {
            runSql(db,
                   QStringLiteral("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) VALUES (?, ?)"),
                   {documento, QStringLiteral("CHEQUE DEVOLVIDO")});
            feita.negativou = true;
        }
        if (devolucao.lancarRecompra) {
            NovaRecompra entrada;
            entrada.cd_cliente = cheque.value(1).toString();
            entrada.cd_troca = cheque.value(2).toString();
            entrada.vl_cheque = cheque.value(3).toDouble();
            entrada.vl_taxa = cheque.value(4).toDouble();
            entrada.dt_deposito = fromStorageDate(cheque.value(5));
            entrada.dt_troca = fromStorageDate(cheque.value(6));
            feita.lancamento = incluiRecompra(db, entrada);
        }
    }
    runSql(db, QStringLiteral("UPDATE CHEQUES SET CD_ALINEA = ?, CD_STATUS = 'C' WHERE id = ?"),
           {devolucao.alinea, devolucao.chequeId});
    transaction.commit();
    feita.resultado = ResultadoDevolucao::Devolvido;
    return feita;
}

}  // namespace tavrel
