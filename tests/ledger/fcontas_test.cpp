#include <gtest/gtest.h>

#include "support/fixture.h"

namespace tavrel {
namespace {

class ContasTest : public test::AppFixture {
protected:
    ContasTest() { screen = open("fcontas"); }

    void add(const QString& description) {
        setText(screen, "ds_conta", description);
        click(screen, "CONFIRMA");
    }
    QList<QVariantList> stored() const {
        return rows("SELECT CD_CONTA, DS_CONTA FROM CONTAS ORDER BY id", {}, DatabaseKind::Caixa);
    }
    QWidget* screen = nullptr;
};

TEST_F(ContasTest, CodesAreGivenOutWithThreeDigitsWhateverWasTyped) {
    EXPECT_EQ(control(screen, "Command2")->toolTip(), "CLICAR AQUI APOS DIGITAR TODOS OS DADOS  ");
    type(screen, "cd_conta", "555");
    add("Caixa D'Ouro");
    add("Banco");
    EXPECT_EQ(stored(), (QList<QVariantList>{{"001", "Caixa D'Ouro"}, {"002", "Banco"}}));
    EXPECT_EQ(gridRows(screen, "GridEX1"),
              (QList<QStringList>{{"002", "Banco"}, {"001", "Caixa D'Ouro"}}));
    EXPECT_EQ(text(screen, "cd_conta"), "");
}

TEST_F(ContasTest, CodesAreTextSoAfter999Only1000IsEverAdded) {
    exec("INSERT INTO CONTAS (CD_CONTA, DS_CONTA) VALUES ('999', 'Última')", {},
         DatabaseKind::Caixa);
    add("Mil");
    EXPECT_EQ(stored().last(), (QVariantList{"1000", "Mil"}));
    // "1000" sorts before "999": the next code is "1000" again, found, and nothing is added.
    add("Mil e um");
    EXPECT_EQ(stored().size(), 2);
    EXPECT_TRUE(dialogs.shown().empty()) << "nothing is said";
}

TEST_F(ContasTest, ChangingWithoutAChosenRowChangesNothingAndClears) {
    add("Caixa");
    setText(screen, "ds_conta", "Outra");
    click(screen, "alterar");
    EXPECT_EQ(stored(), (QList<QVariantList>{{"001", "Caixa"}}));
    EXPECT_EQ(text(screen, "ds_conta"), "");

    clickGridRow(screen, "GridEX1", 0);
    EXPECT_EQ(text(screen, "cd_conta"), "001");
    setText(screen, "ds_conta", "Caixa Geral");
    click(screen, "alterar");
    EXPECT_EQ(stored(), (QList<QVariantList>{{"001", "Caixa Geral"}}));
}

TEST_F(ContasTest, DeletingAsksAndLeavesTheEntriesOfTheAccount) {
    add("Caixa");
    exec(
        "INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, VL_LANCAMENTO) VALUES "
        "('0000000001', '001', 10)",
        {}, DatabaseKind::Caixa);
    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :Caixa");
    EXPECT_EQ(dialogs.last().title, "EXCLUSÃO");
    EXPECT_EQ(stored().size(), 1);

    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(value("SELECT COUNT(*) FROM LANCAMENTOS", {}, DatabaseKind::Caixa).toInt(), 1);
    EXPECT_TRUE(programFileLines("FC001081226.log").isEmpty()) << "the screen logs nothing";
}

}  // namespace
}  // namespace tavrel
