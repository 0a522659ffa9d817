// The change of an exchange over the exchange screen: loading by number, removing a cheque with
// its question, the fixed TAC kept once, and the exchange handed back with totals from its rows.
#include <gtest/gtest.h>

#include "exchange/ftroca_fixture.h"
#include "exchange/parametros.h"
#include "exchange/todas_as_tarifas.h"

namespace tavrel {
namespace {

class FalteratrocaTest : public test::FtrocaTest {
protected:
    FalteratrocaTest() {
        addClient("00003", "CARLOS NUNES", 3, 0, 0, 12);
        gravaParametros(connect().db(), todasAsTarifas());
    }

    // An exchange of `cheques` cheques of 1000 deposited on 08/01/2027 (32 days with the day
    // of the operation: 32,00 of interest each; the first also pays the TAC of 10).
    void recordExchange(const QString& client, int cheques) {
        openScreen();
        startExchange(client);
        for (int i = 1; i <= cheques; ++i) {
            addTypedCheque(QString::number(100 + i), "08/01/2027", "1000");
        }
    }

    // "&RETIRA CHEQUE" on the exchange screen, `act` run on the change screen before it closes
    // (as the operator would leave it: through "&Sair" unless `act` closes it).
    void changeExchange(const std::function<void(QWidget*)>& act) {
        screens->setModalRunner([&](QWidget* change) {
            act(change);
            if (change->isVisible()) {
                change->close();
            }
        });
        click(screen, "Command6");
    }
};

TEST_F(FalteratrocaTest, RemovingTheChequeWithTheTacMovesItAndHandsBackTheRowsTotals) {
    recordExchange("ANA LIMA", 2);
    QString shownTac;
    changeExchange([&](QWidget* change) {
        type(change, "cd_troca", "1");
        click(change, "Command2");
        EXPECT_EQ(text(change, "cd_troca"), "00001");
        EXPECT_EQ(text(change, "cd_cliente"), "00001");
        EXPECT_EQ(text(change, "dt_troca"), "08/12/2026");
        EXPECT_EQ(text(change, "vl_taxa"), "3");
        shownTac = text(change, "tac");
        ASSERT_EQ(gridRows(change, "DBGrid1").size(), 2);
        clickGridRow(change, "DBGrid1", 0);
        dialogs.answer(DialogAnswer::No);
        click(change, "cancelacheque");
        EXPECT_EQ(chequeCount(), 2) << "No keeps the cheque";
        dialogs.answer(DialogAnswer::Yes);
        click(change, "cancelacheque");
        EXPECT_EQ(dialogs.last().text, QStringLiteral("Deseja Realmente excluir esse registro? :"));
        EXPECT_EQ(dialogs.last().title, QStringLiteral("EXCLUSÃO"));
        EXPECT_EQ(gridRows(change, "DBGrid1").size(), 1);
        click(change, "Command1");
    });
    EXPECT_EQ(shownTac, "10");
    EXPECT_EQ(rows("SELECT CD_DOCUMENTO, VL_TAC, VL_LIQUIDO FROM CHEQUES"),
              (QList<QVariantList>{{"102", 10.0, 945.0}}));
    EXPECT_EQ(text(screen, "CD_TROCA"), "00001");
    EXPECT_EQ(text(screen, "VL_BRUTO"), "1000,00");
    EXPECT_EQ(text(screen, "VL_JUROS"), "32,00");
    EXPECT_EQ(text(screen, "VL_TARIFA"), "23,00");
    EXPECT_EQ(text(screen, "LIQUIDO"), "945,00");
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "1");
}

TEST_F(FalteratrocaTest, TheDebitsAreTakenOffTheHandedBackNetOnce) {
    recordExchange("CARLOS NUNES", 3);
    changeExchange([&](QWidget* change) {
        type(change, "cd_troca", "00001");
        click(change, "Command2");
        EXPECT_EQ(text(change, "debitos"), "12");
        clickGridRow(change, "DBGrid1", 2);
        dialogs.answer(DialogAnswer::Yes);
        click(change, "cancelacheque");
        click(change, "Command1");
    });
    // The stored nets each have the whole debit off (1876,00 summed); the exchange pays
    // 2000 - 64 - 36 - 12.
    EXPECT_EQ(value("SELECT SUM(VL_LIQUIDO) FROM CHEQUES").toDouble(), 1876.0);
    EXPECT_EQ(text(screen, "vl_debitos"), "12,00");
    EXPECT_EQ(text(screen, "LIQUIDO"), "1888,00");
}

TEST_F(FalteratrocaTest, RemovingEveryChequeLeavesAnEmptyExchangeWithItsDebits) {
    recordExchange("CARLOS NUNES", 1);
    changeExchange([&](QWidget* change) {
        type(change, "cd_troca", "1");
        click(change, "Command2");
        clickGridRow(change, "DBGrid1", 0);
        dialogs.answer(DialogAnswer::Yes);
        click(change, "cancelacheque");
        click(change, "Command1");
    });
    EXPECT_EQ(chequeCount(), 0);
    EXPECT_EQ(text(screen, "VL_BRUTO"), "0,00");
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "0");
    EXPECT_EQ(text(screen, "vl_debitos"), "12,00");
}

