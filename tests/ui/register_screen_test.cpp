#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTest>

#include "data/codes.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "support/fixture.h"
#include "ui/formatted_query_model.h"
#include "ui/register_screen.h"

namespace tavrel {
namespace {

// A small register over the clients table, enough to exercise the pattern.
RegisterSpec testSpec() {
    RegisterSpec spec;
    spec.formName = "fregistro";
    spec.title = "Registro de Teste";
    spec.table = "CLIENTES";
    spec.codeColumn = "CD_CLIENTE";
    spec.codeWidth = 5;
    spec.codeControl = "cd_cliente";
    spec.fields = {
        {"nm_cliente", "NM_CLIENTE", "Nome:", {}, RegisterField::Kind::Text, {}, {}, 0, false},
        {"vl_limite",
         "VL_LIMITE",
         "Total:",
         {},
         RegisterField::Kind::Number,
         "Limites",
         {},
         0,
         true},
    };
    spec.nameColumn = "NM_CLIENTE";
    spec.gridOrder = "NM_CLIENTE";
    spec.gridColumns = {{"Código", "CD_CLIENTE"}, {"Nome", "NM_CLIENTE"}};
    spec.firstField = "nm_cliente";
    return spec;
}

class RegisterScreenTest : public test::AppFixture {
protected:
    RegisterScreenTest() {
        screens->add("fregistro", [](Context& ctx, QWidget* parent) {
            return new RegisterScreen(ctx, testSpec(), parent);
        });
        screen = open("fregistro");
    }
    void addClient(const QString& name, const QString& limit) {
        type(screen, "nm_cliente", name);
        type(screen, "vl_limite", limit);
        click(screen, "CONFIRMA");
    }
    QWidget* screen = nullptr;
};

TEST_F(RegisterScreenTest, AddingGivesOutTheNextCodeWhateverWasTyped) {
    type(screen, "cd_cliente", "00077");
    addClient("Maria", "1.500,75");
    addClient("Ana", "10");
    EXPECT_EQ(rows("SELECT CD_CLIENTE, NM_CLIENTE, VL_LIMITE FROM CLIENTES ORDER BY CD_CLIENTE"),
              (QList<QVariantList>{{"00001", "Maria", 1500.75}, {"00002", "Ana", 10.0}}));
    // The grid follows, ordered by name.
    EXPECT_EQ(gridRows(screen, "GridEX1"),
              (QList<QStringList>{{"00002", "Ana"}, {"00001", "Maria"}}));
    // Clearing after adding: empty code and name, numbers back to "0".
    EXPECT_EQ(text(screen, "cd_cliente"), "");
    EXPECT_EQ(text(screen, "nm_cliente"), "");
    EXPECT_EQ(text(screen, "vl_limite"), "0");
}

TEST_F(RegisterScreenTest, ANumberWithLettersIsReportedAndTheRestOfTheRowIsWritten) {
    addClient("Carlos", "12abc");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith("Erro No.13 - "));
    EXPECT_TRUE(dialogs.last().text.contains("Formulário: fregistro"));
    EXPECT_EQ(rows("SELECT CD_CLIENTE, NM_CLIENTE, VL_LIMITE FROM CLIENTES"),
              (QList<QVariantList>{{"00001", "Carlos", 0.0}}));
}

TEST_F(RegisterScreenTest, ClickingALineShowsItsRowAndChangingWritesIt) {
    addClient("Maria", "100");
    addClient("Bruno", "200");
    clickGridRow(screen, "GridEX1", 1);  // Maria, second by name
    EXPECT_EQ(text(screen, "cd_cliente"), "00001");
    EXPECT_EQ(text(screen, "nm_cliente"), "Maria");
    EXPECT_EQ(text(screen, "vl_limite"), "100");

    type(screen, "nm_cliente", "Maria D'Ávila");
    type(screen, "vl_limite", "2.000,5");
    click(screen, "alterar");
    EXPECT_EQ(rows("SELECT NM_CLIENTE, VL_LIMITE FROM CLIENTES WHERE CD_CLIENTE = ?", {"00001"}),
              (QList<QVariantList>{{"Maria D'Ávila", 2000.5}}));
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 2);
}

TEST_F(RegisterScreenTest, ChangingWithAnEditedCodeIsRefusedAndKeepsWhatWasTyped) {
    addClient("Maria", "100");
    clickGridRow(screen, "GridEX1", 0);
    type(screen, "cd_cliente", "00009");
    type(screen, "nm_cliente", "Outra");
    click(screen, "alterar");
    EXPECT_EQ(rows("SELECT CD_CLIENTE, NM_CLIENTE FROM CLIENTES"),
              (QList<QVariantList>{{"00001", "Maria"}}));
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(text(screen, "nm_cliente"), "Outra");
}

TEST_F(RegisterScreenTest, ARowDeletedElsewhereIsNotWrittenBack) {
    addClient("Maria", "100");
    clickGridRow(screen, "GridEX1", 0);
    exec("DELETE FROM CLIENTES");
    type(screen, "nm_cliente", "Maria Nova");
    click(screen, "alterar");
    EXPECT_EQ(dialogs.texts(),
              QStringList{"O registro escolhido não existe mais. Nada foi alterado."});
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 0);
}

