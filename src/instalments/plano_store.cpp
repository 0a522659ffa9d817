#include "instalments/plano_store.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "core/errors.h"
#include "core/ptbr.h"
#include "data/row.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "exchange/cheque_store.h"

namespace tavrel {
namespace {

// The columns a plan's cheque carries; bound by name, in this order.
const QString kInsereCheque = QStringLiteral(
    "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, VL_TAXA, CD_DOCUMENTO, VL_CHEQUE, "
    "CD_BANCO, CD_AGENCIA, CD_CONTA, NR_CHEQUE, VL_ABERTO, DT_TROCA, NR_DIAS, VL_JUROS, "
    "DT_DEPOSITO, VL_CPMF, VL_IOF, VL_TAC, VL_CONSULTA, VL_DEBITOS, CD_STATUS, VL_LIQUIDEZ, "
    "CD_ALINEA, NM_EMITENTE) VALUES (:CD_TROCA, :CD_CLIENTE, :CD_DESTINO, :VL_TAXA, "
    ":CD_DOCUMENTO, :VL_CHEQUE, :CD_BANCO, :CD_AGENCIA, :CD_CONTA, :NR_CHEQUE, :VL_ABERTO, "
    ":DT_TROCA, :NR_DIAS, :VL_JUROS, :DT_DEPOSITO, :VL_CPMF, :VL_IOF, :VL_TAC, :VL_CONSULTA, "
    ":VL_DEBITOS, :CD_STATUS, :VL_LIQUIDEZ, :CD_ALINEA, :NM_EMITENTE)");

const QString kInsereParcela = QStringLiteral(
    "INSERT INTO PARCELAS (DT_VENCIMENTO, VL_PARCELA, VL_FINANCIADO, JUROSOPERACAO, PARCELAS) "
    "VALUES (?, ?, ?, ?, ?)");

// A statement prepared once for many rows.
QSqlQuery preparada(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.prepare(sql)) {
        throw DataError(sql, query.lastError().text());
    }
    return query;
}

void executa(QSqlQuery& query, const QString& sql) {
    if (!query.exec()) {
        const QString mensagem = query.lastError().text();
        query.finish();
        throw DataError(sql, mensagem);
    }
}

// A text column that is never NULL: an empty text is stored as ''.
QVariant texto(const QString& valor) {
    return valor.isNull() ? QVariant(QLatin1String("")) : QVariant(valor);
}

qint64 insereCheque(QSqlQuery& query, const QString& cd_troca, const ChequeDoPlano& c) {
    query.bindValue(QStringLiteral(":CD_TROCA"), cd_troca);
    query.bindValue(QStringLiteral(":CD_CLIENTE"), c.cd_cliente);
    query.bindValue(QStringLiteral(":CD_DESTINO"), c.cd_destino);
    query.bindValue(QStringLiteral(":VL_TAXA"), c.vl_taxa);
    query.bindValue(QStringLiteral(":CD_DOCUMENTO"), c.cd_documento);
    query.bindValue(QStringLiteral(":VL_CHEQUE"), c.vl_cheque);
    query.bindValue(QStringLiteral(":CD_BANCO"), c.cd_banco);
    query.bindValue(QStringLiteral(":CD_AGENCIA"), c.cd_agencia);
    query.bindValue(QStringLiteral(":CD_CONTA"), texto(c.cd_conta));
    query.bindValue(QStringLiteral(":NR_CHEQUE"), c.nr_cheque);
    query.bindValue(QStringLiteral(":VL_ABERTO"), c.vl_aberto);
    query.bindValue(QStringLiteral(":DT_TROCA"), storageDate(c.dt_troca));
    query.bindValue(QStringLiteral(":NR_DIAS"), c.nr_dias);
    query.bindValue(QStringLiteral(":VL_JUROS"), c.vl_juros);
    query.bindValue(QStringLiteral(":DT_DEPOSITO"), storageDate(c.dt_deposito));
    query.bindValue(QStringLiteral(":VL_CPMF"), c.vl_cpmf);
    query.bindValue(QStringLiteral(":VL_IOF"), c.vl_iof);
    query.bindValue(QStringLiteral(":VL_TAC"), c.vl_tac);
    query.bindValue(QStringLiteral(":VL_CONSULTA"), c.vl_consulta);
    query.bindValue(QStringLiteral(":VL_DEBITOS"), c.vl_debitos);
    query.bindValue(QStringLiteral(":CD_STATUS"), c.cd_status);
    query.bindValue(QStringLiteral(":VL_LIQUIDEZ"), c.vl_liquidez);
    query.bindValue(QStringLiteral(":CD_ALINEA"), c.cd_alinea);
    query.bindValue(QStringLiteral(":NM_EMITENTE"), texto(c.nm_emitente));
    executa(query, kInsereCheque);
    const qint64 id = query.lastInsertId().toLongLong();
    query.finish();
    return id;
}

}  // namespace

