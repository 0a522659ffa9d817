// The exchange screen's totals and its commands on whole exchanges: the totals always agree
// with the stored rows and with the printed statement; removing, cancelling, handing an exchange
// back; a screen without its data; two screens taking numbers.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>

#include "core/money.h"
#include "exchange/ftroca.h"
#include "ftroca_fixture.h"
#include "reports/report_content.h"

namespace tavrel {
namespace {

// Cents, so that two amounts that show alike compare equal.
long long cents(double value) {
    return static_cast<long long>(roundMoney(value * 100));
}

class FtrocaTotaisTest : public test::FtrocaTest {
protected:
    FtrocaTotaisTest() { addClient("00003", "CARLOS NUNES", 3, 0, 0, 30); }

    // The screen's totals against SUM over the exchange's rows and against the statement.
    void expectTotalsOfTheRows(const QString& troca) {
        const QList<QVariantList> sums = rows(
            "SELECT COUNT(*), TOTAL(VL_CHEQUE), TOTAL(VL_JUROS), TOTAL(VL_CPMF + VL_CUSTODIA + "
            "VL_ADVALOREM + VL_IOF + VL_TAC + VL_CONSULTA) FROM CHEQUES WHERE CD_TROCA = ?",
            {troca});
        const int count = sums[0][0].toInt();
        const double gross = sums[0][1].toDouble();
        const double interest = sums[0][2].toDouble();
        const double fees = sums[0][3].toDouble();
        const double debits = shown("vl_debitos");
        EXPECT_EQ(text(screen, "NR_CHEQUES"), QString::number(count));
        EXPECT_EQ(cents(shown("VL_BRUTO")), cents(gross));
        EXPECT_EQ(cents(shown("VL_JUROS")), cents(interest));
        if (count > 0) {
            // Shown to the cent: within half a cent of the exact sums.
            EXPECT_NEAR(shown("VL_TARIFA"), fees, 0.0051);
            EXPECT_NEAR(shown("LIQUIDO"), gross - interest - fees - debits, 0.0051);
        }
        // Each row's net is its value less its own charges and the exchange's debits.
        for (const QVariantList& row :
             rows("SELECT VL_LIQUIDO, VL_CHEQUE - (VL_JUROS + VL_DEBITOS + VL_IOF + VL_CPMF + "
                  "VL_CONSULTA + VL_TAC + VL_CUSTODIA + VL_ADVALOREM) FROM CHEQUES "
                  "WHERE CD_TROCA = ?",
                  {troca})) {
            EXPECT_EQ(row[0].toDouble(), row[1].toDouble());
        }
        expectStatementShowsTheTotals();
    }

    // "&IMPRIMIR" of the exchange on the screen prints the figures the screen shows.
    void expectStatementShowsTheTotals() {
        dialogs.answer(DialogAnswer::Yes);
        click(screen, "Command5");
        QHash<QString, QString> summary;
        for (const ReportLine& line : reports.last().content.lines) {
            if (line.kind == ReportLine::Kind::Summary) {
                summary.insert(line.text, line.cells.value(0));
            }
        }
        EXPECT_EQ(summary.value("Valor bruto"), formatCurrency(shown("VL_BRUTO")));
        EXPECT_EQ(summary.value("Juros"), formatCurrency(shown("VL_JUROS")));
        if (text(screen, "NR_CHEQUES") != "0") {
            EXPECT_EQ(summary.value("Tarifas"), formatCurrency(shown("VL_TARIFA")));
            EXPECT_EQ(summary.value(QStringLiteral("Débitos")),
                      formatCurrency(shown("vl_debitos")));
            EXPECT_EQ(summary.value(QStringLiteral("Líquido a pagar")),
                      formatCurrency(shown("LIQUIDO")));
        }
    }

