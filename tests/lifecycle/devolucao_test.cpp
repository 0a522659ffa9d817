#include <gtest/gtest.h>

#include "core/errors.h"
#include "lifecycle/devolucao.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class DevolucaoTest : public test::AppFixture {
protected:
    qlonglong addCheque(const QString& documento, double valor, const QString& status = "A") {
        exec(QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, VL_TAXA, CD_DOCUMENTO, "
                            "VL_CHEQUE, DT_TROCA, DT_DEPOSITO, CD_STATUS) "
                            "VALUES ('00042', '00007', 4.5, ?, ?, '2026-11-02', '2026-12-01', ?)"),
             {documento, valor, status});
        return value(QStringLiteral("SELECT MAX(id) FROM CHEQUES")).toLongLong();
    }
    DevolucaoFeita devolve(qlonglong id, bool negativar, bool recompra,
                           const QString& alinea = QStringLiteral("11")) {
        return devolveCheque(connect().db(), {id, alinea, negativar, recompra});
    }
    QList<QVariantList> cheque(qlonglong id) {
        return rows(QStringLiteral("SELECT CD_ALINEA, CD_STATUS FROM CHEQUES WHERE id = ?"), {id});
    }
    int count(const char* table) {
        return value(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(table)).toInt();
    }
};

TEST_F(DevolucaoTest, YesToBothBlacklistsChargesBackAndMarksTheCheque) {
    const qlonglong id = addCheque(QStringLiteral("12345678901"), 1500.5);
    const DevolucaoFeita feita = devolve(id, true, true);
    EXPECT_EQ(feita.resultado, ResultadoDevolucao::Devolvido);
    EXPECT_TRUE(feita.negativou);
    EXPECT_EQ(feita.lancamento, QStringLiteral("0000000001"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT CD_DOCUMENTO, NM_PESSOA FROM LISTANEGRA")),
        (QList<QVariantList>{{QStringLiteral("12345678901"), QStringLiteral("CHEQUE DEVOLVIDO")}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, "
                                  "DT_DEPOSITO, DT_TROCA, VL_TAXA, VL_JUROS IS NULL, CD_STATUS "
                                  "FROM RECOMPRA")),
              (QList<QVariantList>{{QStringLiteral("0000000001"), QStringLiteral("00007"),
                                    QStringLiteral("00042"), 1500.5, QStringLiteral("2026-12-01"),
                                    QStringLiteral("2026-11-02"), 4.5, 1, QStringLiteral("A")}}));
    EXPECT_EQ(cheque(id), (QList<QVariantList>{{QStringLiteral("11"), QStringLiteral("C")}}));
}

TEST_F(DevolucaoTest, NoToTheBlacklistOnlyMarksTheChequeWithTheReasonAsTyped) {
    const qlonglong id = addCheque(QStringLiteral("12345678901"), 100);
    const DevolucaoFeita feita = devolve(id, false, true, QString());
    EXPECT_EQ(feita.resultado, ResultadoDevolucao::Devolvido);
    EXPECT_TRUE(feita.lancamento.isEmpty()) << "no repurchase without the blacklist answer";
    EXPECT_EQ(count("LISTANEGRA"), 0);
    EXPECT_EQ(count("RECOMPRA"), 0);
    EXPECT_EQ(cheque(id), (QList<QVariantList>{{QString(), QStringLiteral("C")}}));
}

TEST_F(DevolucaoTest, ADocumentAlreadyListedGetsNoSecondRow) {
    exec(QStringLiteral("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) VALUES (?, 'FULANO')"),
         {QStringLiteral("12345678901")});
    const DevolucaoFeita feita =
        devolve(addCheque(QStringLiteral("12345678901"), 100), true, false);
    EXPECT_FALSE(feita.negativou);
    EXPECT_EQ(rows(QStringLiteral("SELECT NM_PESSOA FROM LISTANEGRA")),
              (QList<QVariantList>{{QStringLiteral("FULANO")}}));
    EXPECT_EQ(count("RECOMPRA"), 0);
}

TEST_F(DevolucaoTest, ASecondReturnIsRefusedAndChargesNothing) {
    const qlonglong id = addCheque(QStringLiteral("12345678901"), 100);
    devolve(id, true, true);
    const DevolucaoFeita again = devolve(id, true, true, QStringLiteral("12"));
    EXPECT_EQ(again.resultado, ResultadoDevolucao::JaDevolvido);
    EXPECT_EQ(count("RECOMPRA"), 1);
    EXPECT_EQ(cheque(id), (QList<QVariantList>{{QStringLiteral("11"), QStringLiteral("C")}}));
    EXPECT_EQ(devolve(id + 100, true, true).resultado, ResultadoDevolucao::NaoEncontrado);
}

TEST_F(DevolucaoTest, AFailingRepurchaseInsertChangesNothing) {
    const qlonglong id = addCheque(QStringLiteral("12345678901"), 100);
    exec(
        QStringLiteral("CREATE TRIGGER falha BEFORE INSERT ON RECOMPRA "
                       "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END"));
    EXPECT_THROW(devolve(id, true, true), DataError);
    EXPECT_EQ(count("LISTANEGRA"), 0) << "the blacklist row is rolled back with it";
    EXPECT_EQ(cheque(id), (QList<QVariantList>{{QStringLiteral("000"), QStringLiteral("A")}}));
}

}  // namespace
}  // namespace tavrel
