#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QTableView>
#include <QTest>

#include "ledger/flancamentos.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

// Accounts 001 "CAIXA" and 002 "BANCO", descriptions APORTE (credit), DESPESA (debit) and
// AJUSTE (credit), and the entries screen opened on them.
class LancamentosTest : public test::AppFixture {
protected:
    LancamentosTest() {
        exec("INSERT INTO CONTAS (CD_CONTA, DS_CONTA) VALUES ('001', 'CAIXA'), ('002', 'BANCO')",
             {}, DatabaseKind::Caixa);
        exec(
            "INSERT INTO HISTORICOS (CD_HISTORICO, DS_HISTORICO, CD_TIPO) VALUES "
            "('00001', 'APORTE', 'C'), ('00002', 'DESPESA', 'D'), ('00003', 'AJUSTE', 'C')",
            {}, DatabaseKind::Caixa);
        screen = open("flancamentos");
    }

    void escolheConta(const QString& nome) {
        auto* lista = control<QListWidget>(screen, "cd_conta");
        const QList<QListWidgetItem*> achados = lista->findItems(nome, Qt::MatchExactly);
        ASSERT_EQ(achados.size(), 1) << nome.toStdString();
        const QRect onde = lista->visualItemRect(achados.first());
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, onde.center());
        ASSERT_EQ(lista->currentItem(), achados.first());
    }
    void digita(const QString& historico, const QString& valor, const QString& data,
                const QString& obs = {}) {
        setText(screen, "DS_CONTA", historico);
        type(screen, "VL_LANCAMENTO", valor);
        type(screen, "dt_lancamento", data);
        type(screen, "DS_complemento", obs);
    }
    void inclui(const QString& historico, const QString& valor, const QString& data,
                const QString& obs = {}) {
        digita(historico, valor, data, obs);
        click(screen, "CONFIRMA");
    }
    // Code, account, status, amount and balance of every entry, in code order.
    QList<QVariantList> lancamentos() const {
        return rows(
            "SELECT CD_lancamento, CD_CONTA, CD_STATUS, VL_LANCAMENTO, VL_SALDO "
            "FROM LANCAMENTOS ORDER BY CD_lancamento",
            {}, DatabaseKind::Caixa);
    }
    // The grid's "Data", "Valor", "Saldo" and "Lancamento" of each line.
    QList<QStringList> grade() const {
        QList<QStringList> linhas;
        for (const QStringList& l : gridRows(screen, "GridEX1"))
            linhas << QStringList{l[0], l[2], l[3], l[6]};
        return linhas;
    }
    QStringList posicao() const {
        return {text(screen, "creditos"), text(screen, "debitos"), text(screen, "saldo")};
    }
    // The four entries of the worked example, typed out of date order into CAIXA.
    void lancaExemplo() {
        escolheConta("CAIXA");
        inclui("DESPESA", "250,10", "05/12/2026", "ALUGUEL");
        inclui("APORTE", "1.000,00", "01/12/2026");
        inclui("AJUSTE", "0,10", "01/12/2026");
        inclui("DESPESA", "0,20", "03/12/2026");
    }
    int linhaDoCodigo(const QString& codigo) const {
        const QList<QStringList> linhas = gridRows(screen, "GridEX1");
        for (int i = 0; i < linhas.size(); ++i) {
            if (linhas[i][6] == codigo)
                return i;
        }
        ADD_FAILURE() << "no line " << codigo.toStdString();
        return -1;
    }

    QWidget* screen = nullptr;
};

