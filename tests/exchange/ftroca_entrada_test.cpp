// The exchange screen's cheque entry as the operator's keys and clicks reach it: every route to
// "&ADICIONAR CHEQUE", leaving procedures that move the focus, the reader line, the client box
// and what the entry carries from one cheque to the next.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ftroca_fixture.h"

namespace tavrel {
namespace {

using test::FtrocaTest;

const QString kPastDate = QStringLiteral("DATA DO CHEQUE NAO PODE SER MENOR QUE A DATA DA TROCA");

// Keys reach whatever has the focus, as a keyboard or a cheque reader sends them.
void typeAsTheKeyboard(const QString& keys) {
    for (const QChar key : keys) {
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    }
}

// --- Every route to "&ADICIONAR CHEQUE" checks the deposit date ------------------------------

TEST_F(FtrocaTest, AltAWithAPastDateStoresNothing) {
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "cd_documento", "111");
    fill(screen, "vl_cheque", "1000");
    type(screen, "dt_deposito", "01/12/2026");  // not left
    dialogs.clear();
    pressAlt(Qt::Key_A);
    EXPECT_EQ(dialogs.texts(), QStringList{kPastDate}) << "asked once, by leaving the date";
    EXPECT_EQ(chequeCount(), 0);
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "dt_deposito"));

    // Pasted and clicked without the field ever being left: the command checks it itself.
    setText(screen, "dt_deposito", "01/12/2026");
    click(screen, "Command2");
    EXPECT_EQ(dialogs.last().text, kPastDate);
    EXPECT_EQ(chequeCount(), 0);
}

TEST_F(FtrocaTest, AltAWithASundayStoresTheMonday) {
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "cd_documento", "111");
    fill(screen, "vl_cheque", "1000");
    type(screen, "dt_deposito", "13/12/2026");  // a Sunday, not left
    pressAlt(Qt::Key_A);
    EXPECT_EQ(rows("SELECT DT_DEPOSITO, NR_DIAS FROM CHEQUES"),
              (QList<QVariantList>{{"2026-12-14", 6}}));

    // The same by a paste and a click that takes no focus.
    fill(screen, "vl_cheque", "1000");
    setText(screen, "dt_deposito", "13/12/2026");
    click(screen, "Command2");
    EXPECT_EQ(value("SELECT DT_DEPOSITO FROM CHEQUES ORDER BY id DESC").toString(), "2026-12-14");
    EXPECT_TRUE(dialogs.shown().empty() || dialogs.last().text != kPastDate);
}

TEST_F(FtrocaTest, AMouseClickLeavesTheFieldFirst) {
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "cd_documento", "111");
    fill(screen, "vl_cheque", "1000");
    type(screen, "dt_deposito", "01/12/2026");
    dialogs.clear();
    QTest::mouseClick(control(screen, "Command2"), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(), QStringList{kPastDate});
    EXPECT_EQ(chequeCount(), 0);

    type(screen, "dt_deposito", "12/12/2026");  // a Saturday
    QTest::mouseClick(control(screen, "Command2"), Qt::LeftButton);
    EXPECT_EQ(value("SELECT DT_DEPOSITO FROM CHEQUES").toString(), "2026-12-14");
}

// The keyboard flow: Enter moves from field to field up to the command, and Enter on it adds.
TEST_F(FtrocaTest, EnterOnTheFocusedCommandAddsTheCheque) {
    openScreen();
    startExchange("ANA LIMA");
    enterTypedCheque("111", "15/12/2026", "1000");
    type(screen, "NR_CHEQUE", "000123");
    press(screen, "NR_CHEQUE", Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), control(screen, "Command2"));
    press(screen, "Command2", Qt::Key_Return);
    EXPECT_EQ(rows("SELECT NR_CHEQUE, VL_CHEQUE FROM CHEQUES"),
              (QList<QVariantList>{{"000123", 1000.0}}));
}

// A limit answered when the value was left is not asked again by the command; a value that was
// never left is asked about by the command, and "No" stores nothing.
TEST_F(FtrocaTest, TheLimitsAreAnsweredOnceWhateverTheRoute) {
    openScreen();
    startExchange("BRUNO D'ÁVILA");
    fill(screen, "cd_documento", "111");
    fill(screen, "dt_deposito", "15/12/2026");
    dialogs.answer(DialogAnswer::Yes);
    fill(screen, "vl_cheque", "1200");
    dialogs.clear();
    click(screen, "Command2");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(chequeCount(), 1);

    fill(screen, "cd_documento", "222");
    fill(screen, "dt_deposito", "15/12/2026");
    setText(screen, "vl_cheque", "1300");
    dialogs.clear();
    dialogs.answer(DialogAnswer::No);
    click(screen, "Command2");
    EXPECT_EQ(dialogs.shown().at(1).title, "LIMITE SUPERIOR ESTOURADO!! ");
    EXPECT_EQ(chequeCount(), 1);
    EXPECT_EQ(text(screen, "vl_cheque"), "0");
}

