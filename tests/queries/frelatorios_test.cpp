// The financial report screens: the templates offered, the exact formulas of both commands on
// both screens, the missing choice, and the screens opened from the main menu.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QListWidget>

#include "app/fprincipal.h"
#include "queries/relatorios_financeiros.h"
#include "support/fixture.h"
#include "support/list_lines.h"

namespace tavrel::test {
namespace {

class RelatoriosTest : public AppFixture {
protected:
    RelatoriosTest() {
        exec(
            QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES "
                           "('00002', 'BAR DO ZÉ'), ('00001', 'ANA'), ('00003', 'CASA')"));
        exec(QStringLiteral(
            "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, VL_CHEQUE, DT_TROCA, DT_DEPOSITO, "
            "CD_STATUS) VALUES ('00010', '00001', 100, '2026-12-01', '2026-12-08', 'A'), "
            "('00011', '00003', 200, '2026-12-08', '2026-12-20', 'A')"));
    }
    void addDataFile(const QString& name) {
        QFile file(context.dataPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("from table=CHEQUES\ncolumn value=\"{CHEQUES.CD_TROCA}\"\n");
    }
    void period(QWidget* screen, const QDate& from, const QDate& to) {
        control<QDateEdit>(screen, QStringLiteral("dt_inicio"))->setDate(from);
        control<QDateEdit>(screen, QStringLiteral("dt_fim"))->setDate(to);
    }
};

TEST_F(RelatoriosTest, OffersOnlyTheFinancialTemplatesOfTheDataFolder) {
    for (const char* name : {"2_x.rpt", "1_x.rpt.bak", "1_Maiusculas.RPT", "x1_y.rpt"}) {
        addDataFile(QString::fromUtf8(name));
    }
    QDir(context.dataFolder).mkdir(QStringLiteral("1_pasta.rpt"));
    const QStringList expected = {
        QStringLiteral("1_abertos_e_baixados.rpt"), QStringLiteral("1_cheques_por_cliente.rpt"),
        QStringLiteral("1_juros_e_tarifas.rpt"), QStringLiteral("1_Maiusculas.RPT")};
    EXPECT_EQ(modelosFinanceiros(context.dataFolder), expected);
    for (const char* formName : {"frelatorios", "frelcliente"}) {
        QWidget* screen = open(QString::fromUtf8(formName));
        EXPECT_EQ(listLines(screen, QStringLiteral("diretorio")), expected);
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("Relatórios Financeiros"));
        EXPECT_EQ(control<QDateEdit>(screen, QStringLiteral("dt_inicio"))->date(),
                  QDate(2026, 12, 8));
        EXPECT_EQ(control<QDateEdit>(screen, QStringLiteral("dt_fim"))->date(), QDate(2026, 12, 8));
        EXPECT_EQ(text(screen, QStringLiteral("Command2")),
                  QStringLiteral("&Executar {Dt Deposito}"));
        EXPECT_EQ(text(screen, QStringLiteral("Command3")), QStringLiteral("&Executar {Dt Troca}"));
        EXPECT_EQ(text(screen, QStringLiteral("Command1")), QStringLiteral("&Sair"));
        screen->close();
    }
}

TEST_F(RelatoriosTest, BothCommandsPrintTheChosenTemplateWithTheExactFormula) {
    QWidget* screen = open(QStringLiteral("frelatorios"));
    chooseLine(screen, QStringLiteral("diretorio"), QStringLiteral("1_cheques_por_cliente.rpt"));
    click(screen, QStringLiteral("Command2"));
    ASSERT_EQ(reports.printed().size(), 1u);
    EXPECT_EQ(reports.last().formName, QStringLiteral("frelatorios"));
    EXPECT_EQ(reports.last().templateName, QStringLiteral("1_cheques_por_cliente.rpt"));
    EXPECT_EQ(reports.last().formula,
              QStringLiteral("{cheques.dt_deposito} >=  #2026/12/08# AND {cheques.dt_deposito} "
                             "<= #2026/12/08#"));
    EXPECT_EQ(reports.last().content.rowCount, 1) << "the day's deposit only";

    period(screen, QDate(2026, 12, 1), QDate(2026, 12, 31));
    click(screen, QStringLiteral("Command3"));
    EXPECT_EQ(reports.last().formula,
              QStringLiteral("{cheques.dt_troca} >=  #2026/12/01# AND {cheques.dt_troca} <= "
                             "#2026/12/31#"));
    EXPECT_EQ(reports.last().content.rowCount, 2);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(QDir(programDir.path()).entryList({QStringLiteral("*.log")}).isEmpty())
        << "the screen logs nothing";
}

TEST_F(RelatoriosTest, TheClientScreenAddsTheChosenClient) {
    QWidget* screen = open(QStringLiteral("frelcliente"));
    auto* clientes = control<QComboBox>(screen, QStringLiteral("NM_CLIENTE"));
    ASSERT_EQ(clientes->count(), 3);
    EXPECT_EQ(clientes->itemText(0), QStringLiteral("ANA"));  // in code order
    EXPECT_EQ(clientes->itemText(1), QStringLiteral("BAR DO ZÉ"));
    EXPECT_EQ(clientes->currentIndex(), -1);
    chooseLine(screen, QStringLiteral("diretorio"), QStringLiteral("1_abertos_e_baixados.rpt"));
    period(screen, QDate(2026, 12, 1), QDate(2026, 12, 31));

    // No client chosen: the client's code is empty and nothing is selected.
    click(screen, QStringLiteral("Command2"));
    EXPECT_EQ(reports.last().formula,
              QStringLiteral("{cheques.dt_deposito} >=  #2026/12/01# AND {cheques.dt_deposito} "
                             "<= #2026/12/31# and {cheques.cd_cliente}=''"));
    EXPECT_EQ(reports.last().content.rowCount, 0);

    clientes->setCurrentIndex(2);
    click(screen, QStringLiteral("Command2"));
    EXPECT_EQ(reports.last().formName, QStringLiteral("frelcliente"));
    EXPECT_EQ(reports.last().formula,
              QStringLiteral("{cheques.dt_deposito} >=  #2026/12/01# AND {cheques.dt_deposito} "
                             "<= #2026/12/31# and {cheques.cd_cliente}='00003'"));
    EXPECT_EQ(reports.last().content.rowCount, 1);
    click(screen, QStringLiteral("Command3"));
    EXPECT_EQ(reports.last().formula,
              QStringLiteral("{cheques.dt_troca} >=  #2026/12/01# AND {cheques.dt_troca} <= "
                             "#2026/12/31# and {cheques.cd_cliente}='00003'"));
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(formulaPeriodoCliente(PeriodoPor::Troca, QDate(2026, 1, 2), QDate(2026, 1, 3),
                                    QStringLiteral("D'AVILA")),
              QStringLiteral("{cheques.dt_troca} >=  #2026/01/02# AND {cheques.dt_troca} <= "
                             "#2026/01/03# and {cheques.cd_cliente}='D''AVILA'"));
}

TEST_F(RelatoriosTest, APeriodEndingBeforeItBeginsIsRefused) {
    for (const char* formName : {"frelatorios", "frelcliente"}) {
        dialogs.clear();
        QWidget* screen = open(QString::fromUtf8(formName));
        chooseLine(screen, QStringLiteral("diretorio"),
                   QStringLiteral("1_cheques_por_cliente.rpt"));
        period(screen, QDate(2026, 12, 9), QDate(2026, 12, 8));
        click(screen, QStringLiteral("Command3"));
        EXPECT_EQ(dialogs.texts(),
                  QStringList{QStringLiteral(
                      "A data inicial do período (De:) é posterior à data final (A).")});
        EXPECT_TRUE(reports.printed().empty());
        screen->close();
    }
}

TEST_F(RelatoriosTest, NoTemplateChosenIsOneErrorAndNoPrint) {
    for (const char* formName : {"frelatorios", "frelcliente"}) {
        dialogs.clear();
        QWidget* screen = open(QString::fromUtf8(formName));
        click(screen, QStringLiteral("Command2"));
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_TRUE(dialogs.last().text.startsWith(
            QStringLiteral("Erro No.53 - Nenhum modelo de relatório foi escolhido na lista.")))
            << dialogs.last().text.toStdString();
        EXPECT_TRUE(dialogs.last().text.contains(
            QStringLiteral("Formulário: %1").arg(QString::fromUtf8(formName))));
        EXPECT_TRUE(reports.printed().empty());
        screen->close();
    }
}

// The main menu opens each of this issue's screens from its entry: group and position.
TEST_F(RelatoriosTest, TheMainMenuOpensTheScreensFromTheirEntries) {
    auto* menu = qobject_cast<fprincipal*>(open(QStringLiteral("fprincipal")));
    ASSERT_NE(menu, nullptr);
    struct Entry {
        int grupo, position;
        const char *formName, *title;
    };
    const Entry entries[] = {
        {4, 2, "frelatorios", "Relatórios Financeiros"},
        {4, 3, "frelcliente", "Relatórios Financeiros"},
        {5, 2, "fmostralog", "Log de Operação"},
        {1, 3, "ftutorial", "Tutorial do Sistema"},
    };
    for (const Entry& entry : entries) {
        menu->abreOpcao(entry.grupo, entry.position);
        QWidget* screen = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QString::fromUtf8(entry.formName) && window->isVisible())
                screen = window;
        }
        ASSERT_NE(screen, nullptr) << entry.formName;
        EXPECT_EQ(screen->windowTitle(), QString::fromUtf8(entry.title));
    }
    click(menu, QStringLiteral("Image2"));
    bool contact = false;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        contact = contact ||
                  (window->objectName() == QStringLiteral("ffaleconosco") && window->isVisible() &&
                   window->windowTitle() == QStringLiteral("Fale Conosco"));
    }
    EXPECT_TRUE(contact);
    EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
}  // namespace tavrel::test
