#include "ledger/lancamento_store.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

#include "core/errors.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {
namespace {

const QString kSaldoSql = QStringLiteral("UPDATE LANCAMENTOS SET VL_SALDO = :saldo WHERE id = :id");

AppError semHistorico(const QString& cd_historico) {
    return AppError(error_number::kDatabase,
                    QStringLiteral("O histórico %1 não está mais cadastrado.").arg(cd_historico),
                    QStringLiteral("HISTORICOS"));
}

}  // namespace

LancamentoStore::LancamentoStore(const QSqlDatabase& db) : db_(db) {}

std::optional<QString> LancamentoStore::tipoHistorico(const QString& cd_historico) const {
    QSqlQuery query =
        runSql(db_, QStringLiteral("SELECT CD_TIPO FROM HISTORICOS WHERE CD_HISTORICO = ?"),
               {cd_historico});
    if (!query.next()) {
        return std::nullopt;
    }
    return query.value(0).toString();
}

bool LancamentoStore::contaExiste(const QString& cd_conta) const {
    return scalarSql(db_, QStringLiteral("SELECT 1 FROM CONTAS WHERE CD_CONTA = ?"), {cd_conta})
        .isValid();
}

QString LancamentoStore::statusDe(const Lancamento& lancamento) const {
    const std::optional<QString> tipo = tipoHistorico(lancamento.cd_historico);
    if (!tipo) {
        throw semHistorico(lancamento.cd_historico);
    }
    return *tipo;
}

QString LancamentoStore::inclui(const Lancamento& l) {
    TransactionGuard transaction(db_);
    const QString status = statusDe(l);
    const QString codigo = nextCode(db_, QStringLiteral("LANCAMENTOS"),
                                    QStringLiteral("CD_lancamento"), code_width::kLancamento);
    runSql(db_,
           QStringLiteral("INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, CD_HISTORICO, "
                          "DS_complemento, VL_LANCAMENTO, DT_LANCAMENTO, CD_STATUS) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?)"),
           {codigo, l.cd_conta, l.cd_historico, l.ds_complemento, l.vl_lancamento,
            storageDate(l.dt_lancamento), status});
    gravaSaldos(l.cd_conta);
    transaction.commit();
    return codigo;
}

void LancamentoStore::altera(qint64 id, const Lancamento& l) {
    TransactionGuard transaction(db_);
    const QVariant contaAnterior =
        scalarSql(db_, QStringLiteral("SELECT CD_CONTA FROM LANCAMENTOS WHERE id = ?"), {id});
    if (!contaAnterior.isValid()) {
        throw AppError(error_number::kDatabase, QStringLiteral("O lançamento não existe mais."),
                       QStringLiteral("LANCAMENTOS"));
    }
    const QString status = statusDe(l);
    runSql(db_,
           QStringLiteral("UPDATE LANCAMENTOS SET CD_CONTA = ?, CD_HISTORICO = ?, "
                          "DS_complemento = ?, VL_LANCAMENTO = ?, DT_LANCAMENTO = ?, "
                          "CD_STATUS = ? WHERE id = ?"),
           {l.cd_conta, l.cd_historico, l.ds_complemento, l.vl_lancamento,
            storageDate(l.dt_lancamento), status, id});
    gravaSaldos(l.cd_conta);
    if (contaAnterior.toString() != l.cd_conta) {
        gravaSaldos(contaAnterior.toString());  // the account it left
    }
    transaction.commit();
}

void LancamentoStore::exclui(qint64 id) {
    TransactionGuard transaction(db_);
    const QVariant conta =
        scalarSql(db_, QStringLiteral("SELECT CD_CONTA FROM LANCAMENTOS WHERE id = ?"), {id});
    if (!conta.isValid()) {
        return;
    }
    runSql(db_, QStringLiteral("DELETE FROM LANCAMENTOS WHERE id = ?"), {id});
    gravaSaldos(conta.toString());
    transaction.commit();
}

int LancamentoStore::rebalanceia(const QString& cd_conta) {
    TransactionGuard transaction(db_);
    const int alterados = gravaSaldos(cd_conta);
    transaction.commit();
    return alterados;
}

int LancamentoStore::gravaSaldos(const QString& cd_conta) {
    std::vector<qint64> ids;
    std::vector<Movimento> movimentos;
    std::vector<QVariant> gravados;
    {
        // Read whole before writing: no statement stays open while the rows change.
        QSqlQuery query = runSql(db_,
                                 QStringLiteral("SELECT id, VL_LANCAMENTO, CD_STATUS, VL_SALDO "
                                                "FROM LANCAMENTOS WHERE CD_CONTA = ? "
                                                "ORDER BY DT_LANCAMENTO, CD_lancamento"),
                                 {cd_conta});
        while (query.next()) {
            ids.push_back(query.value(0).toLongLong());
            movimentos.push_back({query.value(1).toDouble(), query.value(2).toString()});
            gravados.push_back(query.value(3));
        }
    }
    const std::vector<double> saldos = RecalculaSaldos(movimentos);

    QSqlQuery update(db_);
    int alterados = 0;
    for (size_t i = 0; i < saldos.size(); ++i) {
        const QVariant& gravado = gravados[i];
        if (!gravado.isNull() && gravado.toDouble() == saldos[i]) {
            continue;
        }
        if (alterados == 0 && !update.prepare(kSaldoSql)) {
            throw DataError(kSaldoSql, update.lastError().text());
        }
        update.bindValue(QStringLiteral(":saldo"), saldos[i]);
        update.bindValue(QStringLiteral(":id"), ids[i]);
        if (!update.exec()) {
            throw DataError(kSaldoSql, update.lastError().text());
        }
        ++alterados;
    }
    return alterados;
}

Posicao LancamentoStore::posicao(const QString& cd_conta) const {
    std::vector<Movimento> movimentos;
    QSqlQuery query = runSql(db_,
                             QStringLiteral("SELECT VL_LANCAMENTO, CD_STATUS FROM LANCAMENTOS "
                                            "WHERE CD_CONTA = ? ORDER BY CD_lancamento"),
                             {cd_conta});
    while (query.next()) {
        movimentos.push_back({query.value(0).toDouble(), query.value(1).toString()});
    }
    return AtualizaPosicao(movimentos);
}

}  // namespace tavrel
