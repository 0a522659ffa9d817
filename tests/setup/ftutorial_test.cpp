// The tutorial screen (its rows in order, a click opening exactly the data folder's file and
// never anything outside it or a program) and the contact screen.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableView>

#include "setup/tutorial_video.h"
#include "support/fixture.h"

namespace tavrel::test {
namespace {

class TutorialTest : public AppFixture {
protected:
    void addVideo(const char* sistema, int sequencia, const char* modulo, const QString& link) {
        exec(QStringLiteral("INSERT INTO filmes (CD_SISTEMA, cd_sequencial, DS_MODULO, "
                            "DS_SISTEMA, DS_LINK) VALUES (?, ?, ?, 'Tavrel', ?)"),
             {QString::fromUtf8(sistema), sequencia, QString::fromUtf8(modulo), link},
             DatabaseKind::Tutorial);
    }
    void writeFile(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("video");
    }
};

TEST_F(TutorialTest, ShowsTheVideosBySystemAndSequence) {
    addVideo("TRC", 2, "Cheques", QStringLiteral("b.avi"));
    addVideo("CXA", 1, "Caixa", QStringLiteral("c.avi"));
    addVideo("TRC", 10, "Recompra", QStringLiteral("d.avi"));
    addVideo("TRC", 1, "Troca", QStringLiteral("a.avi"));
    QWidget* screen = open(QStringLiteral("ftutorial"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Tutorial do Sistema"));
    const QList<QStringList> rows = gridRows(screen, QStringLiteral("GridEX1"));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].mid(0, 4), (QStringList{QStringLiteral("CXA"), QStringLiteral("Caixa"),
                                              QStringLiteral("c.avi"), QStringLiteral("Tavrel")}));
    EXPECT_EQ(rows[1][1], QStringLiteral("Troca"));
    EXPECT_EQ(rows[2][1], QStringLiteral("Cheques"));
    EXPECT_EQ(rows[3][1], QStringLiteral("Recompra")) << "sequence 10 after 2";
    auto* grid = control<QTableView>(screen, QStringLiteral("GridEX1"));
    const QStringList captions = {QStringLiteral("Sigla"), QStringLiteral("Módulo"),
                                  QStringLiteral("LINK"), QStringLiteral("Sistema")};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(grid->model()->headerData(column, Qt::Horizontal).toString(), captions[column]);
    }
    EXPECT_TRUE(grid->isColumnHidden(4));
    EXPECT_EQ(text(screen, QStringLiteral("Label1")),
              QStringLiteral("CLick na linha desejada para assistir ao video esplicativo !!"));
    EXPECT_EQ(text(screen, QStringLiteral("Command1")), QStringLiteral("&Sair"));
}

TEST_F(TutorialTest, AClickOpensExactlyTheDataFoldersFile) {
    writeFile(context.dataPath(QStringLiteral("videos/troca.avi")));
    addVideo("TRC", 1, "Troca", QStringLiteral("videos\\troca.avi"));  // as Windows wrote it
    addVideo("TRC", 2, "Falta", QStringLiteral("videos\\falta.avi"));
    QWidget* screen = open(QStringLiteral("ftutorial"));
    clickGridRow(screen, QStringLiteral("GridEX1"), 0);
    EXPECT_EQ(desktop.opened, QStringList{context.dataPath(QStringLiteral("videos/troca.avi"))});
    EXPECT_TRUE(dialogs.shown().empty());

    clickGridRow(screen, QStringLiteral("GridEX1"), 1);
    EXPECT_EQ(desktop.opened.size(), 1);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("O arquivo do vídeo não foi encontrado: %1")
                                       .arg(context.dataPath(QStringLiteral("videos/falta.avi"))));
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(TutorialTest, LinksOutsideTheFolderOrToProgramsAreRefused) {
    QTemporaryDir outside;
    writeFile(outside.filePath(QStringLiteral("fora.avi")));
    writeFile(context.dataPath(QStringLiteral("instala.sh")));
    writeFile(context.dataPath(QStringLiteral("pasta/dentro.avi")));
    QFile::link(outside.filePath(QStringLiteral("fora.avi")),
                context.dataPath(QStringLiteral("atalho.avi")));
    QFile::link(context.dataPath(QStringLiteral("instala.sh")),
                context.dataPath(QStringLiteral("disfarce.avi")));
    const QString dataName = QFileInfo(context.dataFolder).fileName();
    const QStringList refused = {
        QStringLiteral("..\\") + dataName + QStringLiteral("\\pasta\\dentro.avi"),
        QStringLiteral("pasta\\..\\pasta\\dentro.avi"),
        outside.filePath(QStringLiteral("fora.avi")),
        QStringLiteral("C:\\videos\\fora.avi"),
        QStringLiteral("\\\\servidor\\videos\\fora.avi"),
        QStringLiteral("atalho.avi"),
        QStringLiteral("instala.sh"),
        QStringLiteral("disfarce.avi"),
        QStringLiteral("pasta"),
        QString(),
    };
    for (const QString& link : refused) {
        EXPECT_EQ(videoTutorial(context.dataFolder, link).estado, VideoTutorial::Estado::Recusado)
            << link.toStdString();
    }
    EXPECT_EQ(videoTutorial(context.dataFolder, QStringLiteral("pasta/dentro.avi")).estado,
              VideoTutorial::Estado::Pode);

    addVideo("TRC", 1, "Fora", QStringLiteral("..\\") + dataName + QStringLiteral("\\x.avi"));
    addVideo("TRC", 2, "Programa", QStringLiteral("instala.sh"));
    QWidget* screen = open(QStringLiteral("ftutorial"));
    clickGridRow(screen, QStringLiteral("GridEX1"), 0);
    clickGridRow(screen, QStringLiteral("GridEX1"), 1);
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_EQ(dialogs.texts(),
              (QStringList{QStringLiteral("O vídeo \"..\\%1\\x.avi\" não pode ser aberto: o "
                                          "arquivo precisa estar na pasta de dados.")
                               .arg(dataName),
                           QStringLiteral("O vídeo \"instala.sh\" não pode ser aberto: não é um "
                                          "vídeo.")}));
}

TEST_F(TutorialTest, AMissingTutorialDatabaseIsReportedAndTheScreenStays) {
    ASSERT_TRUE(QFile::remove(context.dataPath(QStringLiteral("tutorial.db"))));
    QWidget* screen = open(QStringLiteral("ftutorial"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Erro No.53")));
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(gridRows(screen, QStringLiteral("GridEX1")).isEmpty());
}

TEST_F(TutorialTest, TheContactScreenShowsItsTexts) {
    QWidget* screen = open(QStringLiteral("ffaleconosco"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Fale Conosco"));
    EXPECT_EQ(text(screen, QStringLiteral("Label1")),
              QStringLiteral("Ajude-nos a melhorar a qualidade dos nossos produtos. A sua "
                             "satisfação é muito importante para nós.Por favor nos informe sobre "
                             "suas dúvidas ou sugestões para que possamos melhor atendê-lo."));
    EXPECT_TRUE(text(screen, QStringLiteral("Label2")).startsWith(QStringLiteral("Telefone: ")));
    EXPECT_TRUE(text(screen, QStringLiteral("Label3")).startsWith(QStringLiteral("E-mail: ")));
    EXPECT_FALSE(control<QLabel>(screen, QStringLiteral("Image1"))->pixmap().isNull());
    click(screen, QStringLiteral("Command1"));
    EXPECT_FALSE(screen->isVisible());
}

}  // namespace
}  // namespace tavrel::test
