// The settlement of a client's repurchases from the exchange screen: the open entries brought up
// to date, summed and settled at once, and their sum made the exchange's debits.
#include <gtest/gtest.h>

#include "exchange/ftroca_fixture.h"

namespace tavrel {
namespace {

class FbaixarecompraTest : public test::FtrocaTest {
protected:
    void addEntry(const QString& code, const QString& client, double value, const QString& status,
                  const QString& deposit = "2026-11-08") {
        exec(
            "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, "
            "DT_DEPOSITO, DT_TROCA, CD_STATUS) VALUES (?, ?, '00007', ?, 3, ?, '2026-10-01', ?)",
            {code, client, value, deposit, status});
    }

    // "&NOVO", the client, then a click on the repurchase label.
    QWidget* openSettlement(const QString& client) {
        openScreen();
        startExchange(client);
        click(screen, "RECOMPRA");
        // The one just opened (one closed before waits for its deletion).
        const QList<QWidget*> opened = screen->findChildren<QWidget*>("fbaixarecompra");
        EXPECT_FALSE(opened.isEmpty());
        return opened.isEmpty() ? nullptr : opened.last();
    }

    QList<QVariantList> entries() {
        return rows(
            "SELECT CD_lancamento, CD_STATUS, IFNULL(VL_JUROS, -1) FROM RECOMPRA ORDER BY 1");
    }
};

TEST_F(FbaixarecompraTest, ThreeOpenEntriesAreSettledAndBecomeTheExchangesDebits) {
    for (const char* code : {"0000000001", "0000000002", "0000000003"}) {
        addEntry(code, "00001", 100, "A");
    }
    addEntry("0000000004", "00002", 500, "A");  // another client's
    addEntry("0000000005", "00001", 80, "B");   // settled before
    QWidget* settlement = openSettlement("ANA LIMA");
    ASSERT_NE(settlement, nullptr);
    EXPECT_EQ(text(screen, "RECOMPRA"), "309");
    EXPECT_EQ(settlement->windowTitle(), "Baixa de Pendencias");
    const QList<QStringList> lines = gridRows(settlement, "GridEX1");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], (QStringList{"ANA LIMA", "08/11/2026", "R$ 100,00", "R$ 3,00", "A", "00007",
                                     "01/10/2026", "0000000001"}));
    click(settlement, "Command1");
    EXPECT_EQ(entries(), (QList<QVariantList>{{"0000000001", "B", 3.0},
                                              {"0000000002", "B", 3.0},
                                              {"0000000003", "B", 3.0},
                                              {"0000000004", "A", -1.0},
                                              {"0000000005", "B", -1.0}}));
    EXPECT_EQ(text(screen, "vl_debitos"), "309,00");
    EXPECT_EQ(text(screen, "VL_DEVOLVIDOS"), "309");
    EXPECT_EQ(text(screen, "RECOMPRA"), "RECOMPRA");
    const QStringList log = programFileLines("FC001081226.log");
    EXPECT_TRUE(log.join("\n").contains(QStringLiteral("BAIXOU CHEQUES DEVOLVIDOS:")));

    addTypedCheque("111", "08/01/2027", "1000");
    EXPECT_EQ(value("SELECT VL_DEBITOS FROM CHEQUES").toDouble(), 309.0);
    EXPECT_EQ(text(screen, "LIQUIDO"), "660,00");  // 1000 - 31 days of interest - 309
}

TEST_F(FbaixarecompraTest, CancellingAndPrintingChangeNothing) {
    addEntry("0000000001", "00001", 100, "A");
    QWidget* settlement = openSettlement("ANA LIMA");
    ASSERT_NE(settlement, nullptr);
    const QList<QVariantList> before = entries();
    click(settlement, "Command3");
    EXPECT_EQ(reports.last().templateName, "recompra.rpt");
    EXPECT_EQ(reports.last().formula, "{recompra.cd_cliente}= '00001'and {recompra.cd_status}='A'");
    click(settlement, "Command2");
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(text(screen, "vl_debitos"), "0,00");
    const QString log = programFileLines("FC001081226.log").join("\n");
    EXPECT_TRUE(log.contains(QStringLiteral("IMPRIMIU RELAÇÃO DE CHEQUES DO CLIENTE :")));
    EXPECT_TRUE(log.contains(QStringLiteral("SAIU SEM BAIXAR:")));
}

TEST_F(FbaixarecompraTest, AnotherClientOnTheExchangeOrNothingOwedSettlesNothing) {
    addEntry("0000000001", "00001", 100, "A");
    QWidget* settlement = openSettlement("ANA LIMA");
    ASSERT_NE(settlement, nullptr);
    // The operator chose another client meanwhile.
    auto* combo = control<QComboBox>(screen, "NM_CLIENTE");
    combo->setCurrentIndex(combo->findText(QStringLiteral("BRUNO D'ÁVILA")));
    emit combo->activated(combo->currentIndex());
    const QList<QVariantList> before = entries();
    click(settlement, "Command1");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("A TROCA DESTE CLIENTE NÃO ESTÁ MAIS NA TELA DE TROCAS. NADA FOI "
                             "BAIXADO."));
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(text(screen, "vl_debitos"), "40,00") << "BRUNO's own debits stay";

    // A client who owes nothing.
    click(settlement, "Command2");
    QWidget* none = openSettlement("BRUNO D'ÁVILA");
    ASSERT_NE(none, nullptr);
    click(none, "Command1");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("O CLIENTE NÃO TEM RECOMPRAS EM ABERTO."));
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(text(screen, "vl_debitos"), "40,00");
}

}  // namespace
}  // namespace tavrel
