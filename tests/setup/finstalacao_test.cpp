#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QStorageInfo>
#include <QTemporaryDir>

#include "app/sys_ini.h"
#include "setup/finstalacao.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class InstallerTest : public test::AppFixture {
protected:
    InstallerTest() {
        desktop.desktop = desktopDir.filePath("Desktop");
        screen = qobject_cast<finstalacao*>(open("finstalacao"));
    }
    QStringList listed(const QString& name) {
        QStringList items;
        auto* list = control<QListWidget>(screen, name);
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }
    QByteArray fileContent(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void activateFolder(const QString& name) {
        auto* list = control<QListWidget>(screen, "Dir");
        const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        emit list->itemActivated(items.first());
    }

    // Stands for the program that is running: an executable file in the program's folder.
    QString makeProgram() {
        const QString path = QDir(programDir.path()).filePath(context.executableName);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }

    QTemporaryDir desktopDir;
    finstalacao* screen = nullptr;
};

TEST_F(InstallerTest, OpensOnTheProgramFolderAndShowsWhetherAFolderHoldsTheDatabase) {
    EXPECT_EQ(screen->windowTitle(), "Instalador de Sistemas");
    EXPECT_EQ(text(screen, "DS_DIRETORIO"), programDir.path());
    EXPECT_EQ(text(screen, "ds_banco"), "cheques.db");
    EXPECT_EQ(text(screen, "Drive"), QStorageInfo(programDir.path()).rootPath());
    EXPECT_TRUE(listed("File").isEmpty()) << "the program folder holds no database";
    EXPECT_TRUE(dialogs.shown().empty());

    screen->mudaDiretorio(dataDir.path());
    EXPECT_EQ(text(screen, "DS_DIRETORIO"), dataDir.path());
    EXPECT_EQ(listed("File"), QStringList{"cheques.db"});
}

TEST_F(InstallerTest, TheFolderListWalksDownAndUp) {
    ASSERT_TRUE(QDir(dataDir.path()).mkpath("empresa/dados"));
    screen->mudaDiretorio(dataDir.path());
    EXPECT_EQ(listed("Dir"), (QStringList{"..", "empresa"}));
    activateFolder("empresa");
    activateFolder("dados");
    EXPECT_EQ(text(screen, "DS_DIRETORIO"), dataDir.filePath("empresa/dados"));
    EXPECT_TRUE(listed("File").isEmpty());
    activateFolder("..");
    activateFolder("..");
    EXPECT_EQ(text(screen, "DS_DIRETORIO"), dataDir.path());
    EXPECT_EQ(listed("File"), QStringList{"cheques.db"});
}

TEST_F(InstallerTest, PressingTheConfigurationTwiceLeavesOneLineTheSecondFolder) {
    QTemporaryDir first;
    screen->mudaDiretorio(first.path());  // no database there: writing is still allowed
    click(screen, "Command4");
    screen->mudaDiretorio(dataDir.path());
    click(screen, "Command4");
    EXPECT_EQ(fileContent(context.writablePath("sys.ini")), (dataDir.path() + "\r\n").toUtf8());
    EXPECT_EQ(readSysIni(context.writablePath("sys.ini")), dataDir.path());
    EXPECT_EQ(dialogs.texts(), (QStringList{"Arquivo de Configuração Criado com sucesso!!",
                                            "Arquivo de Configuração Criado com sucesso!!"}));
}

TEST_F(InstallerTest, AFailedWriteIsReportedAndNotCalledASuccess) {
    ASSERT_TRUE(QDir(programDir.path()).mkdir("sys.ini"));  // nothing can be written there
    click(screen, "Command4");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith("Erro No.75 - "))
        << dialogs.last().text.toStdString();
    EXPECT_TRUE(dialogs.last().text.contains("Formulário: finstalacao"));

    dialogs.clear();
    makeProgram();
    QFile blocker(desktop.desktop);  // the desktop folder's name is taken by a file
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    click(screen, "Command1");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith("Erro No.53 - "))
        << dialogs.last().text.toStdString();
    EXPECT_FALSE(dialogs.texts().contains("Atalho Criado com sucesso!!"));
}

TEST_F(InstallerTest, TheShortcutStartsTheRunningProgramWhateverFolderIsChosen) {
    const QString program = makeProgram();
    QTemporaryDir chosen;
    screen->mudaDiretorio(chosen.path());
    click(screen, "Command1");
    EXPECT_EQ(dialogs.texts(), QStringList{"Atalho Criado com sucesso!!"});
    const QString path = QDir(desktop.desktop).filePath("Tavrel Troca de Cheques.desktop");
    const QString entry = QString::fromUtf8(fileContent(path));
    EXPECT_TRUE(entry.contains("\nExec=" + program + "\n")) << entry.toStdString();
    EXPECT_FALSE(entry.contains(chosen.path())) << "not the data folder followed by the name";
    EXPECT_TRUE(QFileInfo(path).isExecutable());

    // Again: the shortcut is replaced, not duplicated.
    screen->mudaDiretorio(dataDir.path());
    click(screen, "Command1");
    EXPECT_TRUE(QString::fromUtf8(fileContent(path)).contains("\nExec=" + program + "\n"));
    EXPECT_EQ(QDir(desktop.desktop).entryList(QDir::Files).size(), 1);
}

TEST_F(InstallerTest, NoShortcutAndNoSuccessForAProgramThatIsNotThere) {
    click(screen, "Command1");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("O programa %1 não foi encontrado. O atalho não foi criado.")
                  .arg(QDir(programDir.path()).filePath("tavrel")));
    EXPECT_FALSE(QDir(desktop.desktop).exists("Tavrel Troca de Cheques.desktop"));
}

TEST_F(InstallerTest, ADriveThatCannotBeReadIsSaidAndTheListReturnsToThePreviousDrive) {
    auto* drives = control<QComboBox>(screen, "Drive");
    const QString before = drives->currentText();
    drives->addItem("/midia/sem-disco");
    const int missing = drives->count() - 1;
    drives->setCurrentIndex(missing);
    emit drives->activated(missing);
    EXPECT_EQ(dialogs.texts(), QStringList{"Drive não acessível"});
    EXPECT_EQ(drives->currentText(), before);
    EXPECT_EQ(text(screen, "DS_DIRETORIO"), programDir.path()) << "the chosen folder stays";
}

TEST_F(InstallerTest, TheInstructionsPromiseNoPasswordThatDoesNotExist) {
    QStringList texts;
    for (QLabel* label : control(screen, "Frame2")->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(
        texts.contains("1-) Localize o Diretório de Instalação onde Conterá o Banco de dados"));
    EXPECT_TRUE(texts.contains("2-) Click em CriarArquivo de Configuração "));
    EXPECT_TRUE(texts.contains("3-) Click em Criar Atalhos "));
    const QString all = texts.join('\n');
    EXPECT_FALSE(all.contains("7305"));
    EXPECT_TRUE(all.contains("Senha Supervisor: cadastrada no primeiro acesso ao sistema"));
}

TEST_F(InstallerTest, SairEndsTheInstaller) {
    click(screen, "Command6");
    EXPECT_FALSE(screen->isVisible());
}

}  // namespace
}  // namespace tavrel
