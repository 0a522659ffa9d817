#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include "core/password.h"
#include "log/operation_log.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class LoginTest : public test::AppFixture {
protected:
    LoginTest() {
        context.userName.clear();
        context.userCode.clear();
        addUser("001", "Supervisor", "Abc1");
        addUser("002", "Maria", "");
        screen = open("frmLogin");
    }
    void addUser(const QString& code, const QString& name, const QString& password) {
        exec("INSERT INTO USUARIOS (CD_usuario, USUARIO, SENHA) VALUES (?, ?, ?)",
             {code, name, hashOf(password)});
    }
    // Hashing is slow by design: each password is hashed once for the whole program.
    static QString hashOf(const QString& password) {
        static QHash<QString, QString> hashes;
        if (!hashes.contains(password))
            hashes.insert(password, hashPassword(password));
        return hashes.value(password);
    }
    void tryLogin(const QString& name, const QString& password) {
        type(screen, "txtusername", name);
        type(screen, "txtPassword", password);
        click(screen, "cmdOK");
    }
    QWidget* screen = nullptr;
};

TEST_F(LoginTest, ListsTheUsersByNameAndProposesTheSystemUser) {
    auto* list = control<QListWidget>(screen, "DBList1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Maria");
    EXPECT_EQ(list->item(1)->text(), "Supervisor");
    EXPECT_EQ(control<QComboBox>(screen, "txtusername")->count(), 2);
    EXPECT_EQ(text(screen, "txtusername"), "operador");
    EXPECT_EQ(screen->windowTitle(), "Login");
    EXPECT_EQ(control<QLineEdit>(screen, "txtPassword")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(dialogs.shown().empty()) << "users exist: no first-user path";
}

TEST_F(LoginTest, ClickingANameInTheListChoosesItAndMovesToThePassword) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
    QApplication::setActiveWindow(screen);
    auto* list = control<QListWidget>(screen, "DBList1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(text(screen, "txtusername"), "Supervisor");
    EXPECT_EQ(QApplication::focusWidget(), control(screen, "txtPassword"));
}

TEST_F(LoginTest, WrongPasswordCaseOrUnknownUserIsRefusedAsOftenAsTried) {
    const QStringList refused[] = {
        {"Supervisor", "errada"},
        {"Supervisor", "abc1"},  // differs only in letter case
        {"supervisor", "abc1"},
        {"Joao", "Abc1"},  // not a user
        {"Joao", ""},
    };
    for (const QStringList& attempt : refused) {
        dialogs.clear();
        tryLogin(attempt[0], attempt[1]);
        ASSERT_EQ(dialogs.shown().size(), 1u) << attempt.join('/').toStdString();
        EXPECT_EQ(dialogs.last().text, "Senha incorreta Tente Novamente!");
        EXPECT_EQ(dialogs.last().title, "Login");
        EXPECT_TRUE(screen->isVisible()) << "the screen stays open";
        auto* password = control<QLineEdit>(screen, "txtPassword");
        EXPECT_EQ(password->selectedText(), attempt[1]) << "the whole password is selected";
    }
    EXPECT_TRUE(context.userCode.isEmpty());
    EXPECT_TRUE(QDir(programDir.path()).entryList({"FC*.log"}).isEmpty());
}

TEST_F(LoginTest, SuccessHoldsTheLoginValuesAndLogsToTheNewUsersFile) {
    QSignalSpy accepted(screen, SIGNAL(loginAceito()));
    tryLogin("Maria", "");  // an empty password is a password like any other
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(context.userName, "Maria");
    EXPECT_EQ(context.userCode, "002");
    const QStringList log = programFileLines(operationLogFileName("002", clock.today()));
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], "Data: 08/12/2026 Hora: 14:05.09-Maria-**** EFETUOU LOGIN NO SISTEMA-**");
    EXPECT_EQ(log[1], QString(113, '-'));
    EXPECT_TRUE(programFileLines(operationLogFileName("001", clock.today())).isEmpty());
}

TEST_F(LoginTest, TheNameMatchesWhateverItsLetterCaseThePasswordOnlyExactly) {
    tryLogin("supervisor", "Abc1");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(context.userCode, "001");
    EXPECT_EQ(context.userName, "Supervisor") << "the name as registered";
    const QStringList log = programFileLines(operationLogFileName("001", clock.today()));
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log[0],
              "Data: 08/12/2026 Hora: 14:05.09-Supervisor-**** EFETUOU LOGIN NO SISTEMA-**");
}

TEST_F(LoginTest, AccentedLettersMatchInEitherCaseButAccentsStillCount) {
    addUser("003", QStringLiteral("João Ávila"), "senha");
    tryLogin("Joao Avila", "senha");
    EXPECT_EQ(dialogs.last().text, "Senha incorreta Tente Novamente!");
    EXPECT_TRUE(context.userCode.isEmpty());

    dialogs.clear();
    setText(screen, "txtusername", QStringLiteral("JOÃO ÁVILA"));  // key clicks know only ASCII
    type(screen, "txtPassword", "senha");
    click(screen, "cmdOK");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(context.userCode, "003");
    EXPECT_EQ(context.userName, QStringLiteral("João Ávila"));
}

TEST_F(LoginTest, OfTwoUsersWithOneNameTheOneWhosePasswordWasTypedLogsIn) {
    addUser("003", "Ana", "primeira");
    addUser("004", "Ana", "segunda");
    tryLogin("Ana", "segunda");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(context.userCode, "004");
}

TEST_F(LoginTest, APasswordKeptAsPlainTextNeverLogsIn) {
    exec("INSERT INTO USUARIOS (CD_usuario, USUARIO, SENHA) VALUES ('005', 'Antigo', 'texto')");
    tryLogin("Antigo", "texto");
    EXPECT_EQ(dialogs.last().text, "Senha incorreta Tente Novamente!");
    EXPECT_TRUE(context.userCode.isEmpty());
}

}  // namespace
}  // namespace tavrel