TEST_F(LancamentosTest, ShowsItsControlsAndAnEmptyGridUntilAnAccountIsChosen) {
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Manutenção de Lançamentos"));
    EXPECT_EQ(text(screen, "CONFIRMA"), "&Incluir");
    EXPECT_EQ(text(screen, "alterar"), "&Alterar");
    EXPECT_EQ(text(screen, "EXCLUIR"), "&Excluir");
    EXPECT_EQ(text(screen, "Command2"), "&Limpa Campos");
    EXPECT_EQ(text(screen, "Command1"), "&Sair");
    EXPECT_EQ(control(screen, "alterar")->toolTip(),
              QStringLiteral("APÓS ESCOLHER O REGISTRO A SER ALTERADO E FAZER AS MODIFICAÇÕES "
                             "NECESÁRIAS  CLICK AQUI"));
    EXPECT_EQ(control(screen, "EXCLUIR")->toolTip(),
              "APÓS ESCOLHER O REGISTRO A SER EXCLUIDO CLICK AQUI");
    EXPECT_EQ(control(screen, "Command2")->toolTip(), "CLICAR AQUI APOS DIGITAR TODOS OS DADOS  ");
    auto* grid = control<QTableView>(screen, "GridEX1");
    QStringList titulos;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        titulos << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titulos, (QStringList{"Data", QStringLiteral("Histórico"), "Valor", "Saldo", "Status",
                                    "Plano Contas", "Lancamento"}));
    EXPECT_TRUE(grid->isColumnHidden(5)) << "the note is a line under each row";
    EXPECT_EQ(grid->model()->rowCount(), 0);

    auto* lista = control<QListWidget>(screen, "cd_conta");
    ASSERT_EQ(lista->count(), 2);
    EXPECT_EQ(lista->item(0)->text(), "BANCO") << "accounts by description";
    auto* historicos = control<QComboBox>(screen, "DS_CONTA");
    EXPECT_EQ(historicos->itemText(0), "AJUSTE");
    EXPECT_EQ(text(screen, "DS_CONTA"), "");
    EXPECT_EQ(text(screen, "VL_LANCAMENTO"), "0");

    escolheConta("BANCO");
    EXPECT_EQ(posicao(), (QStringList{"0,00", "0,00", "0,00"}));
}

TEST_F(LancamentosTest, RunningBalanceInDateAndCodeOrderThroughIncludeDeleteAndChange) {
    lancaExemplo();
    EXPECT_EQ(lancamentos(), (QList<QVariantList>{
                                 {"0000000001", "001", "D", 250.10, 1000.0 + 0.10 - 0.20 - 250.10},
                                 {"0000000002", "001", "C", 1000.0, 1000.0},
                                 {"0000000003", "001", "C", 0.10, 1000.0 + 0.10},
                                 {"0000000004", "001", "D", 0.20, 1000.0 + 0.10 - 0.20}}))
        << "balances stored unrounded";
    EXPECT_EQ(grade(), (QList<QStringList>{{"01/12/2026", "1000,00", "1000,00", "0000000002"},
                                           {"01/12/2026", "0,10", "1000,10", "0000000003"},
                                           {"03/12/2026", "0,20", "999,90", "0000000004"},
                                           {"05/12/2026", "250,10", "749,80", "0000000001"}}));
    EXPECT_EQ(posicao(), (QStringList{"1000,10", "250,30", "749,80"}));
    EXPECT_EQ(gridRows(screen, "GridEX1")[3][5], "ALUGUEL");
    EXPECT_EQ(text(screen, "VL_LANCAMENTO"), "0") << "cleared after each include";

    // Deleting the 0,10 entry.
    clickGridRow(screen, "GridEX1", linhaDoCodigo("0000000003"));
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :0,1");
    EXPECT_EQ(dialogs.last().title, QStringLiteral("EXCLUSÃO"));
    EXPECT_EQ(dialogs.last().buttons, DialogButtons::YesNo);
    EXPECT_EQ(dialogs.last().icon, DialogIcon::Question);
    EXPECT_EQ(grade(), (QList<QStringList>{{"01/12/2026", "1000,00", "1000,00", "0000000002"},
                                           {"03/12/2026", "0,20", "999,80", "0000000004"},
                                           {"05/12/2026", "250,10", "749,70", "0000000001"}}));
    EXPECT_EQ(posicao(), (QStringList{"1000,00", "250,30", "749,70"}));

    // Changing the 0,20 entry to AJUSTE makes it a credit.
    clickGridRow(screen, "GridEX1", linhaDoCodigo("0000000004"));
    EXPECT_EQ(text(screen, "cd_lancamento"), "0000000004");
    EXPECT_EQ(text(screen, "DS_CONTA"), "DESPESA");
    EXPECT_EQ(text(screen, "VL_LANCAMENTO"), "0,2");
    EXPECT_EQ(text(screen, "dt_lancamento"), "03/12/2026");
    setText(screen, "DS_CONTA", "AJUSTE");
    click(screen, "alterar");
    EXPECT_EQ(value("SELECT CD_STATUS FROM LANCAMENTOS WHERE CD_lancamento = '0000000004'", {},
                    DatabaseKind::Caixa),
              "C");
    EXPECT_EQ(grade(), (QList<QStringList>{{"01/12/2026", "1000,00", "1000,00", "0000000002"},
                                           {"03/12/2026", "0,20", "1000,20", "0000000004"},
                                           {"05/12/2026", "250,10", "750,10", "0000000001"}}));
    EXPECT_EQ(posicao(), (QStringList{"1000,20", "250,10", "750,10"}));

    // The first entry of the other account takes the next code of all accounts.
    escolheConta("BANCO");
    EXPECT_EQ(grade(), QList<QStringList>{});
    inclui("APORTE", "50", "02/12/2026");
    EXPECT_EQ(grade(), (QList<QStringList>{{"02/12/2026", "50,00", "50,00", "0000000005"}}));
    EXPECT_EQ(posicao(), (QStringList{"50,00", "0,00", "50,00"}));
    EXPECT_EQ(
        value("SELECT COUNT(*) FROM LANCAMENTOS WHERE CD_CONTA = '001'", {}, DatabaseKind::Caixa),
        3);
    EXPECT_TRUE(programFileLines("FC001081226.log").isEmpty()) << "the screen logs nothing";
}

