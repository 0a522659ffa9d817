#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>

#include "support/fixture.h"

namespace tavrel {
namespace {

const QString kLog = QStringLiteral("FC001081226.log");

class ClientesTest : public test::AppFixture {
protected:
    ClientesTest() { screen = open("fclientes"); }

    void addClient(const QString& name, const QString& limit = QStringLiteral("0")) {
        type(screen, "nm_cliente", name);
        type(screen, "vl_limite", limit);
        click(screen, "CONFIRMA");
    }
    void addCheque(const QString& client, double value, const QString& status) {
        exec("INSERT INTO CHEQUES (CD_CLIENTE, VL_CHEQUE, CD_STATUS) VALUES (?, ?, ?)",
             {client, value, status});
    }
    QStringList codes() const {
        QStringList result;
        for (const QVariantList& row : rows("SELECT CD_CLIENTE FROM CLIENTES ORDER BY id"))
            result << row.first().toString();
        return result;
    }
    // The action lines of today's operation log (without the hyphen lines).
    QStringList logLines() const {
        QStringList lines = programFileLines(kLog);
        lines.removeIf([](const QString& line) { return line.startsWith("-----"); });
        return lines;
    }
    QWidget* screen = nullptr;
};

TEST_F(ClientesTest, ShowsEveryNamedControlWithItsCaptionAndStartsWithZeroedValues) {
    EXPECT_EQ(screen->windowTitle(), "Cadastro de Clientes");
    for (const char* name :
         {"cd_cliente",    "nm_cliente",      "ds_endereco", "ds_bairro", "ds_cidade",
          "nr_telefone",   "cd_cpf",          "cd_cnpj",     "ds_obs",    "vl_limite",
          "lm_cheque",     "lm_concentracao", "vl_taxa",     "vl_usado",  "vl_disponivel",
          "vl_compensado", "GridEX1",         "CONFIRMA",    "alterar",   "EXCLUIR",
          "Command2",      "Command1"}) {
        EXPECT_NE(screen->findChild<QWidget*>(name), nullptr) << name;
    }
    EXPECT_EQ(text(screen, "Command2"), "&Limpa Campos");
    EXPECT_EQ(control(screen, "CONFIRMA")->toolTip(), "CLICAR AQUI APOS DIGITAR TODOS OS DADOS  ");
    EXPECT_EQ(control(screen, "cd_cliente")->toolTip(),
              "Este Campo não precisa ser preenchido na inclusão");
    EXPECT_EQ(gridRows(screen, "GridEX1"), QList<QStringList>{});
    for (const char* name : {"vl_limite", "lm_cheque", "lm_concentracao", "vl_taxa", "vl_usado"})
        EXPECT_EQ(text(screen, name), "0") << name;
    EXPECT_EQ(text(screen, "vl_disponivel"), "");
    EXPECT_TRUE(control<QLineEdit>(screen, "vl_usado")->isReadOnly());
    EXPECT_TRUE(logLines().isEmpty()) << "opening writes nothing to the log";
}

TEST_F(ClientesTest, CodesAreTheLastCodePlusOneWhateverWasTyped) {
    type(screen, "cd_cliente", "00050");
    addClient("Primeiro");
    EXPECT_EQ(codes(), QStringList{"00001"});

    for (int i = 2; i <= 7; ++i)
        addClient(QStringLiteral("Cliente %1").arg(i));
    exec("DELETE FROM CLIENTES WHERE CD_CLIENTE = '00003'");
    type(screen, "cd_cliente", "00003");
    addClient("Oitavo");
    EXPECT_EQ(codes().last(), "00008") << "a gap left by a deleted client is not filled";

    // Deleting the highest code gives it out again.
    clickGridRow(screen, "GridEX1", 5);  // "Oitavo", between "Cliente 7" and "Primeiro"
    ASSERT_EQ(text(screen, "cd_cliente"), "00008");
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    addClient("Outro");
    EXPECT_EQ(codes().last(), "00008");
    EXPECT_EQ(value("SELECT NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = '00008'").toString(),
              "Outro");
}

TEST_F(ClientesTest, AddingStoresEveryFieldWithRegionalNumbersAndQuotes) {
    setText(screen, "nm_cliente", "João D'Ávila");  // key clicks know only ASCII
    type(screen, "ds_endereco", "Rua d'Ajuda, 10");
    type(screen, "ds_bairro", "Centro");
    type(screen, "ds_cidade", "Recife");
    type(screen, "nr_telefone", "(81) 3333-4444");
    type(screen, "cd_cpf", "123.456.789-00");
    type(screen, "cd_cnpj", "");
    type(screen, "ds_obs", "adiantou R$ 100");
    type(screen, "vl_limite", "1.500,75");
    type(screen, "lm_cheque", "300");
    type(screen, "lm_concentracao", "450,5");
    type(screen, "vl_taxa", "4,5");
    click(screen, "CONFIRMA");

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(rows("SELECT CD_CLIENTE, NM_CLIENTE, NR_TELEFONES, ds_endereco, ds_bairro, "
                   "ds_cidade, cd_cpf, cd_cnpj, ds_obs, VL_LIMITE, LM_CHEQUE, LM_CONCENTRACAO, "
                   "VL_TAXA FROM CLIENTES"),
              (QList<QVariantList>{{"00001", "João D'Ávila", "(81) 3333-4444", "Rua d'Ajuda, 10",
                                    "Centro", "Recife", "123.456.789-00", "", "adiantou R$ 100",
                                    1500.75, 300.0, 450.5, 4.5}}));
    EXPECT_EQ(logLines(), QStringList{"Data: 08/12/2026 Hora: 14:05.09-Supervisor-INCLUIU O "
                                      "CLIENTE: -João D'Ávila"});
    // Cleared after adding.
    EXPECT_EQ(text(screen, "nm_cliente"), "");
    EXPECT_EQ(text(screen, "ds_cidade"), "");
    EXPECT_EQ(text(screen, "vl_taxa"), "0");
}

TEST_F(ClientesTest, ALimitWithLettersIsReportedOnceAndTheRestIsStillWritten) {
    type(screen, "nm_cliente", "Carlos");
    type(screen, "vl_limite", "12abc");
    type(screen, "vl_taxa", "3,5");
    click(screen, "CONFIRMA");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const QString report = dialogs.last().text;
    EXPECT_TRUE(report.startsWith("Erro No.13 - ")) << report.toStdString();
    EXPECT_TRUE(report.contains("Formulário: fclientes"));
    EXPECT_TRUE(report.contains("Objeto: vl_limite"));
    EXPECT_TRUE(report.contains("Procedure: incluir")) << "the procedure, not the window title";
    EXPECT_EQ(rows("SELECT NM_CLIENTE, VL_LIMITE, VL_TAXA FROM CLIENTES"),
              (QList<QVariantList>{{"Carlos", 0.0, 3.5}}));
    EXPECT_EQ(logLines().size(), 1) << "the inclusion is still logged";
}

TEST_F(ClientesTest, ADottedDecimalIsRefusedRatherThanReadAsThousands) {
    addClient("Carlos", "1500.75");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith("Erro No.13 - "));
    EXPECT_EQ(value("SELECT VL_LIMITE FROM CLIENTES").toDouble(), 0.0);
}

TEST_F(ClientesTest, ChoosingAClientShowsItsOpenAvailableAndClearedTotals) {
    addClient("Ana", "1.000");
    addClient("Bia", "1.500,75");
    addCheque("00001", 150.25, "A");
    addCheque("00001", 49.755, "A");
    addCheque("00001", 300, "B");
    addCheque("00001", 999, "C");   // returned: in no total
    addCheque("00002", 5000, "A");  // another client's

    clickGridRow(screen, "GridEX1", 0);
    EXPECT_EQ(text(screen, "nm_cliente"), "Ana");
    EXPECT_EQ(text(screen, "vl_limite"), "1000");
    EXPECT_EQ(text(screen, "vl_usado"), "200,01");
    EXPECT_EQ(text(screen, "vl_disponivel"), "799,99");
    EXPECT_EQ(text(screen, "vl_compensado"), "300,00");

    // They are worked out once: editing the limit does not move them.
    type(screen, "vl_limite", "50");
    EXPECT_EQ(text(screen, "vl_disponivel"), "799,99");

    exec("DELETE FROM CHEQUES WHERE CD_CLIENTE = '00002'");
    clickGridRow(screen, "GridEX1", 1);
    EXPECT_EQ(text(screen, "vl_usado"), "0,00");
    EXPECT_EQ(text(screen, "vl_disponivel"), "1500,75");
    EXPECT_EQ(text(screen, "vl_compensado"), "0,00");

    click(screen, "Command2");
    EXPECT_EQ(text(screen, "vl_usado"), "0");
    EXPECT_EQ(text(screen, "vl_disponivel"), "");
    EXPECT_EQ(text(screen, "vl_compensado"), "");
    EXPECT_EQ(text(screen, "cd_cliente"), "");
}

TEST_F(ClientesTest, ChangingWritesTheRowShownLogsAndClears) {
    addClient("Ana", "100");
    addClient("Bia", "200");
    clickGridRow(screen, "GridEX1", 1);  // Bia
    setText(screen, "nm_cliente", "Bia D'Ávila");
    type(screen, "lm_cheque", "2.000,5");
    click(screen, "alterar");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(rows("SELECT CD_CLIENTE, NM_CLIENTE, VL_LIMITE, LM_CHEQUE FROM CLIENTES ORDER BY "
                   "CD_CLIENTE"),
              (QList<QVariantList>{{"00001", "Ana", 100.0, 0.0},
                                   {"00002", "Bia D'Ávila", 200.0, 2000.5}}));
    EXPECT_EQ(text(screen, "nm_cliente"), "");
    EXPECT_TRUE(logLines().last().endsWith("-Supervisor-ALTEROU O  O CLIENTE :-Bia D'Ávila"));
}

TEST_F(ClientesTest, AnotherCodeTypedInTheCodeBoxDoesNotOverwriteThatRow) {
    addClient("Alfa", "100");
    addClient("Gama", "300");
    const QList<QVariantList> before = rows("SELECT * FROM CLIENTES ORDER BY id");
    const int logged = logLines().size();

    // Alfa shown, then Gama's code typed over Alfa's: this used to turn Alfa into Gama.
    clickGridRow(screen, "GridEX1", 0);
    ASSERT_EQ(text(screen, "cd_cliente"), "00001");
    type(screen, "cd_cliente", "00002");
    setText(screen, "nm_cliente", "Alfa Novo");
    click(screen, "alterar");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("O código 00002 não é o do registro escolhido na grade (00001). "
                             "Escolha na grade o registro a ser alterado. Nada foi alterado."));
    EXPECT_EQ(text(screen, "nm_cliente"), "Alfa Novo") << "what was typed is kept";

