#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "core/ptbr.h"
#include "exchange/ftroca.h"
#include "ftroca_fixture.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

using test::FtrocaTest;

TEST_F(FtrocaTest, TheFirstExchangeIsOneAndRemindsOfTheParameters) {
    openScreen();
    EXPECT_FALSE(control(screen, "Command2")->isEnabled());
    EXPECT_FALSE(control(screen, "cancelacheque")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>(screen, "Option1")->isChecked());
    EXPECT_TRUE(gridRows(screen, "DBGrid1").isEmpty()) << "no cheques before an exchange";

    click(screen, "INCLUIR");
    EXPECT_EQ(text(screen, "CD_TROCA"), "00001");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("DEFINIR OS VALORES DAS TAXAS NO MÓDULO PARÂMETROS ANTES DE INICIAR ! "
                             "CASO JA TENHA FEITO DESCONSIDERAR ESSE AVISO"));
    EXPECT_TRUE(control(screen, "Command2")->isEnabled());
    EXPECT_EQ(programFileLines("FC001081226.log").value(0),
              "Data: 08/12/2026 Hora: 14:05.09-Supervisor-INICIA UMA NOVA TROCA PARA O CLIENTE-");
}

TEST_F(FtrocaTest, NovoProposesTheNextNumberUntilACheckIsAdded) {
    for (int n = 1; n <= 12; ++n)
        addCheque(QString("%1").arg(n, 5, 10, QChar('0')), "X", "A", 1, "00001");
    openScreen();
    click(screen, "INCLUIR");
    EXPECT_EQ(text(screen, "CD_TROCA"), "00013");
    click(screen, "INCLUIR");
    EXPECT_EQ(text(screen, "CD_TROCA"), "00013");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(FtrocaTest, ChoosingAClientBringsRateDebitsAndLimit) {
    openScreen();
    startExchange("BRUNO D'ÁVILA");
    EXPECT_EQ(text(screen, "vl_taxa"), "2,5");
    EXPECT_EQ(text(screen, "VL_DEVOLVIDOS"), "40");
    EXPECT_EQ(shown("vl_debitos"), 40.0);
    EXPECT_EQ(text(screen, "VL_LIMITE"), "5000,00");
    EXPECT_EQ(text(screen, "RECOMPRA"), "RECOMPRA");
}

TEST_F(FtrocaTest, AnEmptyRateIsRefusedUnlessZeroRatesAreAllowed) {
    addClient("00003", "SEM TAXA", QVariant(), 0, 0, 0);
    openScreen();
    startExchange("SEM TAXA");
    EXPECT_EQ(text(screen, "vl_taxa"), "");
    leave(screen, "vl_taxa");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("TAXA NÃO PODE ESTAR ZERADA"));

    // The parameters are read when the screen opens: close it and open it again.
    setParameters("st_jzero = 1");
    screen->close();
    FTROCA* second = openScreen();
    dialogs.clear();
    startExchange("SEM TAXA");
    leave(second, "vl_taxa");
    EXPECT_FALSE(dialogs.texts().contains(QStringLiteral("TAXA NÃO PODE ESTAR ZERADA")));
}

TEST_F(FtrocaTest, ALeftClientWithOpenRepurchasesShowsTheDebtInRed) {
    for (const char* code : {"0000000001", "0000000002"}) {
        exec(
            "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, "
            "DT_DEPOSITO, VL_JUROS, CD_STATUS) VALUES (?, '00001', '00000', 100, 3, "
            "'2026-11-08', 0, 'A')",
            {code});
    }
    exec(
        "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, VL_CHEQUE, VL_TAXA, DT_DEPOSITO, "
        "CD_STATUS) VALUES ('0000000003', '00001', 500, 3, '2026-11-08', 'B')");
    openScreen();
    startExchange("ANA LIMA");
    EXPECT_EQ(text(screen, "RECOMPRA"), "206");
    const QList<QVariantList> interest =
        rows("SELECT VL_JUROS FROM RECOMPRA ORDER BY CD_lancamento");
    ASSERT_EQ(interest.size(), 3);
    EXPECT_EQ(interest[0][0].toDouble(), 3.0) << "open rows brought up to date and saved";
    EXPECT_EQ(interest[1][0].toDouble(), 3.0);
    EXPECT_TRUE(interest[2][0].isNull()) << "a settled row is untouched";
}

