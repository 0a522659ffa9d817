#include <gtest/gtest.h>

#include "core/errors.h"
#include "data/sql.h"
#include "ledger/lancamento_store.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

// The store on a fresh cash database with two accounts and a credit and a debit description;
// a trigger counts every balance the store writes.
class LancamentoStoreTest : public test::AppFixture {
protected:
    LancamentoStoreTest() : caixa(connect(DatabaseKind::Caixa)), store(caixa.db()) {
        for (const char* sql :
             {"INSERT INTO CONTAS (CD_CONTA, DS_CONTA) VALUES ('001', 'CAIXA'), ('002', 'BANCO')",
              "INSERT INTO HISTORICOS (CD_HISTORICO, DS_HISTORICO, CD_TIPO) VALUES "
              "('00001', 'ENTRADA', 'C'), ('00002', 'SAIDA', 'D'), ('00003', 'SEM TIPO', NULL)",
              "CREATE TABLE gravados (n INTEGER)", "INSERT INTO gravados VALUES (0)",
              "CREATE TRIGGER conta_gravados AFTER UPDATE OF VL_SALDO ON LANCAMENTOS BEGIN "
              "UPDATE gravados SET n = n + 1; END"}) {
            runSql(caixa.db(), QString::fromLatin1(sql));
        }
    }
    QString inclui(const char* conta, const char* historico, double valor, QDate data) {
        return store
            .inclui({QString::fromLatin1(conta), QString::fromLatin1(historico), {}, valor, data})
            .codigo;
    }
    int gravados() {
        const int n = scalarSql(caixa.db(), "SELECT n FROM gravados").toInt();
        runSql(caixa.db(), "UPDATE gravados SET n = 0");
        return n;
    }
    QList<double> saldos(const char* conta) {
        QList<double> result;
        QSqlQuery q = runSql(caixa.db(),
                             "SELECT VL_SALDO FROM LANCAMENTOS WHERE CD_CONTA = ? "
                             "ORDER BY DT_LANCAMENTO, CD_lancamento",
                             {QString::fromLatin1(conta)});
        while (q.next())
            result << q.value(0).toDouble();
        return result;
    }
    qint64 idDe(const QString& codigo) {
        return scalarSql(caixa.db(), "SELECT id FROM LANCAMENTOS WHERE CD_lancamento = ?", {codigo})
            .toLongLong();
    }

    Connection caixa;
    LancamentoStore store;
};

TEST_F(LancamentoStoreTest, WritesOnlyTheBalancesThatChange) {
    const QDate dia(2026, 12, 1);
    inclui("001", "00001", 100, dia);
    inclui("001", "00002", 30, dia.addDays(1));
    inclui("001", "00001", 5, dia.addDays(2));
    gravados();
    // Dated after every other entry: only its own balance is written.
    inclui("001", "00002", 1, dia.addDays(3));
    EXPECT_EQ(gravados(), 1);
    // Dated before all of them: every balance moves.
    inclui("001", "00001", 10, dia.addDays(-1));
    EXPECT_EQ(gravados(), 5);
    EXPECT_EQ(saldos("001"), (QList<double>{10, 110, 80, 85, 84}));
    EXPECT_EQ(store.rebalanceia("001").saldosGravados, 0)
        << "nothing to do when every balance is right";

    runSql(caixa.db(), "UPDATE LANCAMENTOS SET VL_SALDO = NULL WHERE CD_lancamento = '0000000002'");
    runSql(caixa.db(), "UPDATE LANCAMENTOS SET VL_SALDO = 0 WHERE CD_lancamento = '0000000004'");
    const ContaGravada gravada = store.rebalanceia("001");
    EXPECT_EQ(gravada.saldosGravados, 2);
    EXPECT_EQ(gravada.posicao.creditos, 10.0 + 100 + 5);
    EXPECT_EQ(gravada.posicao.debitos, 30.0 + 1);
    EXPECT_EQ(saldos("001"), (QList<double>{10, 110, 80, 85, 84}));
}

