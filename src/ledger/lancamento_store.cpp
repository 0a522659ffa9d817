#include "ledger/lancamento_store.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

#include "core/errors.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/row.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {
namespace {

const QString kSaldoSql = QStringLiteral("UPDATE LANCAMENTOS SET VL_SALDO = :saldo WHERE id = :id");

// The account's entries in (date, code) order, as the running balance walks them. The sense is
// read as a number: no text per row.
const QString kCaminhoSql = QStringLiteral(
                                "SELECT id, VL_LANCAMENTO, %1, VL_SALDO FROM LANCAMENTOS "
                                "WHERE CD_CONTA = ? ORDER BY DT_LANCAMENTO, CD_lancamento")
                                .arg(QLatin1String(kSentidoSql));
// The same order for the totals, read from the (account, date, code, status, amount) index
// alone.
const QString kPosicaoSql = QStringLiteral(
                                "SELECT VL_LANCAMENTO, %1 FROM LANCAMENTOS WHERE CD_CONTA = ? "
                                "ORDER BY DT_LANCAMENTO, CD_lancamento")
                                .arg(QLatin1String(kSentidoSql));

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

ContaGravada LancamentoStore::inclui(const Lancamento& l) {
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
    ContaGravada gravada = gravaSaldos(l.cd_conta);
    transaction.commit();
    gravada.codigo = codigo;
    return gravada;
}

ContaGravada LancamentoStore::altera(qint64 id, const Lancamento& l) {
    TransactionGuard transaction(db_);
    const std::optional<Row> anterior = fetchRow(
        db_, QStringLiteral("SELECT CD_CONTA, CD_lancamento FROM LANCAMENTOS WHERE id = ?"), {id});
    if (!anterior) {
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
    ContaGravada gravada = gravaSaldos(l.cd_conta);
    const QString contaAnterior = anterior->text(QStringLiteral("CD_CONTA"));
    if (contaAnterior != l.cd_conta) {
        gravaSaldos(contaAnterior);  // the account it left
    }
    transaction.commit();
    gravada.codigo = anterior->text(QStringLiteral("CD_lancamento"));
    return gravada;
}

std::optional<ContaGravada> LancamentoStore::exclui(qint64 id) {
    TransactionGuard transaction(db_);
    const std::optional<Row> entrada = fetchRow(
        db_, QStringLiteral("SELECT CD_CONTA, CD_lancamento FROM LANCAMENTOS WHERE id = ?"), {id});
    if (!entrada) {
        return std::nullopt;
    }
    runSql(db_, QStringLiteral("DELETE FROM LANCAMENTOS WHERE id = ?"), {id});
    ContaGravada gravada = gravaSaldos(entrada->text(QStringLiteral("CD_CONTA")));
    transaction.commit();
    gravada.codigo = entrada->text(QStringLiteral("CD_lancamento"));
    return gravada;
}

ContaGravada LancamentoStore::rebalanceia(const QString& cd_conta) {
    TransactionGuard transaction(db_);
    const ContaGravada gravada = gravaSaldos(cd_conta);
    transaction.commit();
    return gravada;
}

ContaGravada LancamentoStore::gravaSaldos(const QString& cd_conta) {
    std::vector<qint64> ids;
    std::vector<Movimento> movimentos;
    std::vector<QVariant> gravados;
    {
        // Read whole before writing: no statement stays open while the rows change.
        QSqlQuery query = runSql(db_, kCaminhoSql, {cd_conta});
        while (query.next()) {
            ids.push_back(query.value(0).toLongLong());
            movimentos.push_back(
                {query.value(1).toDouble(), sentidoDoNumero(query.value(2).toInt())});
            gravados.push_back(query.value(3));
        }
    }
    const std::vector<double> saldos = RecalculaSaldos(movimentos);

    ContaGravada gravada;
    gravada.posicao = AtualizaPosicao(movimentos);
    QSqlQuery update(db_);
    int& alterados = gravada.saldosGravados;
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
    return gravada;
}

Posicao LancamentoStore::posicao(const QString& cd_conta) const {
    std::vector<Movimento> movimentos;
    QSqlQuery query = runSql(db_, kPosicaoSql, {cd_conta});
    while (query.next()) {
        movimentos.push_back({query.value(0).toDouble(), sentidoDoNumero(query.value(1).toInt())});
    }
    return AtualizaPosicao(movimentos);
}

}  // namespace tavrel