TEST_F(FtrocaTest, LeavingTheClientWithoutOneSaysSo) {
    openScreen();
    click(screen, "INCLUIR");
    setText(screen, "NM_CLIENTE", "NINGUEM");
    leave(screen, "NM_CLIENTE");
    EXPECT_EQ(dialogs.last().text, "CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE");
}

TEST_F(FtrocaTest, AClientTypedInAnotherLetterCaseIsFound) {
    openScreen();
    click(screen, "INCLUIR");
    setText(screen, "NM_CLIENTE", QStringLiteral("bruno d'ávila"));
    leave(screen, "NM_CLIENTE");
    EXPECT_FALSE(dialogs.texts().contains("CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE"))
        << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(static_cast<FTROCA*>(screen)->codigoCliente(), "00002");
}

TEST_F(FtrocaTest, AReaderLineWithAnUnknownKeyFillsBankBranchAndAccount) {
    openScreen();
    startExchange("ANA LIMA");
    const QString line = "<23712345<0090001234>123456789012:";
    setText(screen, "Text1", line);
    leave(screen, "Text1");
    EXPECT_EQ(text(screen, "chave"), "<23712345<3456789012:");
    EXPECT_EQ(text(screen, "cd_banco"), "237");
    EXPECT_EQ(text(screen, "cd_agencia"), "1234");
    EXPECT_EQ(text(screen, "cd_conta"), "3456789012");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "cd_documento"));
}

TEST_F(FtrocaTest, AReaderLineWithAKnownKeyFillsTheIssuerAndOnlyTheAccumulatedTotal) {
    addCheque("00001", "11122233344", "A", 300, "00001", "<23712345<3456789012:", "JOSE");
    addCheque("00001", "11122233344", "B", 200, "00002", "<23712345<3456789012:", "JOSE");
    openScreen();
    startExchange("ANA LIMA");
    setText(screen, "Text1", "<23712345<0090001234>123456789012:");
    leave(screen, "Text1");
    EXPECT_EQ(text(screen, "cd_documento"), "11122233344");
    EXPECT_EQ(text(screen, "NM_EMITENTE"), "JOSE");
    EXPECT_EQ(text(screen, "vl_acumulado"), "500");
    EXPECT_EQ(text(screen, "VL_ABERTO"), "0");
    EXPECT_EQ(text(screen, "VL_BAIXADO"), "0");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "dt_deposito"));
}

TEST_F(FtrocaTest, TheReaderEndsItsLineWithAColon) {
    openScreen();
    startExchange("ANA LIMA");
    control(screen, "Text1")->setFocus();
    QTest::keyClicks(control(screen, "Text1"), "<001:");
    EXPECT_EQ(text(screen, "Text1"), "<001:");
    EXPECT_NE(QApplication::focusWidget(), control(screen, "Text1"));
}

TEST_F(FtrocaTest, ABlacklistedDocumentRefusedIsEmptied) {
    exec("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) VALUES ('999', 'CALOTEIRO')");
    openScreen();
    startExchange("ANA LIMA");
    dialogs.answer(DialogAnswer::No);
    fill(screen, "cd_documento", "999");
    const auto& shown = dialogs.shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2].text,
              "DOCUMENTO CONSTA NA LISTA NEGRA! NAO ACEITAR ESTE CHEQUE");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente Aceita-lo");
    EXPECT_EQ(dialogs.last().title, "ALERTA LISTA NEGRA!!!!!!!!!!");
    EXPECT_EQ(text(screen, "cd_documento"), "");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "cd_documento"));
}

