#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QTreeView>

#include "core/errors.h"
#include "data/background_query.h"
#include "support/fixture.h"
#include "support/grid_reader.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_grid_parts.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

using Lines = QList<QStringList>;

QList<GroupingColumn> columns() {
    return {
        {QStringLiteral("Cliente"), QStringLiteral("CLIENTES.NM_CLIENTE")},
        {QStringLiteral("Troca"), QStringLiteral("CHEQUES.CD_TROCA")},
        {QStringLiteral("Valor"), QStringLiteral("CHEQUES.VL_CHEQUE"), ColumnFormat::Currency,
         true},
        {QStringLiteral("Juros"), QStringLiteral("CHEQUES.VL_JUROS"), ColumnFormat::Currency, true},
        {QStringLiteral("Situação"), QStringLiteral("CHEQUES.CD_STATUS")},
    };
}

class GroupingGridTest : public test::AppFixture {
protected:
    GroupingGridTest() : connection(connect()) {
        exec(
            QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES "
                           "('00001', 'MARIA'), ('00002', 'ANA')"));
        exec(QStringLiteral(
            "INSERT INTO CHEQUES (CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_JUROS, CD_STATUS) VALUES "
            "('00001', '00010', 1000, 10, 'A'), ('00002', '00011', 300, 3, 'B'), "
            "('00001', '00010', 500.5, 5.25, 'B'), ('00001', '00012', 250, 2.5, 'A')"));
        grid = makeGrid();
    }
    ~GroupingGridTest() override { delete grid; }

    GroupingGrid* makeGrid() {
        auto* made = new GroupingGrid(context, QStringLiteral("GridEX1"));
        made->setColumns(columns());
        made->setGroupByHint(
            QStringLiteral("Traga a Coluna a ser agrupada para dentro desse espaço"));
        made->setSource(connection,
                        {QStringLiteral("CLIENTES INNER JOIN CHEQUES ON CLIENTES.CD_CLIENTE = "
                                        "CHEQUES.CD_CLIENTE")});
        made->resize(900, 400);
        made->show();
        waitForBackgroundQueries();
        return made;
    }

    // Drops a column header on the group-by area, as the operator's drag ends.
    void dropOnGroupArea(int column) {
        auto* area = grid->findChild<GroupByArea*>();
        ASSERT_NE(area, nullptr);
        std::unique_ptr<QMimeData> mime(columnMime(grid, column));
        QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, mime.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(area, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &drop);
    }

    QString label(const char* name) const {
        return grid->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }

    QModelIndex at(int row, const QModelIndex& parent = {}) const {
        return grid->model()->index(row, 0, parent);
    }

    Connection connection;
    GroupingGrid* grid = nullptr;
};

