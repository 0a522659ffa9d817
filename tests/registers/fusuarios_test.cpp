#include <gtest/gtest.h>
#include <QLineEdit>

#include "core/password.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class UsersTest : public test::AppFixture {
protected:
    UsersTest() { screen = open("fusuarios"); }
    void addUser(const QString& name, const QString& password) {
        type(screen, "usuario", name);
        type(screen, "senha", password);
        click(screen, "CONFIRMA");
    }
    QString storedHash(const QString& code) {
        return value("SELECT SENHA FROM USUARIOS WHERE CD_usuario = ?", {code}).toString();
    }
    QWidget* screen = nullptr;
};

TEST_F(UsersTest, TheScreenAsTheOperatorSeesIt) {
    EXPECT_EQ(screen->windowTitle(), " Tabela de Usuários ");
    EXPECT_EQ(control<QLineEdit>(screen, "senha")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(control<QLineEdit>(screen, "usuario")->maxLength(), 20);
    addUser("Zeca", "1");
    addUser("Ana", "2");
    EXPECT_EQ(gridRows(screen, "GridEX1"), (QList<QStringList>{{"002", "Ana"}, {"001", "Zeca"}}));
}

TEST_F(UsersTest, PasswordsAreKeptOnlyAsHashesTheEmptyOneToo) {
    addUser("Supervisor", "Abc1");
    addUser("Maria", "");
    const QString supervisor = storedHash("001");
    EXPECT_TRUE(supervisor.startsWith("$argon2id$")) << supervisor.toStdString();
    EXPECT_FALSE(supervisor.contains("Abc1"));
    EXPECT_TRUE(verifyPassword("Abc1", supervisor));
    EXPECT_FALSE(verifyPassword("abc1", supervisor));
    const QString maria = storedHash("002");
    EXPECT_TRUE(maria.startsWith("$argon2id$"));
    EXPECT_TRUE(verifyPassword("", maria));
}

TEST_F(UsersTest, ChoosingAUserShowsAnEmptyPasswordAndChangingKeepsItUnlessRetyped) {
    addUser("Supervisor", "Abc1");
    const QString original = storedHash("001");

    clickGridRow(screen, "GridEX1", 0);
    EXPECT_EQ(text(screen, "cd_usuario"), "001");
    EXPECT_EQ(text(screen, "usuario"), "Supervisor");
    EXPECT_EQ(text(screen, "senha"), "") << "a stored password is never shown";

    type(screen, "usuario", "Chefe");
    click(screen, "alterar");
    EXPECT_EQ(value("SELECT USUARIO FROM USUARIOS WHERE CD_usuario = '001'").toString(), "Chefe");
    EXPECT_EQ(storedHash("001"), original) << "an empty box keeps the password";

    clickGridRow(screen, "GridEX1", 0);
    type(screen, "senha", "Nova9");
    click(screen, "alterar");
    EXPECT_TRUE(verifyPassword("Nova9", storedHash("001")));
    EXPECT_FALSE(verifyPassword("Abc1", storedHash("001")));
}

TEST_F(UsersTest, CodesHaveThreeDigitsAndTheTenthUserGets010) {
    addUser("Primeiro", "x");
    EXPECT_EQ(value("SELECT CD_usuario FROM USUARIOS").toString(), "001");
    for (int i = 2; i <= 9; ++i) {
        exec("INSERT INTO USUARIOS (CD_usuario, USUARIO, SENHA) VALUES (?, ?, '')",
             {QString("00%1").arg(i), QString("U%1").arg(i)});
    }
    type(screen, "cd_usuario", "777");  // a typed code is ignored
    addUser("Decimo", "x");
    EXPECT_EQ(value("SELECT CD_usuario FROM USUARIOS WHERE USUARIO = 'Decimo'").toString(), "010");
}

TEST_F(UsersTest, DeletingAsksWithTheNameAndTheLoggedInUserMayGo) {
    addUser("Supervisor", "x");
    clickGridRow(screen, "GridEX1", 0);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text, "Deseja Realmente excluir esse registro? :Supervisor");
    EXPECT_EQ(dialogs.last().title, "EXCLUSÃO");
    EXPECT_EQ(value("SELECT COUNT(*) FROM USUARIOS").toInt(), 0);
}

}  // namespace
}  // namespace tavrel