TEST_F(FtrocaTest, ADocumentSeenThreeTimesGetsSequenceFourAndItsTotals) {
    addCheque("00001", "555", "A", 100, "00001");
    addCheque("00002", "555", "B", 200, "00002");
    addCheque("00003", "555", "A", 300, "00003");
    openScreen();
    startExchange("ANA LIMA");
    addTypedCheque("555", "15/12/2026", "50");
    EXPECT_EQ(value("SELECT NR_SEQUENCIAL || '|' || VL_ACUMULADO || '|' || VL_ABERTO FROM "
                    "CHEQUES WHERE CD_TROCA = '00004'")
                  .toString(),
              "00004|600.0|400.0");
}

TEST_F(FtrocaTest, TheHistoryIsShownWhenTheDocumentIsLeft) {
    addCheque("00001", "555", "A", 100, "00001", {}, "MARIA");
    addCheque("00002", "555", "B", 200, "00002", {}, "MARIA");
    addCheque("00003", "555", "A", 300, "00003", {}, "MARIA");
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "cd_documento", "555");
    EXPECT_EQ(text(screen, "NM_EMITENTE"), "MARIA");
    EXPECT_EQ(text(screen, "vl_acumulado"), "600");
    EXPECT_EQ(text(screen, "VL_ABERTO"), "400");
    EXPECT_EQ(text(screen, "VL_BAIXADO"), "200");
}

TEST_F(FtrocaTest, ABlacklistedDocumentAcceptedGetsItsOwnSequence) {
    exec("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) VALUES ('777', 'CALOTEIRO')");
    addCheque("00001", "777", "A", 100, "00001");
    addCheque("00001", "888", "A", 100, "00005");
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "cd_documento", "888");  // leaves the screen holding sequence 6
    dialogs.answer(DialogAnswer::Yes);
    addTypedCheque("777", "15/12/2026", "50");
    EXPECT_EQ(value("SELECT NR_SEQUENCIAL FROM CHEQUES WHERE CD_TROCA = '00002'").toString(),
              "00002");
}

TEST_F(FtrocaTest, TheChequeLimitPassesAtTheLimitAndWarnsOneCentAbove) {
    openScreen();
    startExchange("BRUNO D'ÁVILA");
    dialogs.clear();
    fill(screen, "vl_cheque", "1000,00");
    EXPECT_TRUE(dialogs.shown().empty());

    dialogs.answer(DialogAnswer::No);
    fill(screen, "vl_cheque", "1000,01");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].text, "Valor do Cheque superior ao limite do cliente!!");
    EXPECT_EQ(dialogs.shown()[1].text, "Aceitar esse Cheque? ");
    EXPECT_EQ(dialogs.shown()[1].title, "LIMITE SUPERIOR ESTOURADO!! ");
    EXPECT_EQ(text(screen, "vl_cheque"), "0");
}

TEST_F(FtrocaTest, TheConcentrationCountsTheIssuersOpenCheques) {
    addCheque("00001", "321", "A", 1000, "00001");
    openScreen();
    startExchange("BRUNO D'ÁVILA");
    fill(screen, "cd_documento", "321");
    dialogs.clear();
    fill(screen, "vl_cheque", "500");
    EXPECT_TRUE(dialogs.shown().empty()) << "1000 open + 500 equals the concentration";
    dialogs.answer(DialogAnswer::Yes);
    fill(screen, "vl_cheque", "500,01");
    EXPECT_EQ(dialogs.shown()[0].text, "Concentracao no  Documento Estourado");
    EXPECT_EQ(dialogs.shown()[1].title, QStringLiteral("CONCENTRAÇÃO ESTOURADA "));
    EXPECT_EQ(text(screen, "vl_cheque"), "500,01") << "accepted with Yes";
}

