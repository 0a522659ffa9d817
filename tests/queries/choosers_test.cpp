#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>

#include "data/background_query.h"
#include "support/fixture.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

class ChoosersTest : public test::AppFixture {
protected:
    ChoosersTest() {
        exec(
            QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES "
                           "('00001', 'MARIA'), ('00002', 'ANA'), ('00003', 'SEM CHEQUES')"));
        const struct {
            const char* cliente;
            double valor;
            const char* status;
            const char* deposito;
        } cheques[] = {
            {"00001", 100, "A", "2026-11-30"}, {"00001", 200, "B", "2026-12-01"},
            {"00002", 300, "A", "2026-12-05"}, {"00001", 400, "A", "2026-12-08"},
            {"00002", 500, "C", "2026-12-09"},
        };
        for (const auto& cheque : cheques) {
            // ANA's cheques are passed on to MARIA: they are not MARIA's.
            exec(QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, CD_DESTINO, VL_CHEQUE, "
                                "CD_STATUS, DT_DEPOSITO) VALUES (?, '00001', ?, ?, ?)"),
                 {QString::fromLatin1(cheque.cliente), cheque.valor,
                  QString::fromLatin1(cheque.status), QString::fromLatin1(cheque.deposito)});
        }
    }

    QStringList values(QWidget* screen, int column) {
        waitForBackgroundQueries();
        GroupingModel* model = control<GroupingGrid>(screen, "GridEX1")->model();
        QStringList result;
        for (int row = 0; row < model->rowCount(); ++row) {
            result << model->index(row, column).data().toString();
        }
        return result;
    }
    QStringList totals(QWidget* screen) {
        waitForBackgroundQueries();
        return {text(screen, "aberto"), text(screen, "baixado"), text(screen, "negociado"),
                text(screen, "peraberto"), text(screen, "perbaixado")};
    }
    QStringList logLines() {
        QStringList lines;
        for (const QString& line : programFileLines(QStringLiteral("FC001081226.log"))) {
            if (!line.startsWith(QLatin1Char('-'))) {
                lines << line.section(QLatin1Char('-'), 2);
            }
        }
        return lines;
    }
    void period(QWidget* chooser, const QDate& de, const QDate& ate) {
        control<QDateEdit>(chooser, "DTPicker1")->setDate(de);
        control<QDateEdit>(chooser, "DTPicker2")->setDate(ate);
    }
};

TEST_F(ChoosersTest, APeriodIncludesBothOfItsDays) {
    QWidget* screen = open(QStringLiteral("fconsultaperiodo"));
    click(screen, "Command8");
    QWidget* chooser = screens->open(QStringLiteral("fselperiodo"));
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Seleção de Período"));
    EXPECT_EQ(control<QDateEdit>(chooser, "DTPicker1")->date(), QDate(2026, 12, 1));
    EXPECT_EQ(control<QDateEdit>(chooser, "DTPicker2")->date(), QDate(2026, 12, 31));
    period(chooser, QDate(2026, 12, 1), QDate(2026, 12, 8));
    click(chooser, "Command1");
    EXPECT_EQ(values(screen, 2), (QStringList{"R$ 200,00", "R$ 300,00", "R$ 400,00"}));
    EXPECT_EQ(values(screen, 3), (QStringList{"01/12/2026", "05/12/2026", "08/12/2026"}));
    EXPECT_EQ(totals(screen), (QStringList{"700,00", "200,00", "900,00", "77,78", "22,22"}));
    EXPECT_FALSE(chooser->isVisible());

    // First day after the last: nothing, totals at zero, and no error.
    click(screen, "Command8");
    chooser = screens->open(QStringLiteral("fselperiodo"));
    period(chooser, QDate(2026, 12, 9), QDate(2026, 12, 1));
    click(chooser, "Command1");
    EXPECT_TRUE(values(screen, 2).isEmpty());
    EXPECT_EQ(totals(screen), (QStringList{"0,00", "0,00", "0,00", "0,00", "0,00"}));
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(logLines(),
              (QStringList{
                  QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERIODO-**"),
                  QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERÍODO-**"),
                  QStringLiteral("SELECIONA O PERIODO PARA SELEÇÃO DO MOVIMENTO-**"),
                  QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERÍODO-**"),
                  QStringLiteral("SELECIONA O PERIODO PARA SELEÇÃO DO MOVIMENTO-**"),
              }));
}

