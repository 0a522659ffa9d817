// The screens of cheques to settle: what they list, the destination as the only change, and
// printing BAIXAS.RPT.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDateEdit>
#include <QStyledItemDelegate>
#include <QTreeView>

#include "core/ptbr.h"
#include "data/background_query.h"
#include "support/fixture.h"
#include "support/grid_reader.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

constexpr int kDestino = 7;

class FbaixasTest : public test::AppFixture {
protected:
    FbaixasTest() {
        exec(
            "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES ('00001', 'ANA LIMA'), "
            "('00002', 'BRUNO SOUZA')");
    }

    void addCheque(const QString& issuer, const QVariant& deposit, const QString& status,
                   const QString& client = "00001") {
        exec(
            "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, NM_EMITENTE, DT_DEPOSITO, "
            "CD_STATUS, VL_CHEQUE, VL_JUROS, DT_TROCA) VALUES ('00001', ?, ?, ?, ?, ?, 100, 2, "
            "'2026-11-01')",
            {client, client, issuer, deposit, status});
    }

    GroupingGrid* grid(QWidget* screen) { return control<GroupingGrid>(screen, "GridEX1"); }

    // The detail lines of the grid, every group opened.
    QList<QStringList> details(QWidget* screen) {
        waitForBackgroundQueries();
        grid(screen)->expandAll();
        QList<QStringList> lines;
        for (const QStringList& line : test::gridLines(grid(screen))) {
            if (line.size() > 1 && line.first() != "=") {
                lines << line;
            }
        }
        return lines;
    }

    QStringList issuers(QWidget* screen) {
        QStringList names;
        for (const QStringList& line : details(screen))
            names << line.value(6);
        return names;
    }
};

TEST_F(FbaixasTest, DueTodayIsListedTomorrowSettledReturnedAndUndatedAreNot) {
    const QDate hoje = clock.today();
    addCheque("HOJE", storageDate(hoje), "A");
    addCheque("AMANHA", storageDate(hoje.addDays(1)), "A");
    addCheque("BAIXADO", storageDate(hoje.addDays(-1)), "B");
    addCheque("DEVOLVIDO", storageDate(hoje.addDays(-1)), "C");
    addCheque("SEM DATA", QVariant(), "A");
    addCheque("ONTEM", storageDate(hoje.addDays(-1)), "A", "00077");  // client deleted since
    QWidget* screen = open("fbaixas");
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Consulta de Cheques a Serem Baixados"));
    const QList<QStringList> lines = details(screen);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], (QStringList{"", "00001", "R$ 100,00", "07/12/2026", "01/11/2026",
                                     "R$ 2,00", "ONTEM", "00077"}));
    EXPECT_EQ(lines[1].value(0), "ANA LIMA");
    EXPECT_EQ(lines[1].value(6), "HOJE");
    EXPECT_EQ(grid(screen)->grouping(), (QList<int>{3}));
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .join("\n")
                    .contains(QStringLiteral("ENTROU NA CONSULTA DE CHEQUES A SEREM BAIXADOS:")));
}

TEST_F(FbaixasTest, OnlyTheDestinationIsEditedAndOnlyOnItsOwnCheque) {
    addCheque("PRIMEIRO", "2026-12-08", "A");
    addCheque("SEGUNDO", "2026-12-08", "A");
    QWidget* screen = open("fbaixas");
    details(screen);
    GroupingModel* model = grid(screen)->model();
    const QModelIndex group = model->index(0, 0);
    const QModelIndex second = model->index(1, kDestino, group);
    ASSERT_EQ(model->index(1, 6, group).data().toString(), "SEGUNDO");
    for (int column = 0; column < kDestino; ++column) {
        EXPECT_FALSE(model->flags(model->index(1, column, group)) & Qt::ItemIsEditable) << column;
    }
    EXPECT_TRUE(model->flags(second) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->setData(second, "00002"));
    EXPECT_EQ(rows("SELECT NM_EMITENTE, CD_CLIENTE, CD_DESTINO FROM CHEQUES ORDER BY id"),
              (QList<QVariantList>{{"PRIMEIRO", "00001", "00001"}, {"SEGUNDO", "00001", "00002"}}));
    EXPECT_EQ(value("SELECT NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = '00001'"), "ANA LIMA");
    // The delegate shows the client's name for the stored code.
    QAbstractItemDelegate* delegate = grid(screen)->view()->itemDelegateForColumn(kDestino);
    ASSERT_NE(delegate, nullptr);
    EXPECT_EQ(static_cast<QStyledItemDelegate*>(delegate)->displayText("00002", QLocale()),
              "BRUNO SOUZA");
    // A code that names no client is refused and reported; the row keeps its destination.
    EXPECT_FALSE(model->setData(second, "00099"));
    EXPECT_EQ(value("SELECT CD_DESTINO FROM CHEQUES WHERE NM_EMITENTE = 'SEGUNDO'"), "00002");
}

TEST_F(FbaixasTest, TheDueListPrintsAtOnce) {
    QWidget* screen = open("fbaixas");
    click(screen, "Command1");
    EXPECT_EQ(reports.last().templateName, "BAIXAS.RPT");
    EXPECT_EQ(reports.last().formula,
              "{cheques.dt_deposito} <=  #2026/12/08# AND {CHEQUES.CD_STATUS}='A'");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(FbaixasTest, APeriodListsEveryStatusShowsItsFormulaAndPrints) {
    addCheque("INICIO", "2026-12-01", "A");
    addCheque("BAIXADO", "2026-12-15", "B");
    addCheque("DEVOLVIDO", "2026-12-31", "C");
    addCheque("DEPOIS", "2027-01-01", "A");
    QWidget* screen = open("fbaixasperiodo");
    EXPECT_TRUE(details(screen).isEmpty()) << "nothing until Executar";
    control<QDateEdit>(screen, "inicio")->setDate(QDate(2026, 12, 1));
    control<QDateEdit>(screen, "fim")->setDate(QDate(2026, 12, 31));
    click(screen, "Command2");
    EXPECT_EQ(issuers(screen), (QStringList{"INICIO", "BAIXADO", "DEVOLVIDO"}));

    click(screen, "Command1");
    const QString formula =
        "{cheques.dt_deposito}>=#2026/12/01# and {cheques.dt_deposito}<=#2026/12/31#";
    EXPECT_EQ(dialogs.last().text, formula);
    EXPECT_EQ(reports.last().templateName, "BAIXAS.RPT");
    EXPECT_EQ(reports.last().formula, formula);
    EXPECT_EQ(reports.last().content.rowCount, 3);
    const QStringList log = programFileLines("FC001081226.log");
    EXPECT_EQ(log.filter(QStringLiteral("IMPRIMIU RELAÇÃO DE CHEQUES A SEREM BAIXADOS :")).size(),
              2);

    control<QDateEdit>(screen, "inicio")->setDate(QDate(2027, 1, 1));
    click(screen, "Command2");
    EXPECT_TRUE(issuers(screen).isEmpty()) << "a period that runs backwards lists nothing";
}

TEST_F(FbaixasTest, TheMainMenuOpensBothScreens) {
    QWidget* menu = open("fprincipal");
    click(menu, "Command4");  // "Ver Cheques do Dia"
    click(menu, "Command5");  // "Trocar Destino"
    QStringList names;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            names << window->objectName();
    }
    EXPECT_TRUE(names.contains("fbaixas")) << names.join(" ").toStdString();
    EXPECT_TRUE(names.contains("fbaixasperiodo")) << names.join(" ").toStdString();
}

}  // namespace
}  // namespace tavrel
