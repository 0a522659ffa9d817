#include <gtest/gtest.h>
#include <QLabel>

#include "support/fixture.h"

namespace tavrel {
namespace {

class ListaNegraTest : public test::AppFixture {
protected:
    ListaNegraTest() { screen = open("flistanegra"); }

    void add(const QString& document, const QString& name) {
        type(screen, "cd_documento", document);
        setText(screen, "nm_pessoa", name);
        click(screen, "CONFIRMA");
    }
    QList<QVariantList> listed() const {
        return rows("SELECT CD_DOCUMENTO, NM_PESSOA FROM LISTANEGRA ORDER BY id");
    }
    QStringList logLines() const {
        QStringList lines = programFileLines("FC001081226.log");
        lines.removeIf([](const QString& line) { return line.startsWith("-----"); });
        return lines;
    }
    QWidget* screen = nullptr;
};

TEST_F(ListaNegraTest, OpeningLogsTheDateAndTheDocumentIsTypedNotGivenOut) {
    EXPECT_EQ(screen->windowTitle(), "Lista Negra");
    EXPECT_EQ(logLines(),
              QStringList{"Data: 08/12/2026 Hora: 14:05.09-Supervisor-ENTROU NA LISTA NEGRA:-"
                          "08/12/2026"});
    for (QLabel* label : screen->findChildren<QLabel*>())
        EXPECT_NE(label->text(), "Não Usar Preenchido automáticamente");
    EXPECT_EQ(control(screen, "cd_documento")->toolTip(),
              "Preencha o numero do documento que queira negativar  CGC CPF ou outro");
}

TEST_F(ListaNegraTest, DocumentsThatDifferOnlyInPunctuationOrSpacingAreDifferent) {
    add("123.456.789-00", "Fulano D'Ávila");
    add("12345678900", "Beltrano");
    add("123 456 789 00", "Sicrano");
    EXPECT_EQ(listed(), (QList<QVariantList>{{"123.456.789-00", "Fulano D'Ávila"},
                                             {"12345678900", "Beltrano"},
                                             {"123 456 789 00", "Sicrano"}}));
    EXPECT_EQ(gridRows(screen, "GridEX1"), (QList<QStringList>{{"12345678900", "Beltrano"},
                                                               {"123.456.789-00", "Fulano D'Ávila"},
                                                               {"123 456 789 00", "Sicrano"}}));
}

TEST_F(ListaNegraTest, AListedDocumentIsNotAddedAgainButTheInclusionIsLogged) {
    add("123.456.789-00", "Fulano");
    add("123.456.789-00", "Outro Nome");
    EXPECT_EQ(listed(), (QList<QVariantList>{{"123.456.789-00", "Fulano"}}));
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].endsWith("-INCLUIU DOCUMENTO NEGATIVADO DA PESSOA:-Fulano"));
    EXPECT_TRUE(lines[2].endsWith("-INCLUIU DOCUMENTO NEGATIVADO DA PESSOA:-Outro Nome"));
    EXPECT_EQ(text(screen, "cd_documento"), "");
    EXPECT_EQ(text(screen, "nm_pessoa"), "");
}

TEST_F(ListaNegraTest, ChangingCorrectsTheNameOfTheDocumentInTheBox) {
    add("111", "Fulano");
    add("222", "Beltrano");
    clickGridRow(screen, "GridEX1", 1);  // Fulano, second by name
    EXPECT_EQ(text(screen, "cd_documento"), "111");
    EXPECT_EQ(text(screen, "nm_pessoa"), "Fulano");
    setText(screen, "nm_pessoa", "Fulano de Tal");
    click(screen, "alterar");
    EXPECT_EQ(listed(), (QList<QVariantList>{{"111", "Fulano de Tal"}, {"222", "Beltrano"}}));

    // The document is the key: an altered box finds no row and nothing changes.
    clickGridRow(screen, "GridEX1", 0);  // Beltrano
    type(screen, "cd_documento", "2222");
    setText(screen, "nm_pessoa", "Trocado");
    click(screen, "alterar");
    EXPECT_EQ(listed(), (QList<QVariantList>{{"111", "Fulano de Tal"}, {"222", "Beltrano"}}));
    EXPECT_EQ(logLines().size(), 3) << "changes are not logged";
}

TEST_F(ListaNegraTest, DeletingAsksWithThePersonAndLogsOnlyOnYes) {
    add("111", "Fulano");
    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :Fulano");
    EXPECT_EQ(dialogs.last().title, "EXCLUSÃO");
    EXPECT_EQ(listed().size(), 1);
    EXPECT_EQ(logLines().size(), 2);

    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(logLines().last().endsWith("-EXCLUIU DOCUMENTO NEGATIVADO DA PESSOA:-Fulano"));
    EXPECT_TRUE(gridRows(screen, "GridEX1").isEmpty());
}

}  // namespace
}  // namespace tavrel