    // The grid line (in deposit order) of the cheque of that value.
    int gridLineOf(const QString& shownValue) {
        const QList<QStringList> lines = gridRows(screen, "DBGrid1");
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].value(1) == shownValue)
                return i;
        }
        ADD_FAILURE() << "no cheque of " << shownValue.toStdString();
        return 0;
    }

    void removeCheque(const QString& shownValue) {
        clickGridRow(screen, "DBGrid1", gridLineOf(shownValue));
        click(screen, "cancelacheque");
    }
};

TEST_F(FtrocaTotaisTest, TotalsAgreeWithTheRowsAfterEveryStepOfAMixedExchange) {
    setParameters(
        "st_tac = 1, vl_tac = 10, st_tacper = 1, vl_tacper = 0.005, st_cpmf = 1, "
        "vl_cpmf = 0.0038, st_iof = 1, vl_iof = 0.0041, st_consulta = 1, vl_consulta = 2.5");
    openScreen();
    startExchange("CARLOS NUNES");
    EXPECT_EQ(text(screen, "VL_TARIFA"), "0,00") << "the percentage TAC replaces the fixed one";
    addTypedCheque("111", "15/12/2026", "1000");
    expectTotalsOfTheRows("00001");
    addTypedCheque("222", "13/01/2027", "500,50");
    expectTotalsOfTheRows("00001");
    addTypedCheque("333", "10/12/2026", "250");
    expectTotalsOfTheRows("00001");
    removeCheque("500,50");
    expectTotalsOfTheRows("00001");
    addTypedCheque("111", "22/12/2026", "700");
    expectTotalsOfTheRows("00001");
    removeCheque("1000,00");
    expectTotalsOfTheRows("00001");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES WHERE VL_TAC = 0").toInt(), 0)
        << "every cheque pays its own percentage";
}

TEST_F(FtrocaTotaisTest, TheFixedTacMovesToTheNextChequeWhenItsChequeIsRemoved) {
    setParameters("st_tac = 1, vl_tac = 10");
    openScreen();
    startExchange("ANA LIMA");
    addTypedCheque("111", "15/12/2026", "500");
    addTypedCheque("222", "15/12/2026", "500");
    removeCheque("500,00");  // the first, which carries the TAC
    EXPECT_EQ(rows("SELECT CD_DOCUMENTO, VL_TAC FROM CHEQUES"),
              (QList<QVariantList>{{"222", 10.0}}));
    EXPECT_EQ(text(screen, "LIQUIDO"), "486,50");
    expectTotalsOfTheRows("00001");

    addTypedCheque("333", "15/12/2026", "100");
    EXPECT_EQ(value("SELECT VL_TAC FROM CHEQUES WHERE CD_DOCUMENTO = '333'").toDouble(), 0.0);
    expectTotalsOfTheRows("00001");
}

TEST_F(FtrocaTotaisTest, CancellingTheExchangeOnTheScreenReturnsToTheStart) {
    setParameters("st_tac = 1, vl_tac = 10");
    openScreen();
    startExchange("CARLOS NUNES");
    addTypedCheque("111", "15/12/2026", "1000");
    addTypedCheque("222", "15/12/2026", "300");
    dialogs.answerText("1");
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "Command1");
    EXPECT_EQ(chequeCount(), 0);
    EXPECT_EQ(text(screen, "CD_TROCA"), "");
    for (const char* total : {"VL_BRUTO", "VL_JUROS", "VL_TARIFA", "vl_debitos", "LIQUIDO"}) {
        EXPECT_EQ(text(screen, total), "0,00") << total;
    }
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "0");
    EXPECT_FALSE(control(screen, "Command2")->isEnabled());
    EXPECT_FALSE(control(screen, "cancelacheque")->isEnabled());
    EXPECT_TRUE(gridRows(screen, "DBGrid1").isEmpty());
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .contains("Data: 08/12/2026 Hora: 14:05.09-Supervisor-EXCLUI A TROCA-1"));

    // Nothing named, nothing asked.
    dialogs.clear();
    dialogs.answerText(std::nullopt);
    click(screen, "Command1");
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(FtrocaTotaisTest, OnlyAnOpenChequeOfTheExchangeOnTheScreenIsRemoved) {
    addCheque("00007", "5", "B", 300, "00001");
    openScreen();
    startExchange("ANA LIMA");
    addTypedCheque("111", "15/12/2026", "1000");
    ASSERT_EQ(text(screen, "CD_TROCA"), "00008");
    dialogs.answerText("7");
    dialogs.answer(DialogAnswer::No);
    click(screen, "Command1");
    ASSERT_EQ(gridRows(screen, "DBGrid1").size(), 1) << "the grid shows exchange 7";
    clickGridRow(screen, "DBGrid1", 0);
    click(screen, "cancelacheque");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("SÓ PODEM SER EXCLUÍDOS OS CHEQUES EM ABERTO DA TROCA ATUAL"));
    EXPECT_EQ(chequeCount(), 2);
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "1");
    EXPECT_EQ(text(screen, "VL_BRUTO"), "1000,00");
    EXPECT_FALSE(programFileLines("FC001081226.log").join("\n").contains("EXCLUIDO O CHEQUE"));
}

