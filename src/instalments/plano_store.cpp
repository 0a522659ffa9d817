#include "instalments/plano_store.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include "core/errors.h"
#include "core/ptbr.h"
#include "data/row.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "exchange/cheque_store.h"

namespace tavrel {
namespace {

// The columns a plan's cheque carries, in the order of valoresDoCheque.
const char* const kColunasCheque[] = {
    "CD_TROCA",    "CD_CLIENTE", "CD_DESTINO",  "VL_TAXA",     "CD_DOCUMENTO", "VL_CHEQUE",
    "CD_BANCO",    "CD_AGENCIA", "CD_CONTA",    "NR_CHEQUE",   "VL_ABERTO",    "DT_TROCA",
    "NR_DIAS",     "VL_JUROS",   "DT_DEPOSITO", "VL_CPMF",     "VL_IOF",       "VL_TAC",
    "VL_CONSULTA", "VL_DEBITOS", "CD_STATUS",   "VL_LIQUIDEZ", "CD_ALINEA",    "NM_EMITENTE"};

// A text column that is never NULL: an empty text is stored as ''.
QVariant texto(const QString& valor) {
    return valor.isNull() ? QVariant(QLatin1String("")) : QVariant(valor);
}

QVariantList valoresDoCheque(const QString& cd_troca, const ChequeDoPlano& c) {
    return {cd_troca,      c.cd_cliente,   c.cd_destino,
            c.vl_taxa,     c.cd_documento, c.vl_cheque,
            c.cd_banco,    c.cd_agencia,   texto(c.cd_conta),
            c.nr_cheque,   c.vl_aberto,    storageDate(c.dt_troca),
            c.nr_dias,     c.vl_juros,     storageDate(c.dt_deposito),
            c.vl_cpmf,     c.vl_iof,       c.vl_tac,
            c.vl_consulta, c.vl_debitos,   c.cd_status,
            c.vl_liquidez, c.cd_alinea,    texto(c.nm_emitente)};
}

// The placeholders of the insert, ":CD_TROCA" and so on: the values are bound by name.
QStringList marcadoresCheque() {
    QStringList marcadores;
    for (const char* coluna : kColunasCheque) {
        marcadores << QLatin1Char(':') + QLatin1String(coluna);
    }
    return marcadores;
}

const QStringList kMarcadoresCheque = marcadoresCheque();

QString insereChequeSql() {
    QStringList colunas;
    for (const char* coluna : kColunasCheque) {
        colunas << QLatin1String(coluna);
    }
    return QStringLiteral("INSERT INTO CHEQUES (%1) VALUES (%2)")
        .arg(colunas.join(QStringLiteral(", ")), kMarcadoresCheque.join(QStringLiteral(", ")));
}

const QString kInsereCheque = insereChequeSql();

const QString kInsereParcela = QStringLiteral(
    "INSERT INTO PARCELAS (DT_VENCIMENTO, VL_PARCELA, VL_FINANCIADO, JUROSOPERACAO, PARCELAS) "
    "VALUES (:DT_VENCIMENTO, :VL_PARCELA, :VL_FINANCIADO, :JUROSOPERACAO, :PARCELAS)");

qint64 insereCheque(QSqlQuery& query, const QString& cd_troca, const ChequeDoPlano& c) {
    const QVariantList valores = valoresDoCheque(cd_troca, c);
    for (qsizetype i = 0; i < valores.size(); ++i) {
        query.bindValue(kMarcadoresCheque[i], valores[i]);
    }
    execPrepared(query, kInsereCheque);
    const qint64 id = query.lastInsertId().toLongLong();
    query.finish();
    return id;
}

}  // namespace

void gravaParcelas(const QSqlDatabase& db, const QList<LinhaParcela>& linhas) {
    TransactionGuard transacao(db);
    runSql(db, QStringLiteral("DELETE FROM PARCELAS"));
    QSqlQuery insere = prepareSql(db, kInsereParcela);
    for (const LinhaParcela& linha : linhas) {
        insere.bindValue(QStringLiteral(":DT_VENCIMENTO"), storageDate(linha.dt_vencimento));
        insere.bindValue(QStringLiteral(":VL_PARCELA"), linha.vl_parcela);
        insere.bindValue(QStringLiteral(":VL_FINANCIADO"), linha.vl_financiado);
        insere.bindValue(QStringLiteral(":JUROSOPERACAO"), linha.jurosoperacao);
        insere.bindValue(QStringLiteral(":PARCELAS"), linha.parcelas);
        execPrepared(insere, kInsereParcela);
        insere.finish();
    }
    transacao.commit();
}

TrocaDoPlano gravaTrocaDoPlano(ChequeStore& store, const QList<ChequeDoPlano>& cheques) {
    TransactionGuard transacao(store.db(), TransactionGuard::Lock::Immediate);
    TrocaDoPlano troca;
    troca.cd_troca = store.proximaTroca().cd_troca;
    QSqlQuery insere = prepareSql(store.db(), kInsereCheque);
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
