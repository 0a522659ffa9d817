#include <gtest/gtest.h>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "data/data_folder.h"

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

TEST_F(ListaNegraTest, AListedDocumentIsToldAndTheTypedNameIsKept) {
    add("123.456.789-00", "Fulano");
    add("123.456.789-00", "Outro Nome");
    EXPECT_EQ(listed(), (QList<QVariantList>{{"123.456.789-00", "Fulano"}}));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("O documento 123.456.789-00 já está na lista negra.")});
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 2) << "no inclusion logged for a row not added";
    EXPECT_TRUE(lines[1].endsWith("-INCLUIU DOCUMENTO NEGATIVADO DA PESSOA:-Fulano"));
    EXPECT_EQ(text(screen, "cd_documento"), "123.456.789-00");
    EXPECT_EQ(text(screen, "nm_pessoa"), "Outro Nome");

    dialogs.clear();
    add("  ", "Sem Documento");
    EXPECT_EQ(dialogs.texts(), QStringList{"Digite o documento a negativar."});
    EXPECT_EQ(listed().size(), 1);
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

    // The document is the key: an altered box is refused and nothing changes.
    clickGridRow(screen, "GridEX1", 0);  // Beltrano
    type(screen, "cd_documento", "2222");
    setText(screen, "nm_pessoa", "Trocado");
    click(screen, "alterar");
    EXPECT_EQ(listed(), (QList<QVariantList>{{"111", "Fulano de Tal"}, {"222", "Beltrano"}}));
    EXPECT_EQ(dialogs.texts().size(), 1);
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

TEST_F(ListaNegraTest, ExportedListImportedIntoAnEmptyFolderGivesTheSameRows) {
    add("123.456.789-00", "Fulano D'Ávila");
    add("99.888.777/0001-66", "Empresa; Filial \"Centro\"");
    add("555", "");
    auto byDocument = [this] {
        return rows("SELECT CD_DOCUMENTO, NM_PESSOA FROM LISTANEGRA ORDER BY CD_DOCUMENTO");
    };
    const QList<QVariantList> exported = byDocument();
    QTemporaryDir files;
    const QString file = files.filePath("lista");
    desktop.desktop = files.path();

    dialogs.answerText(file);
    click(screen, "Exportar");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Exportação concluída: 3 documentos gravados em %1.csv.").arg(file));
    QFile csv(file + ".csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(csv.readAll())
                    .startsWith(QStringLiteral("CD_DOCUMENTO;NM_PESSOA\r\n123.456.789-00;Fulano "
                                               "D'Ávila\r\n")));

    // Another data folder, with an empty list.
    QTemporaryDir otherData;
    prepareDataFolder(otherData.path(), QStringLiteral(TAVREL_TEMPLATES_DIR));
    context.dataFolder = otherData.path();
    screen->close();  // one copy of a screen lives: the next opening reads the other folder
    QWidget* other = open("flistanegra");
    dialogs.answerText(file + ".csv");
    click(other, "Importar");
    EXPECT_EQ(
        dialogs.last().text,
        QStringLiteral("Importação concluída: 3 documentos incluídos, 0 já estavam na lista."));
    EXPECT_EQ(byDocument(), exported);
    EXPECT_EQ(gridRows(other, "GridEX1").size(), 3);

    // Again: every document is already listed, nothing is added twice.
    dialogs.answerText(file + ".csv");
    click(other, "Importar");
    EXPECT_EQ(
        dialogs.last().text,
        QStringLiteral("Importação concluída: 0 documentos incluídos, 3 já estavam na lista."));
    EXPECT_EQ(byDocument(), exported);
    EXPECT_TRUE(dialogs.scriptUsed());
}

TEST_F(ListaNegraTest, ImportIsAllOrNothingAndSkipsListedDocumentsAndEmptyLines) {
    add("111", "Já Listado");
    QTemporaryDir files;
    const QString file = files.filePath("importar.csv");
    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(
        QStringLiteral("222;Novo\n111;Outro Nome\n;Sem documento\n333;Mais Um\n222;Repetido\n")
            .toUtf8());
    csv.close();
    desktop.desktop = files.path();
    dialogs.answerText(file);
    click(screen, "Importar");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Importação concluída: 2 documentos incluídos, 2 já estavam na lista, "
                             "1 linha sem documento ignorada."));
    EXPECT_EQ(listed(),
              (QList<QVariantList>{{"111", "Já Listado"}, {"222", "Novo"}, {"333", "Mais Um"}}));
    EXPECT_TRUE(logLines().last().endsWith("-IMPORTOU A LISTA NEGRA:-" + file));

    // A file that is not a list of rows imports nothing at all.
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("444;Quatro\n555;\"sem fim\n");
    csv.close();
    dialogs.answerText(file);
    click(screen, "Importar");
    EXPECT_TRUE(dialogs.last().text.contains("Nada foi importado."))
        << dialogs.last().text.toStdString();
    EXPECT_EQ(listed().size(), 3);

    // Cancelling the file dialog does nothing.
    dialogs.clear();
    dialogs.answerText(std::nullopt);
    click(screen, "Importar");
    EXPECT_EQ(dialogs.shown().size(), 1u) << "only the file dialog";
}

}  // namespace
}  // namespace tavrel
