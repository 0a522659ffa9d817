#include <gtest/gtest.h>
#include <QAbstractItemModelTester>

#include "data/sql.h"
#include "data/transaction.h"
#include "ledger/lancamentos_model.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class LancamentosModelTest : public test::AppFixture {
protected:
    LancamentosModelTest() : caixa(connect(DatabaseKind::Caixa)) {
        runSql(caixa.db(),
               "INSERT INTO HISTORICOS (CD_HISTORICO, DS_HISTORICO, CD_TIPO) "
               "VALUES ('00001', 'ENTRADA', 'C')");
    }
    // `n` entries of account 001, typed in reverse date order, plus one of account 002.
    void lanca(int n) {
        TransactionGuard transaction(caixa.db());
        for (int i = 0; i < n; ++i) {
            runSql(caixa.db(),
                   "INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, CD_HISTORICO, "
                   "DS_complemento, VL_LANCAMENTO, DT_LANCAMENTO, CD_STATUS, VL_SALDO) "
                   "VALUES (?, '001', ?, ?, ?, ?, 'C', ?)",
                   {QString::number(i + 1).rightJustified(10, '0'),
                    i == 1 ? QStringLiteral("00009") : QStringLiteral("00001"),
                    QStringLiteral("nota %1").arg(i), 1.5,
                    QDate(2026, 1, 1).addDays(n - i).toString(Qt::ISODate), i * 1.0});
        }
        runSql(caixa.db(),
               "INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, VL_LANCAMENTO, DT_LANCAMENTO) "
               "VALUES ('9999999999', '002', 1, '2026-01-01')");
        transaction.commit();
    }
    Connection caixa;
};

TEST_F(LancamentosModelTest, ShowsOneAccountInDateOrderAPageAtATime) {
    const int n =
        LancamentosModel::kLinhasPorPagina * (LancamentosModel::kPaginasGuardadas + 5) + 7;
    lanca(n);
    LancamentosModel model;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(model.rowCount(), 0);
    model.mostraConta(caixa.db(), "001");
    ASSERT_EQ(model.rowCount(), n);
    EXPECT_EQ(model.columnCount(), 7);

    // The last entry typed has the earliest date and comes first.
    auto celula = [&](int row, int column) { return model.index(row, column).data().toString(); };
    EXPECT_EQ(celula(0, LancamentosModel::Lancamento), QString::number(n).rightJustified(10, '0'));
    EXPECT_EQ(celula(0, LancamentosModel::Data), "02/01/2026");
    EXPECT_EQ(celula(0, LancamentosModel::Valor), "1,50");
    EXPECT_EQ(celula(0, LancamentosModel::Historico), "ENTRADA");
    EXPECT_EQ(celula(0, LancamentosModel::Status), "C");
    const int semHistorico = n - 2;  // the second entry typed names a description that is gone
    EXPECT_EQ(celula(semHistorico, LancamentosModel::Lancamento), "0000000002");
    EXPECT_EQ(celula(semHistorico, LancamentosModel::Historico), "");
    EXPECT_EQ(celula(semHistorico, LancamentosModel::PlanoContas), "nota 1");
    EXPECT_EQ(celula(semHistorico, LancamentosModel::Saldo), "1,00");

    // Every line, in order, and never more than the kept pages in memory.
    for (int row = 0; row < n; ++row) {
        ASSERT_EQ(celula(row, LancamentosModel::Lancamento),
                  QString::number(n - row).rightJustified(10, '0'));
        ASSERT_LE(model.paginasGuardadas(), LancamentosModel::kPaginasGuardadas);
    }
    EXPECT_NE(model.idDaLinha(n - 1), 0);
    EXPECT_EQ(model.idDaLinha(n), 0);
    EXPECT_EQ(celula(0, LancamentosModel::Lancamento), QString::number(n).rightJustified(10, '0'))
        << "a forgotten page is read again";

    // A change from elsewhere shows after the model is read again.
    runSql(caixa.db(), "DELETE FROM LANCAMENTOS WHERE CD_lancamento = ?",
           {QString::number(n).rightJustified(10, '0')});
    model.recarrega();
    EXPECT_EQ(model.rowCount(), n - 1);
    model.mostraConta(caixa.db(), "002");
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(celula(0, LancamentosModel::Saldo), "") << "no balance stored yet";
}

}  // namespace
}  // namespace tavrel
