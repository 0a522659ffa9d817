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

TEST_F(ContasTest, AfterAccount999CodesGoOnTo1000And1001) {
    exec("INSERT INTO CONTAS (CD_CONTA, DS_CONTA) VALUES ('999', 'Última')", {},
         DatabaseKind::Caixa);
    add("Mil");
    add("Mil e um");  // "1000" sorts before "999" as text: this used to add nothing, silently
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(stored(),
              (QList<QVariantList>{{"999", "Última"}, {"1000", "Mil"}, {"1001", "Mil e um"}}));
}

TEST_F(ContasTest, ACodeThatCannotBeGivenIsSaidAndNothingIsWritten) {
    // A highest code that is not a number ("5ab" counts as 5) points at a code already taken.
    exec("INSERT INTO CONTAS (CD_CONTA, DS_CONTA) VALUES ('006', 'Seis'), ('5ab', 'Estranha')", {},
         DatabaseKind::Caixa);
    setText(screen, "ds_conta", "Nova");
    click(screen, "CONFIRMA");
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Não foi possível dar um código ao novo registro: o "
                                         "código 006 já existe. Nada foi gravado.")});
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(text(screen, "ds_conta"), "Nova") << "what was typed is kept";
}

TEST_F(ContasTest, ChangingWithoutAChosenRowIsRefused) {
    add("Caixa");
    setText(screen, "ds_conta", "Outra");
    click(screen, "alterar");
    EXPECT_EQ(stored(), (QList<QVariantList>{{"001", "Caixa"}}));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Escolha na grade o registro a ser alterado antes de "
                                         "clicar em Alterar. Nada foi alterado.")});
    EXPECT_EQ(text(screen, "ds_conta"), "Outra") << "what was typed is kept";

    clickGridRow(screen, "GridEX1", 0);
    EXPECT_EQ(text(screen, "cd_conta"), "001");
    setText(screen, "ds_conta", "Caixa Geral");
    click(screen, "alterar");
    EXPECT_EQ(stored(), (QList<QVariantList>{{"001", "Caixa Geral"}}));
    EXPECT_EQ(text(screen, "ds_conta"), "");
}

TEST_F(ContasTest, AnAccountWithEntriesIsNotDeletedOneWithoutIs) {
    add("Caixa");
    add("Banco");
    exec(
        "INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, VL_LANCAMENTO) VALUES "
        "('0000000001', '002', 10), ('0000000002', '002', 5)",
        {}, DatabaseKind::Caixa);
    clickGridRow(screen, "GridEX1", 0);  // Banco, first by description
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("A conta Banco não pode ser excluída: tem 2 "
                                         "lançamentos.")});
    EXPECT_EQ(stored().size(), 2);

    // Deleting the highest account and adding one would have handed it Banco's entries.
    dialogs.clear();
    clickGridRow(screen, "GridEX1", 1);  // Caixa
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :Caixa");
    EXPECT_EQ(dialogs.last().title, "EXCLUSÃO");
    EXPECT_EQ(stored().size(), 2);
    clickGridRow(screen, "GridEX1", 1);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(stored(), (QList<QVariantList>{{"002", "Banco"}}));
    EXPECT_EQ(value("SELECT COUNT(*) FROM LANCAMENTOS", {}, DatabaseKind::Caixa).toInt(), 2);
    EXPECT_TRUE(programFileLines("FC001081226.log").isEmpty()) << "the screen logs nothing";
}

}  // namespace
}  // namespace tavrel