TEST_F(ChoosersTest, AClientsOwnChequesOnlyAndNoneWithoutAClient) {
    QWidget* screen = open(QStringLiteral("fconsultacliente"));
    click(screen, "Command8");
    QWidget* chooser = screens->open(QStringLiteral("fselcliente"));
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Seleciona Cliente"));
    auto* clientes = control<QComboBox>(chooser, "nm_cliente");
    ASSERT_EQ(clientes->count(), 3);
    EXPECT_EQ(clientes->itemText(0), "ANA") << "in name order";
    EXPECT_EQ(clientes->currentIndex(), -1);
    setText(chooser, "nm_cliente", QStringLiteral("MARIA"));
    click(chooser, "Command1");
    EXPECT_EQ(values(screen, 2), (QStringList{"R$ 100,00", "R$ 200,00", "R$ 400,00"}));
    EXPECT_EQ(totals(screen), (QStringList{"500,00", "200,00", "700,00", "71,43", "28,57"}));

    // A client with no cheques, then no client at all: nothing listed.
    click(screen, "Command8");
    chooser = screens->open(QStringLiteral("fselcliente"));
    setText(chooser, "nm_cliente", QStringLiteral("SEM CHEQUES"));
    click(chooser, "Command1");
    EXPECT_TRUE(values(screen, 2).isEmpty());
    click(screen, "Command8");
    chooser = screens->open(QStringLiteral("fselcliente"));
    click(chooser, "Command1");
    EXPECT_TRUE(values(screen, 2).isEmpty());
    EXPECT_EQ(totals(screen), (QStringList{"0,00", "0,00", "0,00", "0,00", "0,00"}));
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(logLines(),
              (QStringList{
                  QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR CLIENTE-**"),
                  QStringLiteral("ENTROU PARA SELECIONAR UM CLIENTE-**"),
                  QStringLiteral("ENTROU PARA SELECIONAR CLIENTE :-08/12/2026"),
                  QStringLiteral("ESCOLHEU CLIENTE :-MARIA"),
                  QStringLiteral("ESCOLHEU O CLIENTE-00001"),
                  QStringLiteral("ENTROU PARA SELECIONAR UM CLIENTE-**"),
                  QStringLiteral("ENTROU PARA SELECIONAR CLIENTE :-08/12/2026"),
                  QStringLiteral("ESCOLHEU CLIENTE :-SEM CHEQUES"),
                  QStringLiteral("ESCOLHEU O CLIENTE-00003"),
                  QStringLiteral("ENTROU PARA SELECIONAR UM CLIENTE-**"),
                  QStringLiteral("ENTROU PARA SELECIONAR CLIENTE :-08/12/2026"),
                  QStringLiteral("ESCOLHEU CLIENTE :-"),
                  QStringLiteral("ESCOLHEU O CLIENTE-"),
              }));
}

TEST_F(ChoosersTest, AChooserWritesNothingOnceItsScreenIsGone) {
    QWidget* screen = open(QStringLiteral("fconsultaperiodo"));
    click(screen, "Command8");
    QWidget* chooser = screens->open(QStringLiteral("fselperiodo"));
    chooser->setParent(nullptr);  // the operator closed the query, the chooser stayed
    chooser->setAttribute(Qt::WA_DeleteOnClose, false);
    delete screen;
    click(chooser, "Command1");
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_TRUE(dialogs.shown().empty());
    delete chooser;
}

}  // namespace
}  // namespace tavrel