// --- A leaving procedure never runs inside another -------------------------------------------

TEST_F(FtrocaTest, APastDateLeftWithTabRunsOnlyTheDateCheck) {
    openScreen();
    startExchange("BRUNO D'ÁVILA");
    setText(screen, "vl_cheque", "5000");  // over both limits, not left yet
    type(screen, "dt_deposito", "01/12/2026");
    dialogs.clear();
    leave(screen, "dt_deposito");
    EXPECT_EQ(dialogs.texts(), QStringList{kPastDate});
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "dt_deposito"));
    // The field that has the focus back works as a focused field does.
    EXPECT_TRUE(control(screen, "dt_deposito")->hasFocus());
}

TEST_F(FtrocaTest, AKnownReaderLineDoesNotRunTheChecksOfAnEmptyDocument) {
    // Cheques without a document must not become the issuer's open total.
    addCheque("00001", "", "A", 999, "00001");
    addCheque("00001", "11122233344", "B", 200, "00001", "<23712345<34567:", "JOSE");
    openScreen();
    startExchange("ANA LIMA");
    control(screen, "Text1")->setFocus();
    dialogs.clear();
    typeAsTheKeyboard("<23712345<0090001234>1234567:");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "dt_deposito"));
    EXPECT_EQ(text(screen, "cd_documento"), "11122233344");
    EXPECT_EQ(text(screen, "NM_EMITENTE"), "JOSE");
    EXPECT_EQ(text(screen, "vl_acumulado"), "200");
    EXPECT_EQ(text(screen, "VL_ABERTO"), "0");
    EXPECT_TRUE(dialogs.shown().empty());

    fill(screen, "dt_deposito", "15/12/2026");
    fill(screen, "vl_cheque", "100");
    click(screen, "Command2");
    EXPECT_EQ(rows("SELECT CD_DOCUMENTO, VL_ACUMULADO, VL_ABERTO, NR_SEQUENCIAL, CD_CHAVE FROM "
                   "CHEQUES WHERE CD_TROCA = '00002'"),
              (QList<QVariantList>{{"11122233344", 200.0, 0.0, "00002", "<23712345<34567:"}}));
}

TEST_F(FtrocaTest, AltNFromTheRateFieldStartsTheNextExchangeQuietly) {
    openScreen();
    startExchange("ANA LIMA");
    addTypedCheque("111", "15/12/2026", "1000");
    type(screen, "vl_taxa", "3");
    dialogs.clear();
    pressAlt(Qt::Key_N);
    EXPECT_TRUE(dialogs.shown().empty()) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(text(screen, "CD_TROCA"), "00002");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "NM_CLIENTE"));

    // An emptied rate does not hold "&NOVO" either: the rate is checked where a cheque needs it.
    startExchange("ANA LIMA");
    type(screen, "vl_taxa", "");
    pressAlt(Qt::Key_N);
    EXPECT_TRUE(dialogs.shown().empty()) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(text(screen, "CD_TROCA"), "00002");
}

// --- The reader line -------------------------------------------------------------------------

TEST_F(FtrocaTest, AFullReaderLineKeepsItsAccountAndKey) {
    openScreen();
    startExchange("ANA LIMA");
    control(screen, "Text1")->setFocus();
    typeAsTheKeyboard("<00100019<0180000095>700010001234:");
    EXPECT_EQ(text(screen, "Text1"), "<00100019<0180000095>700010001234:");
    EXPECT_EQ(text(screen, "chave"), "<00100019<0010001234:");
    EXPECT_EQ(text(screen, "cd_banco"), "001");
    EXPECT_EQ(text(screen, "cd_agencia"), "0001");
    EXPECT_EQ(text(screen, "cd_conta"), "0010001234");
    EXPECT_EQ(text(screen, "cd_documento"), "") << "nothing of the line in the document";
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "cd_documento"));
}

TEST_F(FtrocaTest, AReaderLineEndsWithEnterOrWhenItHoldsTheWholeKey) {
    openScreen();
    startExchange("ANA LIMA");
    control(screen, "Text1")->setFocus();
    typeAsTheKeyboard("<00100019<0180000095>7000100012");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(text(screen, "cd_conta"), "00100012");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "cd_documento"));

    // 35 characters hold every position of the key: the line is taken, and the ":" the reader
    // sends after it does not land in the document.
    control(screen, "Text1")->setFocus();
    control<QLineEdit>(screen, "Text1")->clear();
    typeAsTheKeyboard("<00100019<0180000095>70001000123456:");
    EXPECT_EQ(text(screen, "Text1"), "<00100019<0180000095>70001000123456");
    EXPECT_EQ(text(screen, "chave"), "<00100019<001000123456");
    EXPECT_EQ(text(screen, "cd_documento"), "");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "cd_documento"));
    typeAsTheKeyboard("123");
    EXPECT_EQ(text(screen, "cd_documento"), "123");
}

// --- The client ------------------------------------------------------------------------------

TEST_F(FtrocaTest, TheScreenOpensOnNovo) {
    openScreen();
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "INCLUIR"));
}

