// The pivot engine on small sources, with the whole grid it shows.
#include <gtest/gtest.h>

#include "cube/cube.h"
#include "cube/cube_data_helper.h"
#include "cube/group_keys.h"
#include "cube/pivot_table.h"
#include "cube/pivot_view.h"
#include "support/printers.h"

namespace tavrel {
namespace {

using test::TestCheque;
using test::TestClient;

const std::vector<TestClient> kClients = {{"00001", QStringLiteral("ANA")},
                                          {"00002", QStringLiteral("BRUNO")},
                                          {"00003", QStringLiteral("CARLOS")},
                                          {"00004", QStringLiteral("DAVI")}};

// Positions in the fields collection.
constexpr int kCliente = 0;
constexpr int kStatus = 1;
constexpr int kDias = 3;
constexpr int kTroca = 5;
constexpr int kSemanaTroca = 7;
constexpr int kMesTroca = 8;
constexpr int kTrimestreTroca = 12;
constexpr int kCheque = 0;  // measures
constexpr int kJuros = 3;

// Shows only these measures, in the data area's order.
void showMeasures(CubeLayout& layout, std::initializer_list<int> measures) {
    for (int m = 0; m < layout.measureCount(); ++m) {
        layout.field(layout.measureField(m)).visible =
            std::find(measures.begin(), measures.end(), m) != measures.end();
    }
}

// The grid as the cube shows it: column heading lines first (blank over the row headings),
// then each row's headings and cells.
QList<QStringList> grid(const PivotView& view) {
    QList<QStringList> lines;
    for (int level = 0; level < view.columnHeadingLevels(); ++level) {
        QStringList line;
        for (int i = 0; i < view.rowHeadingLevels(); ++i) {
            line << QString();
        }
        for (int column = 0; column < view.columnCount(); ++column) {
            line << view.columnHeading(column, level);
        }
        lines << line;
    }
    for (int row = 0; row < view.rowCount(); ++row) {
        QStringList line;
        for (int level = 0; level < view.rowHeadingLevels(); ++level) {
            line << view.rowHeading(row, level);
        }
        for (int column = 0; column < view.columnCount(); ++column) {
            line << view.text(row, column);
        }
        lines << line;
    }
    return lines;
}

quint32 memberNamed(const Cube& cube, int dimension, const QString& caption) {
    const CubeDimension& d = cube.dimension(dimension);
    for (quint32 m = 0; m < d.memberCount(); ++m) {
        if (d.caption(m) == caption) {
            return m;
        }
    }
    ADD_FAILURE() << "no member " << caption.toStdString();
    return 0;
}

std::unique_ptr<Cube> cubeOf(const std::vector<TestCheque>& cheques,
                             const std::vector<TestClient>& clients = kClients) {
    auto cube = std::make_unique<Cube>(test::testData(clients, cheques));
    showMeasures(cube->layout(), {kCheque});
    return cube;
}

TEST(Pivot, ClientByStatusWithTotalsAnEmptyCellAndNoChequeWithoutClient) {
    auto cube =
        cubeOf({{.cliente = "00001", .status = "A", .valor = 100},
                {.cliente = "00001", .status = "B", .valor = 50},
                {.cliente = "00002", .status = "A", .valor = 30},
                {.cliente = "00002", .status = "C", .valor = 20},
                {.cliente = "99999", .status = "A", .valor = 1000},  // no such client: left out
                {.cliente = "00001", .status = "A", .valor = 25}});
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->layout().moveField(kStatus, CubeArea::Column);
    cube->recalculate();
    EXPECT_EQ(cube->data().rows, 5u);
    const QList<QStringList> expected = {
        {"", "Aberto", "Baixado", "Devolvido", "Total"},
        {"ANA", "125,00", "50,00", "", "175,00"},
        {"BRUNO", "30,00", "", "20,00", "50,00"},
        {"Total", "155,00", "50,00", "20,00", "225,00"},
    };
    EXPECT_EQ(grid(cube->view()), expected);
    EXPECT_FALSE(cube->view().value(1, 1).has_value());  // BRUNO, Baixado: no cheque at all

    // Two measures: they form the innermost row level, each in its own format.
    showMeasures(cube->layout(), {kCheque, kJuros});
    cube->layout().field(kStatus).groupFooterType = 0;
    cube->recalculate();
    EXPECT_EQ(cube->view().rowHeadingLevels(), 2);
    const QList<QStringList> twoMeasures = grid(cube->view());
    EXPECT_EQ(twoMeasures.at(0), QStringList({"", "", "Aberto", "Baixado", "Devolvido"}));
    EXPECT_EQ(twoMeasures.at(1), QStringList({"ANA", "Cheque", "125,00", "50,00", ""}));
    EXPECT_EQ(twoMeasures.at(2), QStringList({"ANA", "Juros", "0", "0", ""}));
}

TEST(Pivot, MeasuresKeepTheirFormatsAndEmptyAmountsAddNothing) {
    auto cube = cubeOf({{.cliente = "00001", .status = "A", .valor = 1234567.5, .juros = 2.5},
                        {.cliente = "00001", .status = "A", .valor = 1, .juros = std::nullopt},
                        {.cliente = "00002", .status = "A", .valor = 3, .juros = std::nullopt}});
    showMeasures(cube->layout(), {kCheque, kJuros});
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->recalculate();
    const QList<QStringList> expected = {
        {"ANA", "Cheque", "1.234.568,50"},
        {"ANA", "Juros", "2,5"},
        {"BRUNO", "Cheque", "3,00"},
        {"BRUNO", "Juros", ""},  // no interest stored at all: blank, not 0
        {"Total", "Cheque", "1.234.571,50"},
        {"Total", "Juros", "2,5"},
    };
    EXPECT_EQ(grid(cube->view()), expected);
}

TEST(Pivot, TotalsAddTheUnroundedSums) {
    auto cube = cubeOf({{.cliente = "00001", .status = "A", .valor = 0.005},
                        {.cliente = "00002", .status = "A", .valor = 0.005}});
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->recalculate();
    const QList<QStringList> expected = {
        {"ANA", "0,01"}, {"BRUNO", "0,01"}, {"Total", "0,01"},  // not 0,02
    };
    EXPECT_EQ(grid(cube->view()), expected);
}

TEST(Pivot, SumsCarryNoNoiseOfTheAdditions) {
    // A hundred additions of 0,1 give 9,99999999999998 one by one; the general format (15
    // significant digits) would show that.
    std::vector<TestCheque> cheques;
    for (int i = 0; i < 100; ++i) {
        cheques.push_back({.cliente = "00001", .status = "A", .juros = 0.1});
        cheques.push_back({.cliente = "00002", .status = "A", .juros = 0.07});
    }
    auto cube = cubeOf(cheques);
    showMeasures(cube->layout(), {kJuros});
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->recalculate();
    const QList<QStringList> expected = {{"ANA", "10"}, {"BRUNO", "7"}, {"Total", "17"}};
    EXPECT_EQ(grid(cube->view()), expected);
}

TEST(Pivot, DatePartsShowWeeksMonthsAndQuartersOfTheDate) {
    EXPECT_EQ(weekOfYear(2028, 12, 31), 54);  // 2028 began on a Saturday and is a leap year
    EXPECT_EQ(weekOfYear(2028, 1, 1), 1);
    EXPECT_EQ(weekOfYear(2028, 1, 2), 2);  // the first Sunday starts week 2
    EXPECT_EQ(weekOfYear(2027, 12, 31), 53);
    EXPECT_EQ(weekOfYear(2026, 12, 8), 50);

    auto cube = cubeOf({{.cliente = "00001", .status = "A", .troca = "2028-12-31", .valor = 1},
                        {.cliente = "00001", .status = "A", .troca = "2028-01-02", .valor = 2},
                        {.cliente = "00001", .status = "A", .troca = "2027-12-31", .valor = 4},
                        {.cliente = "00001", .status = "A", .troca = "2028-01-01", .valor = 8},
                        {.cliente = "00001", .status = "A", .troca = "2026-05-20", .valor = 16}});
    cube->layout().setAllGroupFooterTypes(0);
    cube->layout().moveField(kTrimestreTroca, CubeArea::Row);
    cube->layout().moveField(kMesTroca, CubeArea::Row);
    cube->layout().moveField(kSemanaTroca, CubeArea::Row);
    cube->recalculate();
    const QList<QStringList> byWeek = {
        {"Primeiro", "Janeiro", "1", "8,00"}, {"Primeiro", "Janeiro", "2", "2,00"},
        {"Segundo", "Maio", "21", "16,00"},   {"Quarto", "Dezembro", "53", "4,00"},
        {"Quarto", "Dezembro", "54", "1,00"},
    };
    EXPECT_EQ(grid(cube->view()), byWeek);

    // The exchange date itself, in date order.
    cube->layout().moveField(kTrimestreTroca, CubeArea::Page);
    cube->layout().moveField(kMesTroca, CubeArea::Page);
    cube->layout().moveField(kSemanaTroca, CubeArea::Page);
    cube->layout().moveField(kTroca, CubeArea::Row);
    cube->recalculate();
    const QList<QStringList> byDate = {
        {"20/05/2026", "16,00"}, {"31/12/2027", "4,00"}, {"01/01/2028", "8,00"},
        {"02/01/2028", "2,00"},  {"31/12/2028", "1,00"},
    };
    EXPECT_EQ(grid(cube->view()), byDate);
}

TEST(Pivot, MembersComeInTheirNaturalOrder) {
    const std::vector<TestClient> clients = {
        {"00001", QStringLiteral("Bruno")},      {"00002", QStringLiteral("álvaro")},
        {"00003", QStringLiteral("Zé")},         {"00004", QStringLiteral("Alberto")},
        {"00005", QStringLiteral("JOSÉ SILVA")}, {"00006", QStringLiteral("José Silva")}};
    std::vector<TestCheque> cheques;
    for (const TestClient& client : clients) {
        cheques.push_back({.cliente = client.code, .status = "A", .valor = 1});
    }
    cheques.push_back(
        {.cliente = "00001", .status = "A", .troca = "2026-12-01", .valor = 1, .dias = 100});
    cheques.push_back(
        {.cliente = "00001", .status = "A", .troca = "2026-02-01", .valor = 1, .dias = 5});
    cheques.push_back({.cliente = "00001", .status = "A", .valor = 1, .dias = std::nullopt});
    auto cube = cubeOf(cheques, clients);
    cube->layout().setAllGroupFooterTypes(0);
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->recalculate();
    QStringList names;
    for (int row = 0; row < cube->view().rowCount(); ++row) {
        names << cube->view().rowHeading(row, 0);
    }
    // Portuguese collation; two clients of one name are told apart by their codes.
    EXPECT_EQ(names, QStringList({QStringLiteral("Alberto"), QStringLiteral("álvaro"),
                                  QStringLiteral("Bruno"), QStringLiteral("JOSÉ SILVA (00005)"),
                                  QStringLiteral("José Silva (00006)"), QStringLiteral("Zé")}));

    cube->layout().moveField(kCliente, CubeArea::Page);
    cube->layout().moveField(kMesTroca, CubeArea::Row);
    cube->layout().moveField(kDias, CubeArea::Column);
    cube->recalculate();
    const QList<QStringList> expected = {
        {"", "5", "30", "100", "(em branco)"},
        {"Fevereiro", "1,00", "", "", ""},
        {QStringLiteral("Março"), "", "6,00", "", "1,00"},
        {"Dezembro", "", "", "1,00", ""},
    };
    EXPECT_EQ(grid(cube->view()), expected);
}

TEST(Pivot, PageFilterLeavesOutTheHiddenMembers) {
    auto cube = cubeOf({{.cliente = "00001", .status = "A", .valor = 100},
                        {.cliente = "00001", .status = "B", .valor = 50},
                        {.cliente = "00002", .status = "B", .valor = 30},
                        {.cliente = "00003", .status = "C", .valor = 20}});
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->layout().field(kStatus).hiddenMembers = {
        memberNamed(*cube, kStatus, QStringLiteral("Baixado"))};
    cube->recalculate();
    const QList<QStringList> expected = {
        {"ANA", "100,00"},
        {"CARLOS", "20,00"},
        {"Total", "120,00"},
    };
    EXPECT_EQ(grid(cube->view()), expected);
    EXPECT_EQ(cube->table().includedRows(), 2u);

    // Moved to the hidden area, the field filters no more.
    cube->layout().moveField(kStatus, CubeArea::Hidden);
    cube->recalculate();
    EXPECT_EQ(grid(cube->view()).last(), QStringList({"Total", "200,00"}));
}

class Ranking : public ::testing::Test {
protected:
    void SetUp() override {
        cube = cubeOf({{.cliente = "00001", .status = "A", .valor = 50},
                       {.cliente = "00002", .status = "A", .valor = 80},
                       {.cliente = "00003", .status = "A", .valor = 50},
                       {.cliente = "00004", .status = "A", .valor = 10},
                       {.cliente = "00001", .status = "B", .valor = 5},
                       {.cliente = "00003", .status = "B", .valor = 60},
                       {.cliente = "00004", .status = "B", .valor = 10}});
        cube->layout().moveField(kCliente, CubeArea::Row);
        cube->recalculate();
    }
    void rank(SortKind kind) {
        CubeField& cliente = cube->layout().field(kCliente);
        cliente.sortKind = static_cast<int>(kind);
        cliente.sortMeasure = kCheque;
        cube->recalculate();
    }
    std::unique_ptr<Cube> cube;
};

TEST_F(Ranking, ByAMeasureDescendingAndAscendingWithTiesInNaturalOrder) {
    const int summed = cube->summings();
    rank(SortKind::MeasureDescending);
    const QList<QStringList> descending = {
        {"CARLOS", "110,00"}, {"BRUNO", "80,00"},  {"ANA", "55,00"},
        {"DAVI", "20,00"},    {"Total", "265,00"},
    };
    EXPECT_EQ(grid(cube->view()), descending);

    rank(SortKind::MeasureAscending);
    const QList<QStringList> ascending = {
        {"DAVI", "20,00"},    {"ANA", "55,00"},    {"BRUNO", "80,00"},
        {"CARLOS", "110,00"}, {"Total", "265,00"},
    };
    EXPECT_EQ(grid(cube->view()), ascending);

    // A tie keeps the natural order whichever way the ranking goes.
    cube->layout().field(kStatus).hiddenMembers = {
        memberNamed(*cube, kStatus, QStringLiteral("Baixado"))};
    rank(SortKind::MeasureDescending);
    EXPECT_EQ(grid(cube->view()), (QList<QStringList>{{"BRUNO", "80,00"},
                                                      {"ANA", "50,00"},
                                                      {"CARLOS", "50,00"},
                                                      {"DAVI", "10,00"},
                                                      {"Total", "190,00"}}));
    rank(SortKind::MeasureAscending);
    EXPECT_EQ(grid(cube->view()), (QList<QStringList>{{"DAVI", "10,00"},
                                                      {"ANA", "50,00"},
                                                      {"CARLOS", "50,00"},
                                                      {"BRUNO", "80,00"},
                                                      {"Total", "190,00"}}));

    // Back to the members' own order.
    cube->layout().field(kStatus).hiddenMembers.clear();
    rank(SortKind::Members);
    EXPECT_EQ(grid(cube->view()).first(), QStringList({"ANA", "55,00"}));
    EXPECT_EQ(cube->summings(), summed + 2);  // the filter alone made the rows be summed again
}

TEST_F(Ranking, InsideEachParentWithTheTotalLast) {
    cube->layout().moveField(kStatus, CubeArea::Row, 0);
    rank(SortKind::MeasureDescending);
    const QList<QStringList> expected = {
        {"Aberto", "BRUNO", "80,00"}, {"Aberto", "ANA", "50,00"},    {"Aberto", "CARLOS", "50,00"},
        {"Aberto", "DAVI", "10,00"},  {"Aberto", "Total", "190,00"}, {"Baixado", "CARLOS", "60,00"},
        {"Baixado", "DAVI", "10,00"}, {"Baixado", "ANA", "5,00"},    {"Baixado", "Total", "75,00"},
        {"Total", "", "265,00"},
    };
    EXPECT_EQ(grid(cube->view()), expected);

    // The outer field ranked too: Baixado (75) after Aberto (190) either way but ascending.
    cube->layout().field(kStatus).sortKind = static_cast<int>(SortKind::MeasureAscending);
    cube->recalculate();
    EXPECT_EQ(grid(cube->view()).first(), QStringList({"Baixado", "CARLOS", "60,00"}));
    EXPECT_EQ(grid(cube->view()).last(), QStringList({"Total", "", "265,00"}));
}

TEST_F(Ranking, CollapseAndExpandWithoutSummingAgain) {
    cube->layout().moveField(kStatus, CubeArea::Row, 0);
    cube->recalculate();
    const int summed = cube->summings();
    const QList<QStringList> expanded = grid(cube->view());

    const std::optional<HeadingMember> aberto = cube->view().rowHeadingMember(0, 0);
    ASSERT_TRUE(aberto.has_value());
    EXPECT_FALSE(aberto->collapsed);
    EXPECT_FALSE(cube->view().rowHeadingMember(0, 1).has_value());  // innermost: nothing inside
    cube->layout().field(aberto->field).collapsedMembers.insert(aberto->member);
    cube->recalculate();
    const QList<QStringList> collapsed = {
        {"Aberto", "", "190,00"},     {"Baixado", "ANA", "5,00"},    {"Baixado", "CARLOS", "60,00"},
        {"Baixado", "DAVI", "10,00"}, {"Baixado", "Total", "75,00"}, {"Total", "", "265,00"},
    };
    EXPECT_EQ(grid(cube->view()), collapsed);
    EXPECT_TRUE(cube->view().rowHeadingMember(0, 0)->collapsed);

    cube->layout().field(aberto->field).collapsedMembers.clear();
    cube->recalculate();
    EXPECT_EQ(grid(cube->view()), expanded);
    EXPECT_EQ(cube->summings(), summed);
}

TEST(Pivot, SubtotalsOnAndOffForEveryField) {
    auto cube = cubeOf({{.cliente = "00001", .status = "A", .valor = 1},
                        {.cliente = "00002", .status = "B", .valor = 2}});
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->layout().moveField(kStatus, CubeArea::Row);
    cube->layout().setAllGroupFooterTypes(-1);
    cube->recalculate();
    EXPECT_EQ(cube->view().rowCount(), 5);  // two members, their two totals, the grand total
    cube->layout().setAllGroupFooterTypes(0);
    cube->recalculate();
    const QList<QStringList> expected = {{"ANA", "Aberto", "1,00"}, {"BRUNO", "Baixado", "2,00"}};
    EXPECT_EQ(grid(cube->view()), expected);
    for (int position = 0; position < cube->layout().fieldCount(); ++position) {
        EXPECT_EQ(cube->layout().field(position).groupFooterType, 0);
    }
}

TEST(Pivot, AnEmptySourceShowsEveryMeasureBlank) {
    Cube cube(test::testData(kClients, {}));
    EXPECT_EQ(cube.view().rowCount(), 8);  // the eight measures, one row each
    EXPECT_EQ(cube.view().columnCount(), 1);
    EXPECT_EQ(cube.view().rowHeading(7, 0), QStringLiteral("Tac"));
    for (int row = 0; row < 8; ++row) {
        EXPECT_FALSE(cube.view().value(row, 0).has_value());
    }
    cube.layout().moveField(kCliente, CubeArea::Row);
    cube.recalculate();
    EXPECT_EQ(cube.view().rowCount(), 8);  // only the total line, blank
    EXPECT_EQ(cube.view().text(0, 0), QString());
}

TEST(Pivot, MeasuresOnTheColumnsAndABlockOfTheView) {
    auto cube = cubeOf({{.cliente = "00001", .status = "A", .valor = 10, .juros = 1},
                        {.cliente = "00002", .status = "B", .valor = 20, .juros = 2}});
    showMeasures(cube->layout(), {kCheque, kJuros});
    cube->layout().dataOnRows = false;
    cube->layout().moveField(kCliente, CubeArea::Row);
    cube->layout().moveField(kStatus, CubeArea::Column);
    cube->recalculate();
    const PivotView& view = cube->view();
    ASSERT_EQ(view.columnHeadingLevels(), 2);
    EXPECT_EQ(view.columnCount(), 6);  // Aberto, Baixado, Total; two measures each

    const ViewBlock block = viewBlock(view, 1, 0, 2, 3);  // corners in either order
    ASSERT_EQ(block.rowHeadings.size(), 2u);
    EXPECT_EQ(block.rowHeadings[1], QStringList({"BRUNO"}));
    ASSERT_EQ(block.columnHeadings.size(), 2u);
    EXPECT_EQ(block.columnHeadings[0], QStringList({"Baixado", "Cheque"}));
    EXPECT_EQ(block.columnHeadings[1], QStringList({"Baixado", "Juros"}));
    EXPECT_FALSE(block.values[0][0].has_value());
    EXPECT_EQ(block.values[1][0], 20.0);
    EXPECT_EQ(block.texts[1][1], QStringLiteral("2"));
}

TEST(Pivot, HidingAndShowingASummedMeasureDoesNotSumAgain) {
    auto cube = cubeOf({{.cliente = "00001", .status = "A", .valor = 10}});
    showMeasures(cube->layout(), {kCheque, kJuros});
    cube->recalculate();
    const int summed = cube->summings();
    showMeasures(cube->layout(), {kCheque});
    cube->recalculate();
    showMeasures(cube->layout(), {kCheque, kJuros});
    cube->recalculate();
    EXPECT_EQ(cube->summings(), summed);
    EXPECT_EQ(cube->view().rowCount(), 2);
}

TEST(GroupKeys, TableAndSortingNumberGroupsAlike) {
    const std::vector<std::uint64_t> keys = {7, kNoKey, 3, 7, 1000, 3, 0};
    const std::vector<std::uint64_t> distinct = {0, 3, 7, 1000};
    const std::vector<std::uint32_t> groups = {2, kNoGroup, 1, 2, 3, 1, 0};
    Grouper grouper;
    std::vector<std::uint32_t> groupOfRow;
    std::vector<std::uint64_t> found;
    for (int round = 0; round < 2; ++round) {  // the table is clean again after each grouping
        grouper.group(keys, 1001, groupOfRow, found);
        EXPECT_EQ(found, distinct);
        EXPECT_EQ(groupOfRow, groups);
    }
    grouper.group({5, 5}, 1001, groupOfRow, found);
    EXPECT_EQ(found, std::vector<std::uint64_t>({5}));
    grouper.group(keys, std::uint64_t{1} << 40, groupOfRow, found);  // too many for a table
    EXPECT_EQ(found, distinct);
    EXPECT_EQ(groupOfRow, groups);
}

}  // namespace
}  // namespace tavrel
