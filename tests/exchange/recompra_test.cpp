#include <gtest/gtest.h>

#include "core/ptbr.h"
#include "exchange/recompra.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class RecompraTest : public test::AppFixture {
protected:
    QDate hoje() const { return clock.today(); }

    void addEntry(const QString& codigo, const QString& cliente, double valor, double taxa,
                  const QVariant& deposito, const QString& status, double juros = 0) {
        exec(QStringLiteral("INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, "
                            "VL_CHEQUE, VL_TAXA, DT_DEPOSITO, DT_TROCA, VL_JUROS, CD_STATUS) "
                            "VALUES (?, ?, '00001', ?, ?, ?, '2026-01-01', ?, ?)"),
             {codigo, cliente, valor, taxa, deposito, juros, status});
    }
    double juros(const QString& codigo) {
        return value(QStringLiteral("SELECT VL_JUROS FROM RECOMPRA WHERE CD_lancamento = ?"),
                     {codigo})
            .toDouble();
    }
};

TEST(JurosRecompra, SimpleInterestPerCalendarDay) {
    const QDate hoje(2026, 12, 8);
    EXPECT_EQ(jurosRecompra(1000, 6, hoje.addDays(-15), hoje), 30.00);
    EXPECT_EQ(jurosRecompra(100, 3, hoje.addDays(-30), hoje), 3.00);
    EXPECT_EQ(jurosRecompra(100, 3, hoje, hoje), 0.0);
    // 1 day at 1.5 % on 30.00 is 0.015, just under in binary: rounds up.
    EXPECT_EQ(jurosRecompra(30, 1.5, hoje.addDays(-1), hoje), 0.02);
    // A deposit date ahead of today gives negative interest.
    EXPECT_EQ(jurosRecompra(1000, 6, hoje.addDays(5), hoje), -10.00);
}

TEST_F(RecompraTest, TwoOpenEntriesOf100At3PerCentThirtyDaysBackOwe206) {
    const QString deposito = storageDate(hoje().addDays(-30));
    addEntry(QStringLiteral("0000000001"), QStringLiteral("00001"), 100, 3, deposito,
             QStringLiteral("A"));
    addEntry(QStringLiteral("0000000002"), QStringLiteral("00001"), 100, 3, deposito,
             QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(atualizaRecompra(connect().db(), QStringLiteral("00001"), hoje()), 206.0);
    EXPECT_EQ(juros(QStringLiteral("0000000001")), 3.0);
    EXPECT_EQ(juros(QStringLiteral("0000000002")), 3.0);
}

TEST_F(RecompraTest, SettledEntriesAndOtherClientsAreLeftAlone) {
    const QString deposito = storageDate(hoje().addDays(-15));
    addEntry(QStringLiteral("0000000001"), QStringLiteral("00001"), 1000, 6, deposito,
             QStringLiteral("B"), 12.34);
    addEntry(QStringLiteral("0000000002"), QStringLiteral("00002"), 1000, 6, deposito,
             QStringLiteral("A"), 1.11);
    addEntry(QStringLiteral("0000000003"), QStringLiteral("00001"), 1000, 6, deposito,
             QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(atualizaRecompra(connect().db(), QStringLiteral("00001"), hoje()), 1030.0);
    EXPECT_EQ(juros(QStringLiteral("0000000001")), 12.34);
    EXPECT_EQ(juros(QStringLiteral("0000000002")), 1.11);
    EXPECT_EQ(juros(QStringLiteral("0000000003")), 30.0);
}

TEST_F(RecompraTest, ClientWithoutOpenEntriesOwesNothing) {
    EXPECT_EQ(atualizaRecompra(connect().db(), QStringLiteral("00009"), hoje()), 0.0);
}

TEST_F(RecompraTest, EntryWithoutDepositDateKeepsItsInterest) {
    addEntry(QStringLiteral("0000000001"), QStringLiteral("00001"), 500, 3, QVariant(),
             QStringLiteral("A"), 7.5);
    EXPECT_DOUBLE_EQ(atualizaRecompra(connect().db(), QStringLiteral("00001"), hoje()), 507.5);
    EXPECT_EQ(juros(QStringLiteral("0000000001")), 7.5);
}

}  // namespace
}  // namespace tavrel
