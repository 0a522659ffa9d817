#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/ptbr.h"
#include "lifecycle/recompra.h"
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

TEST_F(RecompraTest, EveryOpenEntryOfEveryClientIsBroughtUpToDateWritingOnlyWhatChanged) {
    const QString deposito = storageDate(hoje().addDays(-15));
    addEntry(QStringLiteral("0000000001"), QStringLiteral("00001"), 1000, 6, deposito,
             QStringLiteral("A"));
    addEntry(QStringLiteral("0000000002"), QStringLiteral("00002"), 1000, 6, deposito,
             QStringLiteral("A"), 30.0);
    addEntry(QStringLiteral("0000000003"), QStringLiteral("00002"), 1000, 6, deposito,
             QStringLiteral("B"), 12.34);
    EXPECT_EQ(atualizaRecompras(connect().db(), hoje()), 1) << "the second already held 30.00";
    EXPECT_EQ(juros(QStringLiteral("0000000001")), 30.0);
    EXPECT_EQ(juros(QStringLiteral("0000000002")), 30.0);
    EXPECT_EQ(juros(QStringLiteral("0000000003")), 12.34) << "a settled entry keeps its interest";
}

TEST_F(RecompraTest, EntriesAreNumberedFromOneWithTenDigits) {
    const auto db = connect();
    NovaRecompra entrada{QStringLiteral("00001"), QStringLiteral("00000"), 250, 2,
                         QDate(2026, 11, 1),      QDate(2026, 10, 1)};
    EXPECT_EQ(incluiRecompra(db.db(), entrada), QStringLiteral("0000000001"));
    exec(QStringLiteral("UPDATE RECOMPRA SET CD_lancamento = '0000000009'"));
    EXPECT_EQ(incluiRecompra(db.db(), entrada), QStringLiteral("0000000010"));
    EXPECT_EQ(rows(QStringLiteral("SELECT CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, DT_DEPOSITO, "
                                  "DT_TROCA, VL_JUROS IS NULL, CD_STATUS FROM RECOMPRA "
                                  "WHERE CD_lancamento = '0000000010'")),
              (QList<QVariantList>{{QStringLiteral("00001"), QStringLiteral("00000"), 250.0, 2.0,
                                    QStringLiteral("2026-11-01"), QStringLiteral("2026-10-01"), 1,
                                    QStringLiteral("A")}}))
        << "the interest is left for the next update";
}

TEST_F(RecompraTest, SettlingOneEntryBringsItsInterestUpToDateFirst) {
    addEntry(QStringLiteral("0000000001"), QStringLiteral("00001"), 1000, 6,
             QStringLiteral("2026-11-23"), QStringLiteral("A"), 1.0);
    const qlonglong id = value(QStringLiteral("SELECT id FROM RECOMPRA")).toLongLong();
    EXPECT_TRUE(baixaRecompra(connect().db(), id, hoje()));
    EXPECT_EQ(rows(QStringLiteral("SELECT VL_JUROS, CD_STATUS FROM RECOMPRA")),
              (QList<QVariantList>{{30.0, QStringLiteral("B")}}));
    clock.set(QDateTime(QDate(2027, 1, 8), QTime(9, 0)));
    EXPECT_FALSE(baixaRecompra(connect().db(), id, clock.today())) << "already settled";
    EXPECT_EQ(juros(QStringLiteral("0000000001")), 30.0) << "frozen once settled";
}

TEST_F(RecompraTest, SettlingAClientSumsAndClosesOnlyItsOpenEntries) {
    for (const char* codigo : {"0000000001", "0000000002", "0000000003"}) {
        addEntry(QString::fromLatin1(codigo), QStringLiteral("00001"), 100, 3,
                 QStringLiteral("2026-11-08"), QStringLiteral("A"));
    }
    addEntry(QStringLiteral("0000000004"), QStringLiteral("00002"), 100, 3,
             QStringLiteral("2026-11-08"), QStringLiteral("A"));
    addEntry(QStringLiteral("0000000005"), QStringLiteral("00001"), 500, 3,
             QStringLiteral("2026-11-08"), QStringLiteral("B"), 7.0);
    EXPECT_EQ(baixaRecomprasCliente(connect().db(), QStringLiteral("00001"), hoje()), 309.0);
    EXPECT_EQ(rows(QStringLiteral("SELECT CD_lancamento, VL_JUROS, CD_STATUS FROM RECOMPRA "
                                  "ORDER BY CD_lancamento")),
              (QList<QVariantList>{{QStringLiteral("0000000001"), 3.0, QStringLiteral("B")},
                                   {QStringLiteral("0000000002"), 3.0, QStringLiteral("B")},
                                   {QStringLiteral("0000000003"), 3.0, QStringLiteral("B")},
                                   {QStringLiteral("0000000004"), 0.0, QStringLiteral("A")},
                                   {QStringLiteral("0000000005"), 7.0, QStringLiteral("B")}}));
    EXPECT_EQ(baixaRecomprasCliente(connect().db(), QStringLiteral("00001"), hoje()), 0.0)
        << "nothing left to settle";
}

TEST_F(RecompraTest, AFailedSettlementChangesNoEntry) {
    addEntry(QStringLiteral("0000000001"), QStringLiteral("00001"), 100, 3,
             QStringLiteral("2026-11-08"), QStringLiteral("A"), 1.0);
    exec(
        QStringLiteral("CREATE TRIGGER falha BEFORE UPDATE OF CD_STATUS ON RECOMPRA "
                       "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END"));
    EXPECT_THROW(baixaRecomprasCliente(connect().db(), QStringLiteral("00001"), hoje()), DataError);
    EXPECT_EQ(rows(QStringLiteral("SELECT VL_JUROS, CD_STATUS FROM RECOMPRA")),
              (QList<QVariantList>{{1.0, QStringLiteral("A")}}))
        << "the interest written before the failure is rolled back too";
}

}  // namespace
}  // namespace tavrel