TEST_F(FtrocaTotaisTest, AnExchangeHandedBackAsTwelveIsExchange00012Everywhere) {
    addCheque("00012", "1", "A", 100, "00001");
    addCheque("00012", "2", "A", 200, "00002");
    FTROCA* troca = openScreen();
    troca->carregaTroca({"12", "3", QDate(2026, 12, 1), "00001", "", "", "0", "", "", ""});
    screens->setModalRunner([](QWidget* change) { change->close(); });
    click(screen, "Command6");  // the change screen closed: the grid is read again
    ASSERT_EQ(gridRows(screen, "DBGrid1").size(), 2);
    clickGridRow(screen, "DBGrid1", 0);
    click(screen, "cancelacheque");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES WHERE CD_TROCA = '00012'").toInt(), 1);
    EXPECT_EQ(gridRows(screen, "DBGrid1").size(), 1);
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "1");
    EXPECT_EQ(text(screen, "VL_BRUTO"), "200,00");
}

TEST_F(FtrocaTotaisTest, DebitsAreHandedOnlyToAStartedExchangeOfThatClient) {
    FTROCA* troca = openScreen();
    EXPECT_FALSE(troca->defineDebitos("00001", 50)) << "no exchange started";
    startExchange("ANA LIMA");
    addTypedCheque("111", "15/12/2026", "1000");
    EXPECT_FALSE(troca->defineDebitos("00002", 50)) << "another client";
    EXPECT_EQ(text(screen, "vl_debitos"), "0,00");
    EXPECT_TRUE(troca->defineDebitos("00001", 50));
    EXPECT_EQ(text(screen, "vl_debitos"), "50,00");
    EXPECT_EQ(text(screen, "LIQUIDO"), "943,00");  // 1000 - 7 days of interest - 50

    auto* cliente = qobject_cast<QComboBox*>(control(screen, "NM_CLIENTE"));
    ASSERT_NE(cliente, nullptr);
    emit cliente->activated(cliente->currentIndex());  // the same client chosen again
    EXPECT_EQ(text(screen, "vl_debitos"), "50,00") << "the settled debt stays deducted";
    EXPECT_EQ(text(screen, "LIQUIDO"), "943,00");
}

