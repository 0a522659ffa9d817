#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QTemporaryDir>
#include <functional>

#include "app/startup.h"
#include "core/password.h"
#include "log/operation_log.h"
#include "support/file_faults.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

// Start-up runs against the fixture's program folder; each modal screen it opens is handed to
// the action scripted for its form name and then closed.
class StartupTest : public test::AppFixture {
protected:
    StartupTest() {
        context.userName.clear();
        context.userCode.clear();
        // The program's own templates, which it copies into a data folder, as installed.
        const QDir shipped(QStringLiteral(TAVREL_TEMPLATES_DIR));
        QDir(programDir.path()).mkdir("templates");
        for (const QString& name : shipped.entryList({"*.rpt"}, QDir::Files)) {
            QFile::copy(shipped.filePath(name), templatesPath(name));
        }
        screens->setModalRunner([this](QWidget* screen) {
            opened << screen->objectName();
            if (auto action = actions.value(screen->objectName())) {
                action(screen);
            }
            if (screen->isVisible()) {
                screen->close();
            }
        });
    }

    QString templatesPath(const QString& name = {}) const {
        const QString folder = QDir(programDir.path()).filePath("templates");
        return name.isEmpty() ? folder : QDir(folder).filePath(name);
    }

    void writeSysIni(const QByteArray& content) {
        QFile file(context.writablePath("sys.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Logs in as `name` with `password` on the login screen.
    void loginAs(const QString& name, const QString& password) {
        actions["frmLogin"] = [this, name, password](QWidget* login) {
            proposedUser = text(login, "txtusername");
            type(login, "txtusername", name);
            type(login, "txtPassword", password);
            click(login, "cmdOK");
        };
    }

    // sys.ini naming the fixture's data folder, and a user to log in as.
    void installedWithAUser() {
        writeSysIni((dataDir.path() + "\r\n").toUtf8());
        exec("INSERT INTO USUARIOS (CD_usuario, USUARIO, SENHA) VALUES (?, ?, ?)",
             {"001", "Supervisor", hashPassword("x")});
        loginAs("Supervisor", "x");
    }

    QString dataPath(const QString& name) const { return QDir(dataDir.path()).filePath(name); }

    QStringList opened;
    QMap<QString, std::function<void(QWidget*)>> actions;
    QString proposedUser;
};

TEST_F(StartupTest, WithoutTheMarkerOnlyTheInstallerRunsAndTheProgramEnds) {
    Startup startup(context);
    EXPECT_EQ(startup.run(), nullptr);
    EXPECT_EQ(startup.exitCode(), exit_code::kNormal);
    EXPECT_EQ(opened, QStringList{"finstalacao"});
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(StartupTest, AnEmptyDataFolderGetsItsDatabasesAndTheFirstUserBeforeTheLogin) {
    QTemporaryDir emptyData;
    // Only the last line counts: the first names a folder that does not even exist.
    writeSysIni(("/pasta/antiga\r\n" + emptyData.path() + "\r\n").toUtf8());
    QString prefilledName;
    actions["fusuarios"] = [&](QWidget* users) {
        prefilledName = text(users, "usuario");
        type(users, "senha", "Segredo1");
        click(users, "CONFIRMA");
    };
    loginAs("Supervisor", "Segredo1");

    Startup startup(context);
    QWidget* menu = startup.run();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "fprincipal");
    EXPECT_TRUE(menu->isVisible());

    for (const char* name : {"cheques.db", "caixa.db", "menu.db", "tutorial.db"}) {
        EXPECT_TRUE(QFileInfo::exists(QDir(emptyData.path()).filePath(name))) << name;
    }
    ASSERT_EQ(dialogs.texts().size(), 2);
    EXPECT_EQ(dialogs.texts()[0], "A pasta de dados \"" + emptyData.path() +
                                      "\" não tinha os bancos de dados do sistema.\n"
                                      "Foram criados: cheques.db, caixa.db, menu.db, tutorial.db.");
    EXPECT_EQ(dialogs.texts()[1],
              "Não existe usuario cadastrado!!! Antes de continuar preencha a senha do supervisor "
              "click em incluir !! Obrigado Bom Teste");
    EXPECT_EQ(opened, (QStringList{"fusuarios", "frmLogin"}));
    EXPECT_EQ(prefilledName, "Supervisor");
    EXPECT_EQ(proposedUser, "operador") << "the operating system's user is proposed";

    EXPECT_EQ(context.dataFolder, emptyData.path());
    EXPECT_EQ(context.userName, "Supervisor");
    EXPECT_EQ(context.userCode, "001");
    const QStringList log = programFileLines(operationLogFileName("001", clock.today()));
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0],
              "Data: 08/12/2026 Hora: 14:05.09-Supervisor-**** EFETUOU LOGIN NO SISTEMA-**");
}

TEST_F(StartupTest, ASecondCopyEndsAtOnceWithItsMessageAndTheFirstKeepsItsLock) {
    writeSysIni((dataDir.path() + "\r\n").toUtf8());
    exec("INSERT INTO USUARIOS (CD_usuario, USUARIO, SENHA) VALUES (?, ?, ?)",
         {"001", "Supervisor", hashPassword("x")});
    loginAs("Supervisor", "x");
    Startup first(context);
    ASSERT_NE(first.run(), nullptr);
    opened.clear();
    dialogs.clear();

    Startup second(context);
    EXPECT_EQ(second.run(), nullptr);
    EXPECT_EQ(second.exitCode(), exit_code::kAlreadyRunning);
    EXPECT_EQ(dialogs.texts(), QStringList{"Programa Já Encontra-se Ativo..."});
    EXPECT_EQ(dialogs.last().buttons, DialogButtons::Ok);
    EXPECT_TRUE(opened.isEmpty()) << "neither installer nor login in the second copy";

    Startup third(context);
    EXPECT_EQ(third.run(), nullptr) << "the first copy still holds the lock";
}

TEST_F(StartupTest, AMarkerNamingNothingOrAMissingFolderOffersTheInstaller) {
    writeSysIni("\r\n");
    dialogs.answer(DialogAnswer::No);
    Startup declined(context);
    EXPECT_EQ(declined.run(), nullptr);
    EXPECT_EQ(dialogs.last().text,
              "O arquivo de configuração sys.ini não indica a pasta de dados.\n"
              "Deseja executar o instalador agora?");
    EXPECT_EQ(dialogs.last().buttons, DialogButtons::YesNo);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(context.dataFolder == dataDir.path()) << "never started on an empty path";
}

TEST_F(StartupTest, AMissingFolderIsNamedAndTheInstallerRunsOnYes) {
    writeSysIni((dataDir.path() + "/sumiu\r\n").toUtf8());
    dialogs.answer(DialogAnswer::Yes);
    Startup startup(context);
    EXPECT_EQ(startup.run(), nullptr);
    EXPECT_EQ(startup.exitCode(), exit_code::kNormal);
    EXPECT_TRUE(dialogs.last().text.startsWith("A pasta de dados \"" + dataDir.path() +
                                               "/sumiu\", indicada no arquivo de configuração"));
    EXPECT_EQ(opened, QStringList{"finstalacao"});
    EXPECT_FALSE(QFileInfo::exists(dataDir.path() + "/sumiu")) << "nothing is created there";
}

TEST_F(StartupTest, CancellingTheLoginEndsWithoutMenuOrLogLine) {
    writeSysIni((dataDir.path() + "\r\n").toUtf8());
    exec("INSERT INTO USUARIOS (CD_usuario, USUARIO, SENHA) VALUES (?, ?, ?)",
         {"001", "Supervisor", hashPassword("x")});
    actions["frmLogin"] = [this](QWidget* login) { click(login, "cmdCancel"); };
    Startup startup(context);
    EXPECT_EQ(startup.run(), nullptr);
    EXPECT_EQ(startup.exitCode(), exit_code::kNormal);
    EXPECT_TRUE(context.userCode.isEmpty());
    EXPECT_TRUE(QDir(programDir.path()).entryList({"FC*.log"}).isEmpty());
}

// --- the data folder's templates ---------------------------------------------------------------

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(StartupTest, TemplatesRemovedFromTheDataFolderAreBackAtTheNextStart) {
    installedWithAUser();
    ASSERT_TRUE(QFile::remove(dataPath("troca.rpt")));
    ASSERT_TRUE(QFile::remove(dataPath("BAIXAS.RPT")));
    Startup startup(context);
    ASSERT_NE(startup.run(), nullptr);
    EXPECT_TRUE(dialogs.shown().empty()) << dialogs.texts().join("\n").toStdString();
    EXPECT_EQ(readAll(dataPath("troca.rpt")), readAll(templatesPath("troca.rpt")));
    EXPECT_EQ(readAll(dataPath("BAIXAS.RPT")), readAll(templatesPath("BAIXAS.RPT")));
    EXPECT_FALSE(readAll(dataPath("troca.rpt")).isEmpty());
}

TEST_F(StartupTest, ATemplateThatCannotBeCopiedIsReportedAndTheProgramStarts) {
    installedWithAUser();
    ASSERT_TRUE(QFile::remove(dataPath("troca.rpt")));
    test::Permissions unreadable(templatesPath("troca.rpt"), {});
    test::PermissionsEnforced enforced;
    Startup startup(context);
    ASSERT_NE(startup.run(), nullptr) << "the other reports still print";
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith(
        "Erro No.75 - Não foi possível copiar para a pasta de dados " + dataDir.path() +
        " os modelos de relatório: troca.rpt ("))
        << dialogs.last().text.toStdString();
    EXPECT_EQ(dialogs.last().icon, DialogIcon::Critical);
    EXPECT_TRUE(programFileLines("tavrel.log").join("\n").contains("troca.rpt"))
        << "kept in the error log";
    EXPECT_FALSE(QFile::exists(dataPath("troca.rpt")));
}

