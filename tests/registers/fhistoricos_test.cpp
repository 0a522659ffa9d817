#include <gtest/gtest.h>
#include <QComboBox>

#include "support/fixture.h"

namespace tavrel {
namespace {

class HistoricosTest : public test::AppFixture {
protected:
    HistoricosTest() { screen = open("fhistoricos"); }

    void add(const QString& description, const QString& tipo) {
        setText(screen, "ds_historico", description);
        if (!tipo.isEmpty())
            control<QComboBox>(screen, "cd_tipo")->setCurrentText(tipo);
        click(screen, "CONFIRMA");
    }
    QList<QVariantList> stored() const {
        return rows("SELECT CD_HISTORICO, DS_HISTORICO, CD_TIPO FROM HISTORICOS ORDER BY id", {},
                    DatabaseKind::Caixa);
    }
    QWidget* screen = nullptr;
};

TEST_F(HistoricosTest, TheTypeListOffersCreditThenDebitAndNothingIsChosenAtFirst) {
    EXPECT_EQ(screen->windowTitle(), "Cadastro de Contas");
    auto* tipo = control<QComboBox>(screen, "cd_tipo");
    ASSERT_EQ(tipo->count(), 2);
    EXPECT_EQ(tipo->itemText(0), "Crédito");
    EXPECT_EQ(tipo->itemText(1), "Débito");
    EXPECT_EQ(tipo->currentIndex(), -1);
}

TEST_F(HistoricosTest, AddingGivesCodesAndStoresTheTypeLetterOrNone) {
    type(screen, "cd_historico", "00042");
    add("Sem tipo", "");
    add("Depósito", "Crédito");
    add("Pagamento D'Água", "Débito");
    const QList<QVariantList> rows = stored();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].mid(0, 2), (QVariantList{"00001", "Sem tipo"}));
    EXPECT_TRUE(rows[0][2].isNull());
    EXPECT_EQ(rows[1], (QVariantList{"00002", "Depósito", "C"}));
    EXPECT_EQ(rows[2], (QVariantList{"00003", "Pagamento D'Água", "D"}));
    EXPECT_EQ(text(screen, "cd_tipo"), "Débito") << "clearing keeps the type list's choice";
    EXPECT_EQ(text(screen, "ds_historico"), "");
}

TEST_F(HistoricosTest, ChoosingARowShowsItsTypeAndChangingKeepsAnUnsetOne) {
    add("Sem tipo", "");
    add("Depósito", "Crédito");
    control<QComboBox>(screen, "cd_tipo")->setCurrentIndex(1);  // Débito
    clickGridRow(screen, "GridEX1", 0);                         // Depósito
    EXPECT_EQ(text(screen, "cd_historico"), "00002");
    EXPECT_EQ(text(screen, "cd_tipo"), "Crédito");

    // A row without a type leaves the list as it was.
    clickGridRow(screen, "GridEX1", 1);  // Sem tipo
    EXPECT_EQ(text(screen, "cd_tipo"), "Crédito");

    control<QComboBox>(screen, "cd_tipo")->setCurrentIndex(-1);
    setText(screen, "ds_historico", "Ainda sem tipo");
    click(screen, "alterar");
    EXPECT_EQ(stored()[0][1], "Ainda sem tipo");
    EXPECT_TRUE(stored()[0][2].isNull());

    clickGridRow(screen, "GridEX1", 1);  // Depósito, after "Ainda sem tipo"
    control<QComboBox>(screen, "cd_tipo")->setCurrentText("Débito");
    click(screen, "alterar");
    EXPECT_EQ(stored()[1], (QVariantList{"00002", "Depósito", "D"}));
}

TEST_F(HistoricosTest, ADescriptionUsedByEntriesIsNotDeletedAnUnusedOneIsAfterAsking) {
    add("Depósito", "Crédito");
    add("Aluguel", "Débito");
    exec(
        "INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, CD_HISTORICO, VL_LANCAMENTO) VALUES "
        "('0000000001', '001', '00001', 10)",
        {}, DatabaseKind::Caixa);
    clickGridRow(screen, "GridEX1", 1);  // Depósito
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("O histórico Depósito não pode ser excluído: é usado em "
                                         "1 lançamento.")});
    EXPECT_EQ(stored().size(), 2);

    dialogs.clear();
    clickGridRow(screen, "GridEX1", 0);  // Aluguel
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :Aluguel");
    EXPECT_EQ(stored().size(), 2);

    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(stored(), (QList<QVariantList>{{"00001", "Depósito", "C"}}));
    EXPECT_EQ(value("SELECT COUNT(*) FROM LANCAMENTOS", {}, DatabaseKind::Caixa).toInt(), 1);
    EXPECT_TRUE(programFileLines("FC001081226.log").isEmpty()) << "the screen logs nothing";
}

}  // namespace
}  // namespace tavrel