    // An emptied code box, and no row shown at all, are refused the same way.
    type(screen, "cd_cliente", "");
    click(screen, "alterar");
    click(screen, "Command2");
    type(screen, "cd_cliente", "00001");
    setText(screen, "nm_cliente", "Sem Escolha");
    click(screen, "alterar");
    EXPECT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Escolha na grade o registro a ser alterado antes de clicar em "
                             "Alterar. Nada foi alterado."));

    EXPECT_EQ(rows("SELECT * FROM CLIENTES ORDER BY id"), before);
    EXPECT_EQ(logLines().size(), logged) << "nothing changed, nothing logged";
}

TEST_F(ClientesTest, MovingIntoTheGridKeepsTheRowBeingTyped) {
    addClient("Primeiro", "100");
    addClient("Segundo", "200");
    activate(screen);
    type(screen, "nm_cliente", "Novo Cliente");
    type(screen, "vl_limite", "500");

    // Shift+Tab from the code box wraps round to the grid, the last control of the screen.
    control(screen, "cd_cliente")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control(screen, "cd_cliente"), Qt::Key_Backtab);
    auto* grid = control<QTableView>(screen, "GridEX1");
    ASSERT_EQ(QApplication::focusWidget(), grid);
    ASSERT_TRUE(grid->currentIndex().isValid()) << "the grid made its first line current";
    EXPECT_EQ(text(screen, "nm_cliente"), "Novo Cliente");
    EXPECT_EQ(text(screen, "cd_cliente"), "");
    EXPECT_EQ(text(screen, "vl_limite"), "500");

    // Moving with the keyboard inside the grid shows the line moved to.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(text(screen, "nm_cliente"), "Segundo");
    EXPECT_EQ(text(screen, "cd_cliente"), "00002");

    // A click on the line shown shows it again, undoing edits.
    setText(screen, "nm_cliente", "Editado");
    clickGridRow(screen, "GridEX1", 1);
    EXPECT_EQ(text(screen, "nm_cliente"), "Segundo");

    // The new row is added whole, not mixed with a shown one.
    click(screen, "Command2");
    type(screen, "nm_cliente", "Novo Cliente");
    type(screen, "vl_limite", "500");
    control(screen, "cd_cliente")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control(screen, "cd_cliente"), Qt::Key_Backtab);
    click(screen, "CONFIRMA");
    EXPECT_EQ(rows("SELECT CD_CLIENTE, NM_CLIENTE, VL_LIMITE FROM CLIENTES ORDER BY id"),
              (QList<QVariantList>{{"00001", "Primeiro", 100.0},
                                   {"00002", "Segundo", 200.0},
                                   {"00003", "Novo Cliente", 500.0}}));
}

