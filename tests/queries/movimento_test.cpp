#include <gtest/gtest.h>

#include "queries/movimento.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class MovimentoTest : public test::AppFixture {
protected:
    MovimentoTest() {
        exec(QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES ('1', 'A')"));
        const struct {
            const char* documento;
            const char* emitente;
            const char* deposito;
        } cheques[] = {
            {"19", "ÁGUA", "2026-12-01"},    {"199", "água", "2026-12-08"},
            {"2", "AGUA", "2026-11-30"},     {"1:", "Ágil", "2026-12-09"},
            {nullptr, "ÁG_A", "2026-12-05"},
        };
        for (const auto& cheque : cheques) {
            exec(QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, CD_DOCUMENTO, NM_EMITENTE, "
                                "DT_DEPOSITO) VALUES ('1', ?, ?, ?)"),
                 {cheque.documento ? QVariant(QString::fromLatin1(cheque.documento)) : QVariant(),
                  QString::fromUtf8(cheque.emitente), QString::fromLatin1(cheque.deposito)});
        }
    }
    QStringList listed(const GroupingSource& fonte, const char* field) {
        QStringList values;
        for (const QVariantList& row :
             rows(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY CHEQUES.id")
                      .arg(QString::fromLatin1(field), fonte.from, fonte.where),
                  fonte.values)) {
            values << row.value(0).toString();
        }
        return values;
    }
};

TEST_F(MovimentoTest, KeysWithAndWithoutLettersArePrefixesAlike) {
    EXPECT_EQ(listed(porChave(fonteCheques(), 2, "19"), "CHEQUES.CD_DOCUMENTO"),
              (QStringList{"19", "199"}));
    EXPECT_EQ(listed(porChave(fonteCheques(), 2, "1"), "CHEQUES.CD_DOCUMENTO"),
              (QStringList{"19", "199", "1:"}));
    EXPECT_EQ(listed(porChave(fonteCheques(), 2, ""), "CHEQUES.CD_DOCUMENTO").size(), 4)
        << "every cheque whose document has a value";
    EXPECT_EQ(listed(porChave(fonteCheques(), 1, QStringLiteral("águ")), "CHEQUES.NM_EMITENTE"),
              (QStringList{QStringLiteral("ÁGUA"), QStringLiteral("água")}));
    EXPECT_EQ(listed(porChave(fonteCheques(), 1, QStringLiteral("ÁG_")), "CHEQUES.NM_EMITENTE"),
              (QStringList{QStringLiteral("ÁG_A")}));
}

TEST_F(MovimentoTest, APeriodListsTheSameChequesWhicheverWayItIsRead) {
    const QDate de(2026, 12, 1);
    const QDate ate(2026, 12, 8);
    const QStringList expected{"2026-12-01", "2026-12-08", "2026-12-05"};
    EXPECT_EQ(listed(porPeriodo(fonteCheques(), de, ate, false), "CHEQUES.DT_DEPOSITO"), expected);
    EXPECT_EQ(listed(porPeriodo(fonteCheques(), de, ate, true), "CHEQUES.DT_DEPOSITO"), expected);
    Connection connection = connect();
    EXPECT_FALSE(periodoComMuitosCheques(connection.db(), de, ate));
}

}  // namespace
}  // namespace tavrel