TEST_F(GroupingGridTest, DroppedHeadersNestInDropOrderWithTheirTotals) {
    EXPECT_EQ(label("dica"),
              QStringLiteral("Traga a Coluna a ser agrupada para dentro desse espaço"));
    EXPECT_EQ(label("registros"), "4");
    const QStringList totals = grid->findChild<GridTotalsBar*>()->texts();
    EXPECT_EQ(totals, (QStringList{"", "", "R$ 2.050,50", "R$ 20,75", ""}));

    dropOnGroupArea(0);
    dropOnGroupArea(4);
    dropOnGroupArea(0);  // already grouped: nothing changes
    EXPECT_EQ(grid->grouping(), (QList<int>{0, 4}));
    waitForBackgroundQueries();
    EXPECT_EQ(label("grupo1"), "Cliente");
    EXPECT_EQ(label("grupo2"), QStringLiteral("Situação"));
    EXPECT_FALSE(grid->findChild<QLabel*>("dica")->isVisibleTo(grid));

    // New groups show their headers only; "Desagrupar" opens every group.
    EXPECT_EQ(test::gridLines(grid), (Lines{{"> Cliente: ANA"}, {"> Cliente: MARIA"}}));
    grid->expandAll();
    EXPECT_EQ(test::gridLines(grid), (Lines{
                                         {"> Cliente: ANA"},
                                         {QStringLiteral("  > Situação: B")},
                                         {"ANA", "00011", "R$ 300,00", "R$ 3,00", "B"},
                                         {"=", "", "", "R$ 300,00", "R$ 3,00", ""},
                                         {"=", "", "", "R$ 300,00", "R$ 3,00", ""},
                                         {"> Cliente: MARIA"},
                                         {QStringLiteral("  > Situação: A")},
                                         {"MARIA", "00010", "R$ 1.000,00", "R$ 10,00", "A"},
                                         {"MARIA", "00012", "R$ 250,00", "R$ 2,50", "A"},
                                         {"=", "", "", "R$ 1.250,00", "R$ 12,50", ""},
                                         {QStringLiteral("  > Situação: B")},
                                         {"MARIA", "00010", "R$ 500,50", "R$ 5,25", "B"},
                                         {"=", "", "", "R$ 500,50", "R$ 5,25", ""},
                                         {"=", "", "", "R$ 1.750,50", "R$ 17,75", ""},
                                     }));
    // "Agrupar" closes them again.
    grid->collapseAll();
    EXPECT_EQ(test::gridLines(grid).size(), 2);
    EXPECT_FALSE(grid->view()->isExpanded(at(1)));

    grid->ungroup(0);
    EXPECT_EQ(grid->grouping(), (QList<int>{4}));
    EXPECT_EQ(label("grupo1"), QStringLiteral("Situação"));
    grid->ungroup(4);
    waitForBackgroundQueries();
    EXPECT_TRUE(grid->findChild<QLabel*>("dica")->isVisibleTo(grid));
    EXPECT_EQ(test::gridLines(grid).size(), 4);
}

TEST_F(GroupingGridTest, TheNavigatorFollowsTheCurrentRow) {
    EXPECT_EQ(label("registro"), "");
    click(grid, "proximo");
    EXPECT_EQ(label("registro"), "1");
    click(grid, "ultimo");
    EXPECT_EQ(label("registro"), "4");
    click(grid, "anterior");
    EXPECT_EQ(label("registro"), "3");
    click(grid, "primeiro");
    EXPECT_EQ(label("registro"), "1");
    EXPECT_EQ(label("registros"), "4");
}

TEST_F(GroupingGridTest, TextColumnsFitTheirFirstRowsUntilTheOperatorSetsAWidth) {
    const QString name = QStringLiteral("MATERIAIS DE CONSTRUÇÃO SÃO JOSÉ");
    exec(QStringLiteral("UPDATE CLIENTES SET NM_CLIENTE = ? WHERE CD_CLIENTE = '00001'"), {name});
    delete grid;
    grid = makeGrid();
    EXPECT_GE(grid->columnWidth(0), grid->view()->fontMetrics().horizontalAdvance(name));
    EXPECT_LT(grid->columnWidth(1), grid->columnWidth(0)) << "a code stays narrow";

    grid->setColumnWidth(0, 120);
    grid->refresh();
    waitForBackgroundQueries();
    EXPECT_EQ(grid->columnWidth(0), 120);
}