TEST_F(StartupTest, AMissingTemplatesFolderIsReportedWhenTheDataFolderIsCreated) {
    QDir(templatesPath()).removeRecursively();
    QTemporaryDir emptyData;
    writeSysIni((emptyData.path() + "\r\n").toUtf8());
    actions["fusuarios"] = [&](QWidget* users) {
        type(users, "senha", "Segredo1");
        click(users, "CONFIRMA");
    };
    loginAs("Supervisor", "Segredo1");
    Startup startup(context);
    ASSERT_NE(startup.run(), nullptr);
    ASSERT_EQ(dialogs.texts().size(), 3);
    EXPECT_TRUE(dialogs.texts()[0].startsWith("A pasta de dados"));
    EXPECT_TRUE(dialogs.texts()[1].startsWith("Erro No.53 - A pasta de modelos de relatório " +
                                              templatesPath() + " não existe ou está vazia"))
        << dialogs.texts()[1].toStdString();
    EXPECT_TRUE(dialogs.texts()[2].startsWith("Não existe usuario cadastrado"));
}

// --- faults of the data folder: each told as what it is, and nothing written ---------------------

class StartupFaultTest : public StartupTest {
protected:
    StartupFaultTest() {
        installedWithAUser();
        // Every database written to its file and closed, as a program that ended leaves them.
        before = test::folderDigest(dataDir.path());
    }