TEST_F(ClientesTest, DeletingAsksWithTheNameAndOnlyYesDeletesAndLogs) {
    addClient("Ana", "100");
    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :Ana");
    EXPECT_EQ(dialogs.last().title, "EXCLUSÃO");
    EXPECT_EQ(dialogs.last().buttons, DialogButtons::YesNo);
    EXPECT_EQ(dialogs.last().icon, DialogIcon::Question);
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 1);
    EXPECT_EQ(text(screen, "nm_cliente"), "") << "No only clears the fields";
    EXPECT_EQ(logLines().size(), 1);

    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 0);
    EXPECT_TRUE(logLines().last().endsWith("-Supervisor-EXCLUI O CLIENTE: -Ana"));
    EXPECT_TRUE(dialogs.scriptUsed());
}

TEST_F(ClientesTest, AClientWithChequesOrRepurchasesIsNotDeletedAndHandsNothingOn) {
    addClient("Ana", "100");
    addClient("Bia", "100");
    addClient("Caio", "100");
    addCheque("00002", 400, "A");
    addCheque("00002", 300, "B");
    exec(
        "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, VL_CHEQUE, CD_STATUS) VALUES "
        "('0000000001', '00003', 50, 'A')");
    exec(
        "INSERT INTO CHEQUES (CD_CLIENTE, CD_DESTINO, VL_CHEQUE, CD_STATUS) VALUES "
        "('00002', '00001', 10, 'A')");  // passed on to Ana

    const QString refusals[] = {
        QStringLiteral("O cliente Ana não pode ser excluído: tem 1 cheque."),
        QStringLiteral("O cliente Bia não pode ser excluído: tem 3 cheques."),
        QStringLiteral("O cliente Caio não pode ser excluído: tem 1 lançamento de recompra."),
    };
    for (int line = 0; line < 3; ++line) {
        dialogs.clear();
        clickGridRow(screen, "GridEX1", line);
        click(screen, "EXCLUIR");
        ASSERT_EQ(dialogs.shown().size(), 1u) << "told, not asked";
        EXPECT_EQ(dialogs.last().text, refusals[line]);
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 3);

    // Bia's history stays hers: the next client does not take over her code.
    exec("DELETE FROM RECOMPRA");
    clickGridRow(screen, "GridEX1", 2);  // Caio, the highest code, now holds nothing
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 2);
    addClient("Davi", "1.000");
    EXPECT_EQ(codes(), (QStringList{"00001", "00002", "00003"})) << "a free code is given again";
    clickGridRow(screen, "GridEX1", 2);  // Davi
    EXPECT_EQ(text(screen, "cd_cliente"), "00003");
    EXPECT_EQ(text(screen, "vl_usado"), "0,00");
}