TEST_F(FtrocaTest, DepositDatesMoveOffWeekendsAndThePastIsRefused) {
    exec("INSERT INTO FERIADOS (DT_FERIADO) VALUES ('2026-12-25')");
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "dt_deposito", "13/12/2026");  // Sunday
    EXPECT_EQ(text(screen, "dt_deposito"), "14/12/2026");
    fill(screen, "dt_deposito", "25/12/2026");  // Friday holiday
    EXPECT_EQ(text(screen, "dt_deposito"), "28/12/2026");
    fill(screen, "dt_deposito", "08/12/2026");  // today is accepted
    EXPECT_EQ(text(screen, "dt_deposito"), "08/12/2026");

    fill(screen, "dt_deposito", "07/12/2026");
    EXPECT_EQ(dialogs.last().text, "DATA DO CHEQUE NAO PODE SER MENOR QUE A DATA DA TROCA");
    EXPECT_EQ(text(screen, "dt_deposito"), "//");
    fill(screen, "dt_deposito", "31/02/2027");
    EXPECT_EQ(dialogs.last().text, "DATA ERRADA ! CONFIRA");
}

TEST_F(FtrocaTest, LettersCannotBeTypedInTheValue) {
    openScreen();
    startExchange("ANA LIMA");
    type(screen, "vl_cheque", "1a2b3,5x0");
    EXPECT_EQ(text(screen, "vl_cheque"), "123,50");
}

TEST_F(FtrocaTest, AChequeWithoutValueOrDateIsNotStored) {
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "cd_documento", "123");
    click(screen, "Command2");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("VALOR DO CHEQUE INVÁLIDO! INFORME O VALOR"));
    fill(screen, "vl_cheque", "100");
    click(screen, "Command2");
    EXPECT_EQ(dialogs.last().text, "DATA ERRADA ! CONFIRA");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES").toInt(), 0);
}

TEST_F(FtrocaTest, AWholeExchangeWithEveryFeeMatchesTheCalculationToTheCent) {
    setParameters(
        "st_dia = 1, st_cpmf = 1, vl_cpmf = 0.0038, st_custodia = 1, vl_custodia = 1.5, "
        "st_advalorem = 1, vl_advalorem = 0.001, st_iof = 1, vl_iof = 0.0041, st_tac = 1, "
        "vl_tac = 10, st_consulta = 1, vl_consulta = 2.5");
    clock.set(QDateTime(QDate(2027, 1, 10), QTime(9, 0, 0)));
    openScreen();
    startExchange("ANA LIMA");
    EXPECT_EQ(shown("VL_TARIFA"), 10.0) << "the fixed TAC is there from the start";
    addTypedCheque("111", "10/02/2027", "1000");
    EXPECT_EQ(rows("SELECT NR_DIAS, VL_JUROS, VL_CPMF, VL_CUSTODIA, VL_ADVALOREM, VL_IOF, "
                   "VL_TAC, VL_CONSULTA, VL_LIQUIDO, CD_STATUS, CD_DESTINO, VL_TAXA, DT_TROCA, "
                   "DT_DEPOSITO, CD_CHAVE FROM CHEQUES"),
              (QList<QVariantList>{{32, 32.0, 3.8, 1.5, 1.0, 4.2, 10.0, 2.5, 945.0, "A", "00001",
                                    3.0, "2027-01-10", "2027-02-10", "00112340000012345"}}));
    EXPECT_EQ(text(screen, "VL_TARIFA"), "23,00");
    EXPECT_EQ(text(screen, "LIQUIDO"), "945,00");
    EXPECT_EQ(text(screen, "VL_BRUTO"), "1000,00");
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "1");

    addTypedCheque("222", "10/03/2027", "500,50");
    addTypedCheque("111", "11/02/2027", "250");
    // Second and third cheques: no TAC; the net total takes every fee of every cheque once.
    const QList<QVariantList> stored = rows(
        "SELECT VL_CHEQUE, VL_JUROS, VL_CPMF + VL_CUSTODIA + VL_ADVALOREM + VL_IOF + "
        "VL_TAC + VL_CONSULTA, VL_TAC FROM CHEQUES ORDER BY id");
    ASSERT_EQ(stored.size(), 3);
    double gross = 0, interest = 0;
    double tariffs = 10;  // the fixed TAC
    for (const QVariantList& row : stored) {
        gross += row[0].toDouble();
        interest += row[1].toDouble();
        tariffs += row[2].toDouble() - row[3].toDouble();
    }
    EXPECT_EQ(stored[1][3].toDouble(), 0.0);
    EXPECT_EQ(stored[2][3].toDouble(), 0.0);
    EXPECT_NEAR(shown("VL_BRUTO"), gross, 0.001);
    EXPECT_NEAR(shown("VL_JUROS"), interest, 0.001);
    EXPECT_NEAR(shown("VL_TARIFA"), tariffs, 0.02);
    EXPECT_NEAR(shown("LIQUIDO"), gross - interest - tariffs, 0.02);
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "3");
    EXPECT_EQ(gridRows(screen, "DBGrid1").size(), 3);
    EXPECT_EQ(gridRows(screen, "DBGrid1")[0][0], "10/02/2027") << "by deposit date";
}