TEST_F(LancamentoStoreTest, StatusIsCopiedFromTheDescriptionAndAnUntypedOneCountsInNeither) {
    const QDate dia(2026, 12, 1);
    inclui("001", "00001", 100, dia);
    const QString codigo = inclui("001", "00003", 40, dia.addDays(1));
    EXPECT_EQ(codigo, "0000000002");
    EXPECT_EQ(
        scalarSql(caixa.db(), "SELECT CD_STATUS FROM LANCAMENTOS WHERE CD_lancamento = ?", {codigo})
            .toString(),
        "");
    EXPECT_EQ(saldos("001"), (QList<double>{100, 100}));
    const Posicao p = store.posicao("001");
    EXPECT_EQ(p.creditos, 100.0);
    EXPECT_EQ(p.debitos, 0.0);
    EXPECT_EQ(p.saldo, 100.0);

    // A later change of the description's type does not touch the saved entry; a change of
    // the entry copies the type again.
    runSql(caixa.db(), "UPDATE HISTORICOS SET CD_TIPO = 'D' WHERE CD_HISTORICO = '00003'");
    EXPECT_EQ(store.posicao("001").debitos, 0.0);
    store.altera(idDe(codigo), {"001", "00003", "nota", 40, dia.addDays(1)});
    EXPECT_EQ(saldos("001"), (QList<double>{100, 60}));
    EXPECT_EQ(store.posicao("001").debitos, 40.0);
}

TEST_F(LancamentoStoreTest, TheSqlReadingOfTheStatusFollowsTheSameRule) {
    const QVariantList statuses = {"C", "D", "c", "d", "", " C", "C ", "X", QVariant()};
    for (const QVariant& status : statuses) {
        const int lido = scalarSql(caixa.db(),
                                   QStringLiteral("SELECT %1 FROM (SELECT ? AS CD_STATUS)")
                                       .arg(QLatin1String(kSentidoSql)),
                                   {status})
                             .toInt();
        EXPECT_EQ(sentidoDoNumero(lido), sentidoDoStatus(status.toString()))
            << "status '" << status.toString().toStdString() << "'";
    }
}

TEST_F(LancamentoStoreTest, AnEntryMovedToAnotherAccountRebalancesBoth) {
    const QDate dia(2026, 12, 1);
    inclui("001", "00001", 100, dia);
    const QString movido = inclui("001", "00001", 50, dia.addDays(1));
    inclui("001", "00002", 20, dia.addDays(2));
    inclui("002", "00001", 7, dia);
    store.altera(idDe(movido), {"002", "00001", {}, 50, dia.addDays(1)});
    EXPECT_EQ(saldos("001"), (QList<double>{100, 80}));
    EXPECT_EQ(saldos("002"), (QList<double>{7, 57}));
}

TEST_F(LancamentoStoreTest, FailuresThrowAndWriteNothing) {
    const QDate dia(2026, 12, 1);
    inclui("001", "00001", 100, dia);
    EXPECT_THROW(inclui("001", "09999", 5, dia), AppError) << "a description that is gone";
    EXPECT_THROW(store.altera(999, {"001", "00001", {}, 5, dia}), AppError);
    EXPECT_FALSE(store.exclui(999).has_value()) << "gone already: nothing happens";
    EXPECT_EQ(scalarSql(caixa.db(), "SELECT COUNT(*) FROM LANCAMENTOS").toInt(), 1);
    EXPECT_EQ(saldos("001"), QList<double>{100});

    // Codes go on from the highest one, whatever account it is in.
    runSql(caixa.db(), "UPDATE LANCAMENTOS SET CD_lancamento = '0000000099'");
    EXPECT_EQ(inclui("002", "00002", 1, dia), "0000000100");
}

}  // namespace
}  // namespace tavrel