TEST_F(FalteratrocaTest, OnlyAFixedTacMovesAndOnlyWhenNoRemainingChequeCarriesOne) {
    recordExchange("ANA LIMA", 2);
    // A second TAC already on the other cheque (an exchange put together elsewhere).
    exec("UPDATE CHEQUES SET VL_TAC = 10 WHERE CD_DOCUMENTO = '102'");
    changeExchange([&](QWidget* change) {
        type(change, "cd_troca", "1");
        click(change, "Command2");
        clickGridRow(change, "DBGrid1", 0);
        dialogs.answer(DialogAnswer::Yes);
        click(change, "cancelacheque");
    });
    EXPECT_EQ(value("SELECT VL_TAC FROM CHEQUES").toDouble(), 10.0) << "not 20";

    exec("DELETE FROM CHEQUES");
    exec("UPDATE CONFIG SET st_tacper = 1, vl_tacper = 0.005");
    click(screen, "SAIR");
    recordExchange("ANA LIMA", 2);
    const QList<QVariantList> before = rows("SELECT VL_TAC, VL_LIQUIDO FROM CHEQUES ORDER BY id");
    changeExchange([&](QWidget* change) {
        type(change, "cd_troca", "1");
        click(change, "Command2");
        EXPECT_EQ(text(change, "tac"), "0") << "a percentage TAC is each cheque's own";
        clickGridRow(change, "DBGrid1", 0);
        dialogs.answer(DialogAnswer::Yes);
        click(change, "cancelacheque");
    });
    EXPECT_EQ(rows("SELECT VL_TAC, VL_LIQUIDO FROM CHEQUES"), before.mid(1));
}

TEST_F(FalteratrocaTest, OnlyOpenChequesAreRemoved) {
    recordExchange("ANA LIMA", 2);
    exec("UPDATE CHEQUES SET CD_STATUS = 'C' WHERE CD_DOCUMENTO = '101'");
    changeExchange([&](QWidget* change) {
        type(change, "cd_troca", "1");
        click(change, "Command2");
        clickGridRow(change, "DBGrid1", 0);
        dialogs.answer(DialogAnswer::Yes);
        click(change, "cancelacheque");
        EXPECT_EQ(dialogs.last().text,
                  QStringLiteral("SÓ PODEM SER RETIRADOS DA TROCA OS CHEQUES EM ABERTO"));
    });
    EXPECT_EQ(chequeCount(), 2);
}

TEST_F(FalteratrocaTest, LeavingWithoutAnExchangeLeavesTheExchangeScreenAsItWas) {
    recordExchange("ANA LIMA", 1);
    const QStringList names = {"CD_TROCA", "VL_BRUTO",   "VL_JUROS",  "VL_TARIFA",
                               "LIQUIDO",  "NR_CHEQUES", "vl_debitos"};
    QStringList before;
    for (const QString& name : names)
        before << text(screen, name);
    changeExchange([&](QWidget* change) {
        type(change, "cd_troca", "77");
        click(change, "Command2");
        EXPECT_EQ(dialogs.last().text, QStringLiteral("NÃO HÁ CHEQUES COM ESSE NÚMERO DE TROCA"));
        EXPECT_EQ(text(change, "cd_cliente"), "Cliente");
        click(change, "Command1");
    });
    QStringList after;
    for (const QString& name : names)
        after << text(screen, name);
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace tavrel