TEST_F(FtrocaTest, RemovingTheOnlyChequeBringsTheFixedTacBackForTheNext) {
    setParameters("st_tac = 1, vl_tac = 10");
    openScreen();
    startExchange("ANA LIMA");
    addTypedCheque("111", "15/12/2026", "1000");
    clickGridRow(screen, "DBGrid1", 0);
    click(screen, "cancelacheque");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES").toInt(), 0);
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "0");
    EXPECT_EQ(shown("VL_BRUTO"), 0.0);
    EXPECT_TRUE(
        programFileLines("FC001081226.log")
            .contains("Data: 08/12/2026 Hora: 14:05.09-Supervisor-EXCLUIDO O CHEQUE: -1000"));

    addTypedCheque("111", "15/12/2026", "1000");
    EXPECT_EQ(value("SELECT VL_TAC FROM CHEQUES").toDouble(), 10.0);
    EXPECT_EQ(shown("VL_TARIFA"), 10.0) << "the exchange's TAC is charged once";
}

TEST_F(FtrocaTest, RemovingWithNoChequeDoesNothing) {
    openScreen();
    startExchange("ANA LIMA");
    click(screen, "cancelacheque");
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "0");
    EXPECT_FALSE(programFileLines("FC001081226.log").join("\n").contains("EXCLUIDO O CHEQUE"));
}

TEST_F(FtrocaTest, CancellingAnExchangeDeletesEveryChequeOfItOnlyOnYes) {
    addCheque("00007", "1", "A", 10, "00001");
    addCheque("00007", "2", "B", 20, "00001");
    addCheque("00007", "3", "C", 30, "00001");
    addCheque("00008", "4", "A", 40, "00001");
    openScreen();
    dialogs.answerText("7");
    dialogs.answer(DialogAnswer::No);
    click(screen, "Command1");
    EXPECT_EQ(dialogs.shown()[0].text, "DIGITE A TROCA A SER CANCELADA: ");
    EXPECT_EQ(dialogs.shown()[0].title, "CANCELAR TROCA.");
    EXPECT_EQ(dialogs.shown()[1].text, "Deseja Realmente Excluir essa troca");
    EXPECT_EQ(dialogs.shown()[1].title, "CANCELAMENTO DE  TROCAS");
    EXPECT_EQ(gridRows(screen, "DBGrid1").size(), 3) << "the grid shows the exchange";
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES").toInt(), 4);

    dialogs.answerText("7");
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "Command1");
    EXPECT_EQ(rows("SELECT CD_TROCA FROM CHEQUES"), (QList<QVariantList>{{"00008"}}));
    EXPECT_TRUE(gridRows(screen, "DBGrid1").isEmpty());
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .contains("Data: 08/12/2026 Hora: 14:05.09-Supervisor-EXCLUI A TROCA-7"));
}

