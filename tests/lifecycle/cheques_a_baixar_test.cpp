// What the screens of cheques to settle list, their report formulas and the destination change.
#include <gtest/gtest.h>

#include "core/ptbr.h"
#include "lifecycle/cheques_a_baixar.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class ChequesABaixarTest : public test::AppFixture {
protected:
    ChequesABaixarTest() {
        exec(
            "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES ('00001', 'ANA LIMA'), "
            "('00002', 'BRUNO SOUZA')");
    }

    void addCheque(const QString& document, const QVariant& deposit, const QString& status,
                   const QString& client = "00001", const QString& troca = "00001") {
        exec(
            "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, CD_DOCUMENTO, DT_DEPOSITO, "
            "CD_STATUS, VL_CHEQUE) VALUES (?, ?, ?, ?, ?, ?, 100)",
            {troca, client, client, document, deposit, status});
    }

    // Documents and client names listed by the source, in id order.
    QList<QVariantList> listed(const ChequesABaixar& source) {
        return rows("SELECT CHEQUES.CD_DOCUMENTO, IFNULL(" + QString::fromLatin1(kNomeCliente) +
                        ", '-') FROM " + source.from + " WHERE " + source.where +
                        " ORDER BY CHEQUES.id",
                    source.values);
    }
};

TEST_F(ChequesABaixarTest, DueMeansOpenAndDepositedTodayOrBefore) {
    const QDate hoje = clock.today();
    addCheque("today", storageDate(hoje), "A");
    addCheque("tomorrow", storageDate(hoje.addDays(1)), "A");
    addCheque("settled", storageDate(hoje.addDays(-1)), "B");
    addCheque("returned", storageDate(hoje.addDays(-1)), "C");
    addCheque("nodate", QVariant(), "A");
    addCheque("empty", "", "A");
    addCheque("lastyear", "2025-12-31", "A");
    // A client deleted since, and an instalment exchange not finished: still listed.
    addCheque("orphan", storageDate(hoje), "A", "00077");
    addCheque("instalment", storageDate(hoje), "A", "00002", "99999");
    EXPECT_EQ(listed(chequesDoDia(hoje)), (QList<QVariantList>{{"today", "ANA LIMA"},
                                                               {"lastyear", "ANA LIMA"},
                                                               {"orphan", "-"},
                                                               {"instalment", "BRUNO SOUZA"}}));
}

TEST_F(ChequesABaixarTest, APeriodListsEveryStatusAndNothingWhenItRunsBackwards) {
    addCheque("first", "2026-12-01", "A");
    addCheque("settled", "2026-12-15", "B");
    addCheque("returned", "2026-12-31", "C");
    addCheque("after", "2027-01-01", "A");
    addCheque("before", "2026-11-30", "A");
    const QDate inicio(2026, 12, 1);
    const QDate fim(2026, 12, 31);
    EXPECT_EQ(listed(chequesDoPeriodo(inicio, fim)).size(), 3);
    EXPECT_TRUE(listed(chequesDoPeriodo(fim, inicio)).isEmpty());
}

TEST_F(ChequesABaixarTest, TheFormulasOfTheReport) {
    EXPECT_EQ(formulaChequesDoDia(QDate(2026, 12, 8)),
              "{cheques.dt_deposito} <=  #2026/12/08# AND {CHEQUES.CD_STATUS}='A'");
    EXPECT_EQ(formulaChequesDoPeriodo(QDate(2026, 12, 1), QDate(2026, 12, 31)),
              "{cheques.dt_deposito}>=#2026/12/01# and {cheques.dt_deposito}<=#2026/12/31#");
}

TEST_F(ChequesABaixarTest, TheDestinationIsWrittenToThatChequeOnly) {
    addCheque("one", "2026-12-08", "A");
    addCheque("two", "2026-12-08", "A");
    const qlonglong id = value("SELECT id FROM CHEQUES WHERE CD_DOCUMENTO = 'two'").toLongLong();
    EXPECT_TRUE(mudaDestino(connect().db(), id, "00002"));
    EXPECT_EQ(rows("SELECT CD_DOCUMENTO, CD_CLIENTE, CD_DESTINO FROM CHEQUES ORDER BY id"),
              (QList<QVariantList>{{"one", "00001", "00001"}, {"two", "00001", "00002"}}));
    EXPECT_EQ(value("SELECT NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = '00001'"), "ANA LIMA");

    EXPECT_FALSE(mudaDestino(connect().db(), id, "00099")) << "no such client";
    EXPECT_FALSE(mudaDestino(connect().db(), 999, "00001")) << "no such cheque";
    EXPECT_EQ(value("SELECT CD_DESTINO FROM CHEQUES WHERE id = ?", {id}), "00002");
}

}  // namespace
}  // namespace tavrel
