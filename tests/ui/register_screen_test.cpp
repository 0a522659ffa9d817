#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "support/fixture.h"
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

TEST_F(RegisterScreenTest, ChangingWithAnEditedCodeChangesNothing) {
    addClient("Maria", "100");
    clickGridRow(screen, "GridEX1", 0);
    type(screen, "cd_cliente", "00009");
    type(screen, "nm_cliente", "Outra");
    click(screen, "alterar");
    EXPECT_EQ(rows("SELECT CD_CLIENTE, NM_CLIENTE FROM CLIENTES"),
              (QList<QVariantList>{{"00001", "Maria"}}));
    EXPECT_EQ(text(screen, "nm_cliente"), "") << "the fields are cleared anyway";
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