TEST_F(LancamentosTest, AFailingBalanceUpdateLeavesEveryRowAsItWasAndIsReported) {
    lancaExemplo();
    const QList<QVariantList> antes = lancamentos();
    exec("CREATE TABLE contador (n INTEGER)", {}, DatabaseKind::Caixa);
    exec("INSERT INTO contador VALUES (0)", {}, DatabaseKind::Caixa);
    exec(
        "CREATE TRIGGER falha_no_terceiro BEFORE UPDATE OF VL_SALDO ON LANCAMENTOS BEGIN "
        "UPDATE contador SET n = n + 1; "
        "SELECT RAISE(ABORT, 'falha simulada') WHERE (SELECT n FROM contador) >= 3; END",
        {}, DatabaseKind::Caixa);

    // Dated before every other entry: every balance of the account changes.
    inclui("APORTE", "10", "30/11/2026", "ANTES DE TUDO");
    EXPECT_EQ(lancamentos(), antes) << "no new entry, every old balance intact";
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_TRUE(dialogs.last().text.contains("falha simulada"))
        << dialogs.last().text.toStdString();
    EXPECT_EQ(text(screen, "DS_complemento"), "ANTES DE TUDO") << "what was typed stays";
    EXPECT_EQ(text(screen, "VL_LANCAMENTO"), "10");
    EXPECT_EQ(text(screen, "dt_lancamento"), "30/11/2026");
    EXPECT_EQ(posicao(), (QStringList{"1000,10", "250,30", "749,80"}));
    EXPECT_EQ(value("SELECT n FROM contador", {}, DatabaseKind::Caixa), 0);

    exec("DROP TRIGGER falha_no_terceiro", {}, DatabaseKind::Caixa);
    click(screen, "CONFIRMA");
    EXPECT_EQ(value("SELECT VL_SALDO FROM LANCAMENTOS WHERE CD_lancamento = '0000000001'", {},
                    DatabaseKind::Caixa)
                  .toDouble(),
              10.0 + 1000.0 + 0.10 - 0.20 - 250.10);
}