TEST_F(FtrocaTotaisTest, WithoutItsDatabaseTheScreenOffersNothingThatNeedsIt) {
    for (const char* file : {"cheques.db", "cheques.db-wal", "cheques.db-shm"}) {
        QFile::remove(context.dataPath(QString::fromLatin1(file)));
    }
    FTROCA* troca = openScreen();
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_TRUE(dialogs.last().text.startsWith("Erro No.53")) << dialogs.last().text.toStdString();
    for (const char* command :
         {"INCLUIR", "Command2", "cancelacheque", "Command5", "Command1", "Command6"}) {
        EXPECT_FALSE(control(screen, command)->isEnabled()) << command;
    }
    EXPECT_TRUE(control(screen, "SAIR")->isEnabled());
    dialogs.clear();
    troca->novo();
    troca->adicionaCheque();
    troca->cancelaCheque();
    troca->cancelaTroca();
    troca->retiraCheque();
    troca->saiCliente();
    troca->saiDocumento();
    troca->saiValor();
    troca->saiVencimento();
    troca->saiLeitora();
    troca->carregaTroca({"12", "3", QDate(2026, 12, 1), "00001", "", "", "0", "", "", ""});
    EXPECT_TRUE(dialogs.shown().empty());
    click(screen, "SAIR");
}

TEST_F(FtrocaTotaisTest, WithoutParametersNoExchangeStarts) {
    exec("DELETE FROM CONFIG");
    openScreen();
    ASSERT_FALSE(dialogs.shown().empty()) << "the failed reading is reported";
    dialogs.clear();
    click(screen, "INCLUIR");
    EXPECT_EQ(
        dialogs.last().text,
        QStringLiteral("OS PARÂMETROS NÃO PUDERAM SER LIDOS. A TROCA NÃO PODE SER INICIADA."));
    EXPECT_EQ(text(screen, "CD_TROCA"), "");
    EXPECT_FALSE(control(screen, "Command2")->isEnabled());

    exec("INSERT INTO CONFIG (id) VALUES (1)");
    click(screen, "INCLUIR");
    EXPECT_EQ(text(screen, "CD_TROCA"), "00001") << "read again once they are there";
}

TEST_F(FtrocaTotaisTest, AChequeIsNotStoredWithoutAnExchangeNumber) {
    openScreen();
    startExchange("ANA LIMA");
    enterTypedCheque("111", "15/12/2026", "1000");
    for (const char* number : {"", "ABC"}) {
        setText(screen, "CD_TROCA", number);
        click(screen, "Command2");
        EXPECT_EQ(dialogs.last().text,
                  QStringLiteral("FAVOR CLICAR NO BOTÃO NOVO ANTES DE COMECAR UMA TROCA"));
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES").toInt(), 0);
}

// Two desks (two screens) on one data folder: the first cheque written confirms a number.
TEST_F(FtrocaTotaisTest, TwoScreensOnOneFolderTakeDistinctNumbers) {
    auto* first = new FTROCA(context);
    auto* second = new FTROCA(context);
    first->show();
    second->show();
    screen = first;
    startExchange("ANA LIMA");
    screen = second;
    startExchange("CARLOS NUNES");
    EXPECT_EQ(text(first, "CD_TROCA"), "00001");
    EXPECT_EQ(text(second, "CD_TROCA"), "00001");

    screen = first;
    addTypedCheque("111", "15/12/2026", "1000");
    screen = second;
    dialogs.clear();
    addTypedCheque("222", "15/12/2026", "500");
    EXPECT_EQ(text(second, "CD_TROCA"), "00002");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("O NÚMERO DE TROCA 00001 FOI USADO EM OUTRA TELA. ESTA TROCA PASSOU "
                             "A SER A 00002."));
    addTypedCheque("333", "15/12/2026", "400");
    screen = first;
    addTypedCheque("444", "15/12/2026", "300");
    EXPECT_EQ(rows("SELECT CD_TROCA, CD_CLIENTE FROM CHEQUES ORDER BY CD_DOCUMENTO"),
              (QList<QVariantList>{
                  {"00001", "00001"}, {"00002", "00003"}, {"00002", "00003"}, {"00001", "00001"}}));
    EXPECT_EQ(gridRows(second, "DBGrid1").size(), 2);
    EXPECT_EQ(text(second, "NR_CHEQUES"), "2");
}

}  // namespace
}  // namespace tavrel