TEST_F(GroupingGridTest, PrintsTheArrangementOrOnlyTheSelection) {
    grid->setGrouping({0});
    grid->setColumnVisible(1, false);
    grid->setColumnPosition(4, 0);
    waitForBackgroundQueries();
    grid->view()->expand(at(1));  // MARIA open, ANA closed

    GridPrintOptions options;
    options.title = QStringLiteral("Consulta");
    options.printedAt = clock.now();
    ReportContent all = grid->printContent(options);
    QStringList captions;
    for (const ContentColumn& column : all.columns) {
        captions << column.caption;
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Situação"), "Cliente", "Valor", "Juros"}));
    QStringList lines;
    for (const ReportLine& line : all.lines) {
        lines << line.text + QLatin1Char('|') + line.cells.join(QLatin1Char('|'));
    }
    EXPECT_EQ(lines, (QStringList{
                         "Cliente: ANA|",
                         "Total|||R$ 300,00|R$ 3,00",
                         "Cliente: MARIA|",
                         "|A|MARIA|R$ 1.000,00|R$ 10,00",
                         "|B|MARIA|R$ 500,50|R$ 5,25",
                         "|A|MARIA|R$ 250,00|R$ 2,50",
                         "Total|||R$ 1.750,50|R$ 17,75",
                         "Total Geral|||R$ 2.050,50|R$ 20,75",
                     }));
    // Four columns go across an upright page in the usual type, each as wide as its text.
    EXPECT_EQ(all.orientation, Orientation::Portrait);
    EXPECT_EQ(all.fontSize, 8);
    EXPECT_GE(all.columns[2].width, QStringLiteral("R$ 2.050,50").size());
    EXPECT_LT(all.columns[1].width, all.columns[2].width) << "MARIA is shorter";
    EXPECT_EQ(all.headerRight, "08/12/2026");
    EXPECT_EQ(all.footerRight, "Page {page} of {pages}");
    const QString text = test::reportText(all);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of 1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("08/12/2026")));

    // Only the selected rows: one of MARIA's; totals are those of what is printed.
    grid->view()->selectionModel()->select(at(1, at(1)),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    options.selectedOnly = true;
    options.repeatCaptions = false;
    options.pageBreakPerGroup = true;
    ReportContent selected = grid->printContent(options);
    lines.clear();
    for (const ReportLine& line : selected.lines) {
        lines << line.text + QLatin1Char('|') + line.cells.join(QLatin1Char('|'));
    }
    EXPECT_EQ(lines, (QStringList{
                         "Cliente: MARIA|",
                         "|B|MARIA|R$ 500,50|R$ 5,25",
                         "Total|||R$ 500,50|R$ 5,25",
                         "Total Geral|||R$ 500,50|R$ 5,25",
                     }));
    EXPECT_FALSE(selected.repeatCaptions);

    // A selected group counts whole (closed, it prints its header and totals); each outermost
    // group on its own page.
    grid->view()->selectionModel()->select(at(0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selected = grid->printContent(options);
    ASSERT_EQ(selected.lines.size(), 6);
    EXPECT_EQ(selected.lines[0].text, "Cliente: ANA");
    EXPECT_EQ(selected.lines[1].cells.value(2), "R$ 300,00");
    EXPECT_EQ(selected.lines[2].text, "Cliente: MARIA");
    EXPECT_TRUE(selected.lines[2].pageBreakBefore);
    EXPECT_EQ(selected.lines[5].cells.value(2), "R$ 800,50");
}

TEST_F(GroupingGridTest, ALayoutComesBackByFieldAndAForeignOneChangesNothing) {
    grid->setColumnVisible(3, false);
    grid->setColumnPosition(4, 0);
    grid->setColumnWidth(1, 123);
    grid->groupBy(4);
    grid->groupBy(0);
    const QString path = programDir.filePath(QStringLiteral("teste.lyt"));
    grid->saveLayout(path);
    const GridLayoutState saved = grid->layoutState();

    delete grid;
    grid = makeGrid();
    EXPECT_NE(writeGridLayout(grid->layoutState()), writeGridLayout(saved));
    grid->loadLayout(path);
    EXPECT_EQ(writeGridLayout(grid->layoutState()), writeGridLayout(saved));
    EXPECT_EQ(grid->grouping(), (QList<int>{4, 0}));
    EXPECT_FALSE(grid->isColumnVisible(3));
    EXPECT_EQ(grid->columnPosition(4), 0);
    EXPECT_EQ(grid->columnWidth(1), 123);

    // Another program's file, and a layout of another grid: refused, the grid as it was.
    const QString foreign = programDir.filePath(QStringLiteral("outro.lyt"));
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[GridEX Layout]\r\nColumns=21\r\n");
    file.close();
    EXPECT_THROW(grid->loadLayout(foreign), AppError);
    GridLayoutState other;
    other.columns = {{QStringLiteral("RECOMPRA.CD_LANCAMENTO"), false, 0, 10}};
    other.groups = {QStringLiteral("RECOMPRA.CD_LANCAMENTO")};
    EXPECT_THROW(grid->applyLayout(other), AppError);
    EXPECT_EQ(writeGridLayout(grid->layoutState()), writeGridLayout(saved));
}

}  // namespace
}  // namespace tavrel