TEST_F(LancamentosTest, BadInputIsRefusedWithAMessageNothingWrittenAndTheTypingKept) {
    struct Caso {
        const char* conta;
        const char* historico;
        const char* valor;
        const char* data;
        QString mensagem;
    };
    const QString semConta = QStringLiteral("Escolha a conta do lançamento.");
    const QString semHistorico = QStringLiteral("Escolha o histórico do lançamento.");
    const QString valorRuim =
        QStringLiteral("Valor inválido: digite um valor maior que zero, como 1.500,75.");
    const QString dataRuim =
        QStringLiteral("Data inválida: digite dia, mês e ano, como 08/12/2026.");
    const Caso casos[] = {
        {nullptr, "APORTE", "10", "01/12/2026", semConta},
        {"CAIXA", "", "10", "01/12/2026", semHistorico},
        {"CAIXA", "APORTE", "abc", "01/12/2026", valorRuim},
        {"CAIXA", "APORTE", "0", "01/12/2026", valorRuim},
        {"CAIXA", "APORTE", "-5", "01/12/2026", valorRuim},
        {"CAIXA", "APORTE", "1500.75", "01/12/2026", valorRuim},
        {"CAIXA", "APORTE", "", "01/12/2026", valorRuim},
        {"CAIXA", "APORTE", "10", "", dataRuim},
        {"CAIXA", "APORTE", "10", "01/12/20", dataRuim},
        {"CAIXA", "APORTE", "10", "31/02/2026", dataRuim},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.mensagem.toStdString() + " " + caso.valor + " " + caso.data);
        if (caso.conta != nullptr)
            escolheConta(QString::fromUtf8(caso.conta));
        click(screen, "Command2");
        dialogs.clear();
        digita(QString::fromUtf8(caso.historico), QString::fromUtf8(caso.valor),
               QString::fromUtf8(caso.data), "NOTA");
        click(screen, "CONFIRMA");
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.last().text, caso.mensagem);
        EXPECT_EQ(dialogs.last().icon, DialogIcon::Warning);
        EXPECT_EQ(value("SELECT COUNT(*) FROM LANCAMENTOS", {}, DatabaseKind::Caixa), 0);
        EXPECT_EQ(text(screen, "VL_LANCAMENTO"), QString::fromUtf8(caso.valor));
        EXPECT_EQ(text(screen, "DS_complemento"), "NOTA");
        EXPECT_EQ(text(screen, "DS_CONTA"), QString::fromUtf8(caso.historico));
    }
    // The same typing, corrected, is written.
    type(screen, "dt_lancamento", "01/12/2026");
    click(screen, "CONFIRMA");
    EXPECT_EQ(value("SELECT COUNT(*) FROM LANCAMENTOS", {}, DatabaseKind::Caixa), 1);
}

TEST_F(LancamentosTest, ChangeWritesOnlyTheEntryShownAndNothingAfterClearing) {
    lancaExemplo();
    const QList<QVariantList> antes = lancamentos();
    clickGridRow(screen, "GridEX1", linhaDoCodigo("0000000001"));
    click(screen, "Command2");
    EXPECT_EQ(text(screen, "cd_lancamento"), "");
    digita("APORTE", "99", "02/12/2026");
    dialogs.clear();
    click(screen, "alterar");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Escolha na lista o lançamento a alterar."));
    EXPECT_EQ(lancamentos(), antes) << "the still-selected entry is not overwritten";
    EXPECT_EQ(text(screen, "VL_LANCAMENTO"), "99");

    // A bad value on a change is refused the same way as on an include.
    clickGridRow(screen, "GridEX1", linhaDoCodigo("0000000002"));
    type(screen, "VL_LANCAMENTO", "0");
    click(screen, "alterar");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Valor inválido: digite um valor maior que zero, como 1.500,75."));
    EXPECT_EQ(lancamentos(), antes);

    type(screen, "VL_LANCAMENTO", "2.000");
    click(screen, "alterar");
    const QList<QVariantList> depois = lancamentos();
    EXPECT_EQ(depois[1][3], 2000.0);
    EXPECT_EQ(depois[0][4], 2000.0 + 0.10 - 0.20 - 250.10);
    EXPECT_EQ(value("SELECT COUNT(*) FROM LANCAMENTOS", {}, DatabaseKind::Caixa), 4);
}

