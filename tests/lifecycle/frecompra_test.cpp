// The repurchase register: interest brought up to date at opening, the grid by client and status
// with its colours, the manual entry and its checks, settling and deleting one entry.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QTreeView>

#include "data/background_query.h"
#include "support/fixture.h"
#include "support/grid_reader.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

class FrecompraTest : public test::AppFixture {
protected:
    FrecompraTest() {
        exec(
            "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES ('00001', 'ANA LIMA'), "
            "('00002', 'BRUNO SOUZA')");
    }

    void addEntry(const QString& code, const QString& client, double value, double rate,
                  const QString& deposit, const QString& status, const QVariant& interest = {}) {
        exec(
            "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, "
            "DT_DEPOSITO, DT_TROCA, VL_JUROS, CD_STATUS) VALUES (?, ?, '00003', ?, ?, ?, "
            "'2026-11-01', ?, ?)",
            {code, client, value, rate, deposit, interest, status});
    }

    QWidget* openScreen() {
        QWidget* screen = open("FRECOMPRA");
        waitForBackgroundQueries();
        return screen;
    }

    GroupingGrid* grid(QWidget* screen) { return control<GroupingGrid>(screen, "GridEX1"); }

    // The first detail line of the grid, every group opened: its index in column 0.
    QModelIndex firstDetail(QWidget* screen) {
        GroupingGrid* g = grid(screen);
        g->expandAll();
        test::gridLines(g);
        QModelIndex index = g->model()->index(0, 0);
        while (g->model()->kind(index) == GroupingModel::RowKind::Header) {
            index = g->model()->index(0, 0, index);
        }
        return index;
    }

    void chooseFirst(QWidget* screen) {
        grid(screen)->view()->setCurrentIndex(firstDetail(screen));
    }

    void typeEntry(QWidget* screen, const QString& client, const QString& deposit,
                   const QString& rate, const QString& value) {
        setText(screen, "nm_cliente", client);
        setText(screen, "dt_deposito", deposit);
        setText(screen, "vl_taxa", rate);
        setText(screen, "vl_cheque", value);
    }

    int entries() { return value("SELECT COUNT(*) FROM RECOMPRA").toInt(); }
};

TEST_F(FrecompraTest, OpeningBringsOpenInterestUpToDateGroupedByClientAndStatusInColour) {
    addEntry("0000000001", "00001", 1000, 6, "2026-11-23", "A");
    addEntry("0000000002", "00001", 500, 3, "2026-10-01", "B", 12.34);
    addEntry("0000000003", "00009", 100, 3, "2026-12-18", "A");  // client deleted; ahead
    QWidget* screen = openScreen();
    EXPECT_EQ(
        rows("SELECT CD_lancamento, VL_JUROS FROM RECOMPRA ORDER BY 1"),
        (QList<QVariantList>{{"0000000001", 30.0}, {"0000000002", 12.34}, {"0000000003", -1.0}}));
    EXPECT_EQ(grid(screen)->grouping(), (QList<int>{0, 4}));
    grid(screen)->expandAll();
    const QList<QStringList> lines = test::gridLines(grid(screen));
    QStringList entriesShown;
    for (const QStringList& line : lines) {
        if (line.size() > 1 && line.first() != "=")
            entriesShown << line.value(7);
    }
    EXPECT_EQ(entriesShown, (QStringList{"0000000003", "0000000001", "0000000002"}));
    // Open lines red, settled blue.
    GroupingModel* model = grid(screen)->model();
    const QModelIndex ana = model->index(1, 0);
    const QModelIndex open = model->index(0, 0, model->index(0, 0, ana));
    const QModelIndex settled = model->index(0, 0, model->index(1, 0, ana));
    EXPECT_EQ(open.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(settled.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
}

TEST_F(FrecompraTest, GravarChecksEveryFieldBeforeWritingAndNumbersOnFromNine) {
    for (int n = 1; n <= 8; ++n) {
        addEntry(QStringLiteral("%1").arg(n, 10, 10, QLatin1Char('0')), "00001", 10, 1,
                 "2026-12-01", "B", 0);
    }
    QWidget* screen = openScreen();
    typeEntry(screen, "", "23/11/2026", "6", "1000");
    click(screen, "CONFIRMA");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Não posso incluir cheque sem cliente"));
    typeEntry(screen, "NINGUEM", "23/11/2026", "6", "1000");
    click(screen, "CONFIRMA");
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Cliente não cadastrado")));
    typeEntry(screen, "ana lima", "31/11/2026", "6", "1000");
    click(screen, "CONFIRMA");
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Data de depósito inválida")));
    typeEntry(screen, "ana lima", "23/11/2026", "seis", "1000");
    click(screen, "CONFIRMA");
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Taxa inválida")));
    typeEntry(screen, "ana lima", "23/11/2026", "6", "1000.5");
    click(screen, "CONFIRMA");
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Valor inválido")));
    EXPECT_EQ(entries(), 8) << "nothing written";
    EXPECT_EQ(text(screen, "vl_cheque"), "1000.5") << "what was typed stays";

    typeEntry(screen, "ana lima", "23/11/2026", "6", "1.000,00");
    click(screen, "CONFIRMA");
    typeEntry(screen, "BRUNO SOUZA", "01/12/2026", "3", "250");
    click(screen, "CONFIRMA");
    EXPECT_EQ(rows("SELECT CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, DT_DEPOSITO, "
                   "DT_TROCA, CD_STATUS FROM RECOMPRA WHERE CD_lancamento > '0000000008' "
                   "ORDER BY 1"),
              (QList<QVariantList>{
                  {"0000000009", "00001", "00000", 1000.0, 6.0, "2026-11-23", "2026-12-08", "A"},
                  {"0000000010", "00002", "00000", 250.0, 3.0, "2026-12-01", "2026-12-08", "A"}}));
    EXPECT_EQ(text(screen, "nm_cliente"), "");
    EXPECT_EQ(text(screen, "vl_cheque"), "0");
    EXPECT_EQ(programFileLines("FC001081226.log")
                  .filter(QStringLiteral("INCLUIU CHEQUE DEVOLVIDO DO CLIENTE:"))
                  .size(),
              2);
}

TEST_F(FrecompraTest, BaixarSettlesWithInterestUpToDateAndExcluirAsksFirst) {
    addEntry("0000000001", "00001", 1000, 6, "2026-11-23", "A", 1.0);
    QWidget* screen = openScreen();
    exec("UPDATE RECOMPRA SET VL_JUROS = 1");  // stale since the opening
    chooseFirst(screen);
    click(screen, "Command2");
    EXPECT_EQ(rows("SELECT CD_STATUS, VL_JUROS FROM RECOMPRA"), (QList<QVariantList>{{"B", 30.0}}));
    chooseFirst(screen);
    click(screen, "Command2");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Este lançamento já está baixado."));

    chooseFirst(screen);
    dialogs.answer(DialogAnswer::No);
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Deseja Realmente excluir esse registro? :ANA LIMA"));
    EXPECT_EQ(entries(), 1);
    chooseFirst(screen);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "EXCLUIR");
    EXPECT_EQ(entries(), 0);

    click(screen, "Command5");
    EXPECT_EQ(reports.last().templateName, "recompra.rpt");
    EXPECT_EQ(reports.last().formula, "");
}

}  // namespace
}  // namespace tavrel