TEST_F(FtrocaTest, AClientTypedInAnotherCaseIsLoadedWithItsDebt) {
    exec(
        "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, "
        "DT_DEPOSITO, VL_JUROS, CD_STATUS) VALUES ('0000000001', '00002', '00000', 100, 3, "
        "'2026-11-08', 0, 'A')");
    openScreen();
    click(screen, "INCLUIR");
    dialogs.clear();
    type(screen, "NM_CLIENTE", QStringLiteral("bruno d'ávila"));
    leave(screen, "NM_CLIENTE");
    EXPECT_TRUE(dialogs.shown().empty()) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(text(screen, "NM_CLIENTE"), QStringLiteral("BRUNO D'ÁVILA"));
    EXPECT_EQ(text(screen, "vl_taxa"), "2,5");
    EXPECT_EQ(shown("vl_debitos"), 40.0);
    EXPECT_EQ(text(screen, "RECOMPRA"), "103");
}

// The fixture's leave() moves on as the operator's Tab does while the completion list is open.
TEST_F(FtrocaTest, LeavingTheClientBoxWithItsListOpenMovesOn) {
    openScreen();
    click(screen, "INCLUIR");
    type(screen, "NM_CLIENTE", "bru");
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "the list of BRUNO D'ÁVILA";
    leave(screen, "NM_CLIENTE");
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_NE(QApplication::focusWidget(), control(screen, "NM_CLIENTE"));
    EXPECT_EQ(dialogs.last().text, "CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE");
}

TEST_F(FtrocaTest, AnEmptyClientIsWarnedOfOnlyOnTheWayToTheFields) {
    openScreen();
    click(screen, "INCLUIR");
    dialogs.clear();
    control(screen, "SAIR")->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(dialogs.shown().empty()) << "towards a command";

    control(screen, "NM_CLIENTE")->setFocus();
    control(screen, "Text1")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE")});
}

TEST_F(FtrocaTest, NovoAndAnotherClientClearTheLimitAndTheRepurchase) {
    exec(
        "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, "
        "DT_DEPOSITO, VL_JUROS, CD_STATUS) VALUES ('0000000001', '00002', '00000', 100, 3, "
        "'2026-11-08', 0, 'A')");
    openScreen();
    startExchange("BRUNO D'ÁVILA");
    ASSERT_EQ(text(screen, "RECOMPRA"), "103");
    auto* combo = control<QComboBox>(screen, "NM_CLIENTE");
    combo->setCurrentIndex(combo->findText("ANA LIMA"));
    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(text(screen, "RECOMPRA"), "RECOMPRA");

    startExchange("BRUNO D'ÁVILA");
    click(screen, "INCLUIR");
    EXPECT_EQ(text(screen, "RECOMPRA"), "RECOMPRA");
    EXPECT_EQ(text(screen, "VL_LIMITE"), "0");
}

// --- What the stored cheque carries ----------------------------------------------------------

TEST_F(FtrocaTest, ANewDocumentForgetsThePreviousIssuer) {
    addCheque("00001", "555", "A", 100, "00001", {}, "MARIA");
    addCheque("00002", "555", "A", 200, "00002", {}, "MARIA");
    openScreen();
    startExchange("ANA LIMA");
    fill(screen, "cd_documento", "555");
    ASSERT_EQ(text(screen, "NM_EMITENTE"), "MARIA");
    addTypedCheque("999", "15/12/2026", "50");
    EXPECT_EQ(rows("SELECT NM_EMITENTE, VL_ACUMULADO, VL_ABERTO, NR_SEQUENCIAL FROM CHEQUES "
                   "WHERE CD_DOCUMENTO = '999'"),
              (QList<QVariantList>{{"", 0.0, 0.0, "00001"}}));

    // Typed over without leaving the field: the command reads the document it is given.
    fill(screen, "cd_documento", "555");
    fill(screen, "dt_deposito", "15/12/2026");
    fill(screen, "vl_cheque", "60");
    setText(screen, "cd_documento", "998");
    click(screen, "Command2");
    EXPECT_EQ(rows("SELECT NM_EMITENTE, VL_ACUMULADO, VL_ABERTO, NR_SEQUENCIAL FROM CHEQUES "
                   "WHERE CD_DOCUMENTO = '998'"),
              (QList<QVariantList>{{"", 0.0, 0.0, "00001"}}));
}

TEST_F(FtrocaTest, ACorrectedAccountChangesTheKey) {
    openScreen();
    startExchange("ANA LIMA");
    enterTypedCheque("111", "15/12/2026", "100", "001", "1234", "0000012345");
    fill(screen, "cd_conta", "0000099999");
    EXPECT_EQ(text(screen, "chave"), "00112340000099999");
    setText(screen, "cd_agencia", "4321");  // pasted, never left
    click(screen, "Command2");
    EXPECT_EQ(value("SELECT CD_CHAVE FROM CHEQUES").toString(), "00143210000099999");
}

}  // namespace
}  // namespace tavrel