// A grid used to keep its statement open past its first 256 rows: an open read whose snapshot
// made the register's next save fail with "database is locked" once another connection had
// written, and kept the write-ahead log from being checkpointed.
class LargeRegisterTest : public RegisterScreenTest {
protected:
    LargeRegisterTest() {
        Connection connection = connect();
        TransactionGuard transaction(connection.db());
        for (int i = 1; i <= 1000; ++i) {
            runSql(
                connection.db(),
                "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE, VL_LIMITE) VALUES (?, ?, 0)",
                {formatCode(i, 5), QStringLiteral("Cliente %1").arg(i, 4, 10, QLatin1Char('0'))});
        }
        transaction.commit();
        screen->close();  // opened by the fixture before these rows; one copy of a screen lives
        large = open("fregistro");
    }
    // Another screen writing: a cheque added through its own connection.
    void writeElsewhere(int cheques) {
        Connection other = connect();
        TransactionGuard transaction(other.db());
        for (int i = 0; i < cheques; ++i) {
            runSql(
                other.db(),
                "INSERT INTO CHEQUES (CD_CLIENTE, VL_CHEQUE, CD_STATUS) VALUES ('00001', ?, 'A')",
                {100.0 + i});
        }
        transaction.commit();
    }
    QWidget* large = nullptr;
};

TEST_F(LargeRegisterTest, ARegisterOfAThousandRowsSavesAfterAnotherConnectionWrote) {
    auto* grid = control<QTableView>(large, "GridEX1");
    EXPECT_EQ(grid->model()->rowCount(), 1000) << "every row read at once";
    writeElsewhere(1);
    clickGridRow(large, "GridEX1", 0);
    ASSERT_EQ(text(large, "cd_cliente"), "00001");
    type(large, "nm_cliente", "Primeiro Cliente");
    click(large, "alterar");
    EXPECT_TRUE(dialogs.shown().empty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(value("SELECT NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = '00001'").toString(),
              "Primeiro Cliente");
}

TEST_F(LargeRegisterTest, AFormattedQueryModelReadsEveryRowAtOnce) {
    // As the exchange screen's grid: bound with setQuery, nothing else.
    Connection own = connect();
    FormattedQueryModel model;
    model.setQuery(runSqlForModel(own.db(), "SELECT CD_CLIENTE, VL_LIMITE FROM CLIENTES"));
    EXPECT_EQ(model.rowCount(), 1000);
    writeElsewhere(1);
    EXPECT_NO_THROW(
        runSql(own.db(), "UPDATE CLIENTES SET VL_LIMITE = 1 WHERE CD_CLIENTE = '00001'"));
}

TEST_F(LargeRegisterTest, TheLogIsCheckpointedWhileARegisterIsOpen) {
    EXPECT_EQ(control<QTableView>(large, "GridEX1")->model()->rowCount(), 1000);
    writeElsewhere(3000);
    Connection other = connect();
    QSqlQuery checkpoint = runSql(other.db(), "PRAGMA wal_checkpoint(PASSIVE)");
    ASSERT_TRUE(checkpoint.next());
    const int logFrames = checkpoint.value(1).toInt();
    EXPECT_GT(logFrames, 0);
    EXPECT_EQ(checkpoint.value(2).toInt(), logFrames) << "every frame copied into the database";
}

TEST_F(RegisterScreenTest, DeletingAsksAndOnlyYesDeletes) {
    addClient("Maria", "100");
    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    const test::ShownDialog question = dialogs.last();
    EXPECT_EQ(question.text, "Deseja Realmente excluir esse registro? :Maria");
    EXPECT_EQ(question.title, "EXCLUSÃO");
    EXPECT_EQ(question.buttons, DialogButtons::YesNo);
    EXPECT_EQ(question.icon, DialogIcon::Question);
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 1);

    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CLIENTES").toInt(), 0);
    EXPECT_TRUE(gridRows(screen, "GridEX1").isEmpty());
    EXPECT_TRUE(dialogs.scriptUsed());
}

TEST_F(RegisterScreenTest, TheFixtureReadsNoLinesFromAGridWithNoQueryBoundYet) {
    // Such a model says it can fetch more and never does; reading it used to loop for ever.
    QWidget window;
    auto* view = new QTableView(&window);
    view->setObjectName("GridVazia");
    QSqlQueryModel model;
    view->setModel(&model);
    EXPECT_TRUE(gridRows(&window, "GridVazia").isEmpty());
}

TEST_F(RegisterScreenTest, TheGridNeverEditsBehindTheCommandsBack) {
    addClient("Maria", "100");
    auto* view = control<QTableView>(screen, "GridEX1");
    const QModelIndex cell = view->model()->index(0, 1);
    EXPECT_FALSE(view->model()->flags(cell) & Qt::ItemIsEditable);
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(RegisterScreenTest, EnterMovesOnAndEscapeCloses) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
    QApplication::setActiveWindow(screen);
    control(screen, "nm_cliente")->setFocus();
    press(screen, "nm_cliente", Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "vl_limite");

    QPointer<QWidget> guard(screen);
    press(screen, "vl_limite", Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(guard.isNull() || !guard->isVisible());
}

}  // namespace
}  // namespace tavrel