TEST_F(FtrocaTest, PrintingTheLastExchangeUsesTheNumberOnTheScreen) {
    openScreen();
    click(screen, "INCLUIR");
    dialogs.clear();
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "Command5");
    EXPECT_EQ(dialogs.shown()[0].text, "IMPRIMIR ULTIMA TROCA ? ");
    EXPECT_EQ(dialogs.shown()[0].title, QStringLiteral("EMISSÃO DE TROCAS "));
    ASSERT_EQ(reports.printed().size(), 1u);
    EXPECT_EQ(reports.last().templateName, "troca.rpt");
    EXPECT_EQ(reports.last().formula, "{cheques.cd_troca}= '00001'");
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .contains("Data: 08/12/2026 Hora: 14:05.09-Supervisor-IMPRIMIU A TROCA-00001"));
}

TEST_F(FtrocaTest, PrintingATypedExchangeListsExactlyItsCheques) {
    addCheque("00007", "1", "A", 10, "00001");
    addCheque("00007", "2", "B", 20, "00001");
    addCheque("00017", "3", "A", 40, "00001");
    openScreen();
    dialogs.answer(DialogAnswer::No);
    dialogs.answerText("7");
    click(screen, "Command5");
    EXPECT_EQ(dialogs.shown()[1].text, QStringLiteral("DIGITE O NÚMERO DA TROCA: "));
    EXPECT_EQ(dialogs.shown()[1].title, "EMITIR TROCA SELECIONADA..");
    ASSERT_EQ(reports.printed().size(), 1u);
    EXPECT_EQ(reports.last().formula, "{cheques.cd_troca}= '00007'");
    const QString printed = test::reportText(reports.last().content);
    EXPECT_TRUE(printed.contains("00007"));
    EXPECT_FALSE(printed.contains("00017"));
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .contains("Data: 08/12/2026 Hora: 14:05.09-Supervisor-IMPRIMIU A TROCA-7"));
}

TEST_F(FtrocaTest, AnExchangeHandedBackBecomesTheCurrentOne) {
    addCheque("00012", "1", "A", 100, "00001");
    addCheque("00012", "2", "A", 200, "00001");
    exec("UPDATE CHEQUES SET VL_JUROS = 5, VL_CONSULTA = 2.5");
    FTROCA* troca = openScreen();
    troca->carregaTroca({"12", "2,5", QDate(2026, 12, 1), "00002", "300,00", "12,50", "40", "7,30",
                         "240,20", "00002"});
    EXPECT_EQ(text(screen, "CD_TROCA"), "00012");
    EXPECT_EQ(text(screen, "vl_taxa"), "2,5");
    EXPECT_EQ(text(screen, "NM_CLIENTE"), QStringLiteral("BRUNO D'ÁVILA"));
    EXPECT_EQ(troca->codigoCliente(), "00002");
    EXPECT_EQ(gridRows(screen, "DBGrid1").size(), 2) << "the grid shows exchange 00012";
    // The totals are those of the rows; the debits are the exchange's, as handed back.
    EXPECT_EQ(text(screen, "VL_BRUTO"), "300,00");
    EXPECT_EQ(text(screen, "VL_JUROS"), "10,00");
    EXPECT_EQ(text(screen, "VL_TARIFA"), "5,00");
    EXPECT_EQ(text(screen, "vl_debitos"), "40,00");
    EXPECT_EQ(text(screen, "LIQUIDO"), "245,00");
    EXPECT_EQ(text(screen, "NR_CHEQUES"), "2");
    EXPECT_TRUE(control(screen, "Command2")->isEnabled());
}

TEST_F(FtrocaTest, CaixaIsNotAvailable) {
    openScreen();
    click(screen, "Command3");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Não disponível nessa versão !!!"));
}

}  // namespace
}  // namespace tavrel