void gravaParcelas(const QSqlDatabase& db, const QList<LinhaParcela>& linhas) {
    TransactionGuard transacao(db);
    runSql(db, QStringLiteral("DELETE FROM PARCELAS"));
    QSqlQuery insere = preparada(db, kInsereParcela);
    for (const LinhaParcela& linha : linhas) {
        insere.bindValue(0, storageDate(linha.dt_vencimento));
        insere.bindValue(1, linha.vl_parcela);
        insere.bindValue(2, linha.vl_financiado);
        insere.bindValue(3, linha.jurosoperacao);
        insere.bindValue(4, linha.parcelas);
        executa(insere, kInsereParcela);
        insere.finish();
    }
    transacao.commit();
}

TrocaDoPlano gravaTrocaDoPlano(ChequeStore& store, const QList<ChequeDoPlano>& cheques) {
    TransactionGuard transacao(store.db(), TransactionGuard::Lock::Immediate);
    TrocaDoPlano troca;
    troca.cd_troca = store.proximaTroca().cd_troca;
    QSqlQuery insere = preparada(store.db(), kInsereCheque);
    troca.ids.reserve(cheques.size());
    for (const ChequeDoPlano& cheque : cheques) {
        troca.ids.append(insereCheque(insere, troca.cd_troca, cheque));
    }
    transacao.commit();
    return troca;
}

std::optional<QString> finalizaTrocaDoPlano(const QSqlDatabase& db, const TrocaDoPlano& troca,
                                            const QString& cd_cliente) {
    TransactionGuard transacao(db, TransactionGuard::Lock::Immediate);
    const std::optional<Row> cliente = fetchRow(
        db, QStringLiteral("SELECT CD_CLIENTE, NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = ?"),
        {cd_cliente});
    if (!cliente) {
        return std::nullopt;
    }
    const QString nome = cliente->text(QStringLiteral("NM_CLIENTE"));
    const QString sql = QStringLiteral(
        "UPDATE CHEQUES SET CD_CLIENTE = ?, CD_DESTINO = ?, NM_EMITENTE = ? "
        "WHERE id = ? AND CD_TROCA = ?");
    for (const qint64 id : troca.ids) {
        if (runSql(db, sql, {cd_cliente, cd_cliente, texto(nome), id, troca.cd_troca})
                .numRowsAffected() != 1) {
            throw AppError(error_number::kDatabase,
                           QStringLiteral("Os cheques da troca %1 foram alterados por outra "
                                          "tela; nada foi gravado.")
                               .arg(troca.cd_troca),
                           QStringLiteral("CHEQUES"));
        }
    }
    transacao.commit();
    return nome;
}

int cancelaTrocaDoPlano(const QSqlDatabase& db, const TrocaDoPlano& troca) {
    TransactionGuard transacao(db, TransactionGuard::Lock::Immediate);
    int removidos = 0;
    for (const qint64 id : troca.ids) {
        removidos += runSql(db, QStringLiteral("DELETE FROM CHEQUES WHERE id = ? AND CD_TROCA = ?"),
                            {id, troca.cd_troca})
                         .numRowsAffected();
    }
    transacao.commit();
    return removidos;
}

}  // namespace tavrel