TEST_F(ClientesTest, NumbersTypedWithADotStoreNothingWrong) {
    // A rate is never in the thousands: any dot is refused. A limit takes a real grouping only.
    type(screen, "nm_cliente", "Carlos");
    type(screen, "vl_limite", "1.500");
    type(screen, "lm_cheque", "0.001");
    type(screen, "lm_concentracao", "12.345.678,90");
    type(screen, "vl_taxa", "0.038");
    click(screen, "CONFIRMA");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_TRUE(dialogs.shown()[0].text.startsWith("Erro No.13 - "));
    EXPECT_TRUE(dialogs.shown()[0].text.contains("Objeto: lm_cheque"));
    EXPECT_TRUE(dialogs.shown()[1].text.contains("Objeto: vl_taxa"));
    EXPECT_EQ(rows("SELECT VL_LIMITE, LM_CHEQUE, LM_CONCENTRACAO, VL_TAXA FROM CLIENTES"),
              (QList<QVariantList>{{1500.0, 0.0, 12345678.9, 0.0}}))
        << "refused boxes leave their columns unset (0 by default)";

    dialogs.clear();
    clickGridRow(screen, "GridEX1", 0);
    type(screen, "vl_taxa", "1.5");
    click(screen, "alterar");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.contains("Objeto: vl_taxa"));
    EXPECT_EQ(value("SELECT VL_TAXA FROM CLIENTES").toDouble(), 0.0) << "left as it was";
}