    // Runs the start, which must stop at the data folder; returns the one message shown.
    QString stoppedWith() {
        Startup startup(context);
        EXPECT_EQ(startup.run(), nullptr);
        EXPECT_EQ(startup.exitCode(), exit_code::kDataFailed);
        EXPECT_TRUE(opened.isEmpty()) << "no login on data that cannot be used";
        EXPECT_EQ(dialogs.shown().size(), 1u);
        return dialogs.shown().empty() ? QString() : dialogs.last().text;
    }

    QStringList before;
};

TEST_F(StartupFaultTest, AFolderThatCannotBeWritten) {
    test::Permissions readOnly(dataDir.path(), QFile::ReadOwner | QFile::ExeOwner);
    test::PermissionsEnforced enforced;
    const QString text = stoppedWith();
    EXPECT_TRUE(text.startsWith("Erro No.70 - A pasta de dados " + dataDir.path() +
                                " não pode ser gravada"))
        << text.toStdString();
    EXPECT_EQ(test::folderDigest(dataDir.path()), before);
}

TEST_F(StartupFaultTest, AFullDiskIsNotTakenForAnotherCopyRunning) {
    QString text;
    {
        test::NoRoomToWrite full;
        text = stoppedWith();
    }
    EXPECT_TRUE(text.startsWith("Erro No.61 - O disco da pasta " + programDir.path() +
                                " está cheio: não há espaço para o arquivo " + programDir.path() +
                                "/tavrel.lock"))
        << text.toStdString();
    EXPECT_EQ(test::folderDigest(dataDir.path()), before);
    EXPECT_FALSE(QFile::exists(programDir.path() + "/tavrel.lock"));
}

TEST_F(StartupFaultTest, ADamagedFile) {
    {
        QFile file(dataPath("cheques.db"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(100);  // the table list, past the header that says the file is ours
        file.write(QByteArray(40, '\xff'));
    }
    before = test::folderDigest(dataDir.path());
    const QString text = stoppedWith();
    EXPECT_TRUE(text.startsWith("Erro No.3049 - O arquivo " + dataPath("cheques.db") +
                                " está danificado e não foi alterado"))
        << text.toStdString();
    EXPECT_FALSE(text.contains("não é um banco de dados do sistema"));
    EXPECT_EQ(test::folderDigest(dataDir.path()), before);
}

TEST_F(StartupFaultTest, AForeignFile) {
    QFile::remove(dataPath("caixa.db"));
    {
        QFile file(dataPath("caixa.db"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("não é um banco de dados");
    }
    before = test::folderDigest(dataDir.path());
    EXPECT_EQ(stoppedWith().section("\r\n", 0, 0),
              "Erro No.3343 - O arquivo " + dataPath("caixa.db") +
                  " não é um banco de dados do sistema e não será alterado.");
    EXPECT_EQ(test::folderDigest(dataDir.path()), before);
}

}  // namespace
}  // namespace tavrel