TEST_F(LancamentosTest, EntriesOfADeletedDescriptionStillShowAndCount) {
    lancaExemplo();
    exec("DELETE FROM HISTORICOS WHERE DS_HISTORICO = 'AJUSTE'", {}, DatabaseKind::Caixa);
    escolheConta("BANCO");
    escolheConta("CAIXA");
    const QList<QStringList> linhas = gridRows(screen, "GridEX1");
    ASSERT_EQ(linhas.size(), 4);
    EXPECT_EQ(linhas[1], (QStringList{"01/12/2026", "", "0,10", "1000,10", "C", "", "0000000003"}));
    EXPECT_EQ(linhas[0][1], "APORTE");
    EXPECT_EQ(posicao(), (QStringList{"1000,10", "250,30", "749,80"}));

    // Shown, its description box is empty; it cannot be saved again without choosing one.
    clickGridRow(screen, "GridEX1", 1);
    EXPECT_EQ(text(screen, "DS_CONTA"), "");
    click(screen, "alterar");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Escolha o histórico do lançamento."));

    // A description deleted after the screen read its list is refused when writing.
    exec("DELETE FROM HISTORICOS WHERE DS_HISTORICO = 'DESPESA'", {}, DatabaseKind::Caixa);
    inclui("DESPESA", "5", "04/12/2026");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("O histórico escolhido não está mais cadastrado."));
    EXPECT_EQ(value("SELECT COUNT(*) FROM LANCAMENTOS", {}, DatabaseKind::Caixa), 4);
    EXPECT_EQ(control<QComboBox>(screen, "DS_CONTA")->findText("DESPESA"), -1);
}

TEST_F(LancamentosTest, AnsweringNoStillRepairsTheStoredBalances) {
    lancaExemplo();
    exec("UPDATE LANCAMENTOS SET VL_SALDO = NULL WHERE CD_lancamento = '0000000003'", {},
         DatabaseKind::Caixa);
    exec("UPDATE LANCAMENTOS SET VL_SALDO = 7 WHERE CD_lancamento = '0000000001'", {},
         DatabaseKind::Caixa);
    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :1000");
    EXPECT_EQ(grade(), (QList<QStringList>{{"01/12/2026", "1000,00", "1000,00", "0000000002"},
                                           {"01/12/2026", "0,10", "1000,10", "0000000003"},
                                           {"03/12/2026", "0,20", "999,90", "0000000004"},
                                           {"05/12/2026", "250,10", "749,80", "0000000001"}}));
    EXPECT_EQ(text(screen, "cd_lancamento"), "");

    dialogs.clear();
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Escolha na lista o lançamento a excluir."))
        << "no line chosen after the grid was read again";
}

TEST_F(LancamentosTest, OpensFromTheCashGroupOfTheMenuAndEscapeCloses) {
    screen->close();
    QWidget* menu = open("fprincipal");
    click(menu, "K36");  // group 6 "Caixa", third entry
    QWidget* aberta = nullptr;
    for (QWidget* janela : QApplication::topLevelWidgets()) {
        if (janela->objectName() == "flancamentos" && janela->isVisible())
            aberta = janela;
    }
    ASSERT_NE(aberta, nullptr);
    QPointer<QWidget> tela = aberta;
    activate(aberta);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(tela.isNull() || !tela->isVisible());
}

}  // namespace
}  // namespace tavrel