TEST_F(ClientesTest, SavingAShownNumberStoresItUnchanged) {
    // Tiny values used to be shown with ten decimals ("0,0000010003", "-0") and a save stored
    // the shortened text.
    // The rate has 17 significant digits (0.1 + 0.2): shown with 15, kept to the bit.
    exec(
        "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE, VL_LIMITE, LM_CHEQUE, LM_CONCENTRACAO, "
        "VL_TAXA) VALUES ('00001', 'Ana', 1234567.891, 0.00000100026, -1.1e-11, ?)",
        {0.1 + 0.2});
    screen->close();
    screen = open("fclientes");
    clickGridRow(screen, "GridEX1", 0);
    EXPECT_EQ(text(screen, "lm_cheque"), "0,00000100026");
    EXPECT_EQ(text(screen, "lm_concentracao"), "-0,000000000011");
    click(screen, "alterar");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(rows("SELECT VL_LIMITE, LM_CHEQUE, LM_CONCENTRACAO, VL_TAXA FROM CLIENTES"),
              (QList<QVariantList>{{1234567.891, 0.00000100026, -1.1e-11, 0.1 + 0.2}}));
    // A changed box is read from what was typed.
    clickGridRow(screen, "GridEX1", 0);
    type(screen, "vl_taxa", "0,4");
    click(screen, "alterar");
    EXPECT_EQ(value("SELECT VL_TAXA FROM CLIENTES").toDouble(), 0.4);
}

TEST_F(ClientesTest, SairLogsAndEscapeClosesWithoutLogging) {
    click(screen, "Command1");
    EXPECT_EQ(logLines(), QStringList{"Data: 08/12/2026 Hora: 14:05.09-Supervisor-SAIU DO MÓDULO "
                                      "DE CADASTRO DE CLIENTES-**"});

    QWidget* again = open("fclientes");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(again));
    QApplication::setActiveWindow(again);
    QPointer<QWidget> guard(again);
    control(again, "nm_cliente")->setFocus();
    press(again, "nm_cliente", Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(guard.isNull() || !guard->isVisible());
    EXPECT_EQ(logLines().size(), 1);
}

TEST_F(ClientesTest, EnterMovesOnAndEnteringALimitSelectsItsText) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
    QApplication::setActiveWindow(screen);
    type(screen, "vl_limite", "1.234,5");
    control(screen, "nm_cliente")->setFocus();
    press(screen, "nm_cliente", Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "ds_endereco");

    for (const char* name : {"vl_limite", "lm_cheque", "lm_concentracao", "vl_taxa"}) {
        auto* edit = control<QLineEdit>(screen, name);
        edit->deselect();
        edit->setFocus(Qt::MouseFocusReason);  // a click: Qt itself selects nothing then
        QApplication::processEvents();
        EXPECT_EQ(edit->selectedText(), edit->text()) << name;
    }
}

}  // namespace
}  // namespace tavrel
