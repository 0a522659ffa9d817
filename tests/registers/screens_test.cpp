#include <gtest/gtest.h>

#include "support/fixture.h"

namespace tavrel {
namespace {

class MenuScreensTest : public test::AppFixture {};

// The main menu opens these registers by form name through the screen factory.
TEST_F(MenuScreensTest, EachRegisterOpensByItsFormName) {
    const QList<QPair<QString, QString>> screensAndTitles = {
        {"fclientes", "Cadastro de Clientes"}, {"flistanegra", "Lista Negra"},
        {"fferiados", "CADASTRO DE FERIADOS"}, {"fparametros", "Parametros"},
        {"fhistoricos", "Cadastro de Contas"}, {"fcontas", "Cadastro de Contas"},
    };
    for (const auto& [formName, title] : screensAndTitles) {
        QWidget* screen = open(formName);
        ASSERT_NE(screen, nullptr) << formName.toStdString();
        EXPECT_EQ(screen->objectName(), formName);
        EXPECT_EQ(screen->windowTitle(), title);
        EXPECT_TRUE(screen->isVisible());
        screen->close();
    }
    EXPECT_TRUE(dialogs.shown().empty()) << "every screen finds its database";
}

}  // namespace
}  // namespace tavrel
