#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

#include "core/errors.h"
#include "core/money.h"
#include "data/background_query.h"
#include "data/connection.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

using Kind = GroupingModel::RowKind;

const QString kFrom =
    QStringLiteral("CLIENTES INNER JOIN CHEQUES ON CLIENTES.CD_CLIENTE = CHEQUES.CD_CLIENTE");

QList<GroupingColumn> testColumns() {
    return {
        {QStringLiteral("Cliente"), QStringLiteral("CLIENTES.NM_CLIENTE")},
        {QStringLiteral("Troca"), QStringLiteral("CHEQUES.CD_TROCA")},
        {QStringLiteral("Valor"), QStringLiteral("CHEQUES.VL_CHEQUE"), ColumnFormat::Currency,
         true},
        {QStringLiteral("Juros"), QStringLiteral("CHEQUES.VL_JUROS"), ColumnFormat::Currency, true},
        {QStringLiteral("Situação"), QStringLiteral("CHEQUES.CD_STATUS")},
    };
}

class GroupingModelTest : public ::testing::Test {
protected:
    GroupingModelTest()
        : connection(QDir(folder.path()).filePath(QStringLiteral("cheques.db")),
                     DatabaseKind::Cheques, Connection::Mode::CreateIfMissing) {
        model.setColumns(testColumns());
    }

    void addClient(const QString& code, const QString& name) {
        runSql(connection.db(),
               QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) "
                              "VALUES (?, ?)"),
               {code, name});
    }
    void addCheque(const QString& client, const QString& troca, double valor, double juros,
                   const QVariant& status) {
        runSql(connection.db(),
               QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_JUROS, "
                              "CD_STATUS) VALUES (?, ?, ?, ?, ?)"),
               {client, troca, valor, juros, status});
    }
    void show(const QString& where = {}, const QVariantList& values = {}) {
        model.setSource(connection, {kFrom, where, values});
        model.waitForTotals();
    }
    // Every line of the tree, each group expanded: a header as "> caption", a footer as
    // "= " and its cells, a row as its cells.
    QStringList lines(const QModelIndex& parent = {}, int depth = 0) {
        QStringList result;
        while (model.canFetchMore(parent)) {
            model.fetchMore(parent);
        }
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            const QString indent(depth * 2, QLatin1Char(' '));
            switch (model.kind(index)) {
                case Kind::Header:
                    result << indent + QStringLiteral("> ") + index.data().toString();
                    result << lines(index, depth + 1);
                    break;
                case Kind::Footer:
                case Kind::Detail: {
                    QStringList cells;
                    for (int c = 0; c < model.columnCount(); ++c) {
                        cells << model.index(row, c, parent).data().toString();
                    }
                    result << indent +
                                  (model.kind(index) == Kind::Footer ? QStringLiteral("= ")
                                                                     : QString()) +
                                  cells.join(QLatin1Char('|'));
                    break;
                }
            }
        }
        return result;
    }

    QTemporaryDir folder;
    Connection connection;
    GroupingModel model;
};

class SmallModelTest : public GroupingModelTest {
protected:
    SmallModelTest() {
        addClient(QStringLiteral("00001"), QStringLiteral("MARIA"));
        addClient(QStringLiteral("00002"), QStringLiteral("ANA"));
        addCheque(QStringLiteral("00001"), QStringLiteral("00010"), 1000, 10, QStringLiteral("A"));
        addCheque(QStringLiteral("00002"), QStringLiteral("00011"), 300, 3, QStringLiteral("B"));
        addCheque(QStringLiteral("00001"), QStringLiteral("00010"), 500.5, 5.25,
                  QStringLiteral("B"));
        addCheque(QStringLiteral("00001"), QStringLiteral("00012"), 250, 2.5, QStringLiteral("A"));
        addCheque(QStringLiteral("00002"), QStringLiteral("00013"), 50, 0.5, QVariant());
        // Not listed: its client is not registered.
        addCheque(QStringLiteral("00009"), QStringLiteral("00014"), 7, 7, QStringLiteral("A"));
    }
};

TEST_F(SmallModelTest, FlatListInKeyOrderWithTotalsAndOrdinals) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    show();
    EXPECT_EQ(lines(), (QStringList{
                           QStringLiteral("MARIA|00010|R$ 1.000,00|R$ 10,00|A"),
                           QStringLiteral("ANA|00011|R$ 300,00|R$ 3,00|B"),
                           QStringLiteral("MARIA|00010|R$ 500,50|R$ 5,25|B"),
                           QStringLiteral("MARIA|00012|R$ 250,00|R$ 2,50|A"),
                           QStringLiteral("ANA|00013|R$ 50,00|R$ 0,50|"),
                       }));
    EXPECT_EQ(model.totalRows(), 5);
    EXPECT_DOUBLE_EQ(model.total(2), 2100.5);
    EXPECT_DOUBLE_EQ(model.total(3), 21.25);
    EXPECT_EQ(model.index(3, 0).data(GroupingModel::OrdinalRole).toInt(), 4);
    EXPECT_EQ(model.index(1, 2).data(Qt::EditRole).toDouble(), 300.0);

    // A bound condition narrows rows and totals alike.
    show(QStringLiteral("CHEQUES.CD_STATUS = ?"), {QStringLiteral("A")});
    EXPECT_EQ(lines().size(), 2);
    EXPECT_EQ(model.totalRows(), 2);
    EXPECT_DOUBLE_EQ(model.total(2), 1250.0);
}

TEST_F(SmallModelTest, NestedGroupsCarryCountsSumsAndOrdinals) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    show();
    model.setGrouping({0, 4});
    model.waitForRows();
    EXPECT_EQ(lines(), (QStringList{
                           QStringLiteral("> Cliente: ANA"),
                           QStringLiteral("  > Situação: "),  // the NULL group comes first
                           QStringLiteral("    ANA|00013|R$ 50,00|R$ 0,50|"),
                           QStringLiteral("    = ||R$ 50,00|R$ 0,50|"),
                           QStringLiteral("  > Situação: B"),
                           QStringLiteral("    ANA|00011|R$ 300,00|R$ 3,00|B"),
                           QStringLiteral("    = ||R$ 300,00|R$ 3,00|"),
                           QStringLiteral("  = ||R$ 350,00|R$ 3,50|"),
                           QStringLiteral("> Cliente: MARIA"),
                           QStringLiteral("  > Situação: A"),
                           QStringLiteral("    MARIA|00010|R$ 1.000,00|R$ 10,00|A"),
                           QStringLiteral("    MARIA|00012|R$ 250,00|R$ 2,50|A"),
                           QStringLiteral("    = ||R$ 1.250,00|R$ 12,50|"),
                           QStringLiteral("  > Situação: B"),
                           QStringLiteral("    MARIA|00010|R$ 500,50|R$ 5,25|B"),
                           QStringLiteral("    = ||R$ 500,50|R$ 5,25|"),
                           QStringLiteral("  = ||R$ 1.750,50|R$ 17,75|"),
                       }));
    const QModelIndex maria = model.index(1, 0);
    const GroupSummary summary = model.groupSummary(maria);
    EXPECT_EQ(summary.count, 3);
    EXPECT_DOUBLE_EQ(summary.sum(2), 1750.5);
    EXPECT_DOUBLE_EQ(summary.sum(3), 17.75);
    // Ordinals run through the groups in the order they are shown.
    const QModelIndex mariaB = model.index(1, 0, maria);
    EXPECT_EQ(maria.data(GroupingModel::OrdinalRole).toInt(), 3);
    EXPECT_EQ(model.index(0, 0, mariaB).data(GroupingModel::OrdinalRole).toInt(), 5);

    model.setGroupCaption([](const GroupSummary& group) {
        return group.caption + QStringLiteral(": ") + group.valueText +
               QStringLiteral(" (%1 cheques, %2)").arg(group.count).arg(formatMoney(group.sum(2)));
    });
    model.setGrouping({0});
    model.waitForRows();
    EXPECT_EQ(model.index(1, 0).data().toString(),
              QStringLiteral("Cliente: MARIA (3 cheques, 1750,50)"));
}

TEST_F(SmallModelTest, LookupColumnsAreShownAndGroupedAndExtraTotalsComeWithTheCount) {
    runSql(connection.db(),
           QStringLiteral("UPDATE CHEQUES SET CD_DESTINO = '00002' WHERE CD_TROCA = '00010'"));
    runSql(connection.db(),
           QStringLiteral("UPDATE CHEQUES SET CD_DESTINO = '07777' WHERE CD_TROCA = '00011'"));
    QList<GroupingColumn> columns = testColumns();
    columns << GroupingColumn{QStringLiteral("Destino"), QStringLiteral("DESTINO.NM_CLIENTE")};
    model.setColumns(columns);
    model.setExtraTotals({QStringLiteral("TOTAL(CASE WHEN CHEQUES.CD_STATUS = 'A' THEN "
                                         "CHEQUES.VL_CHEQUE END)"),
                          QStringLiteral("COUNT(CHEQUES.CD_STATUS)")});
    GroupingSource source{kFrom};
    source.lookups =
        QStringLiteral(" LEFT JOIN CLIENTES AS DESTINO ON CHEQUES.CD_DESTINO = DESTINO.CD_CLIENTE");
    model.setSource(connection, source);
    model.waitForTotals();
    // A destination that is no client is still listed, with no name.
    EXPECT_EQ(lines(), (QStringList{
                           QStringLiteral("MARIA|00010|R$ 1.000,00|R$ 10,00|A|ANA"),
                           QStringLiteral("ANA|00011|R$ 300,00|R$ 3,00|B|"),
                           QStringLiteral("MARIA|00010|R$ 500,50|R$ 5,25|B|ANA"),
                           QStringLiteral("MARIA|00012|R$ 250,00|R$ 2,50|A|"),
                           QStringLiteral("ANA|00013|R$ 50,00|R$ 0,50||"),
                       }));
    EXPECT_EQ(model.totalRows(), 5);
    EXPECT_DOUBLE_EQ(model.total(2), 2100.5);
    EXPECT_EQ(model.extraTotals(), (QVariantList{1250.0, 4}));

    model.setGrouping({5});
    model.waitForRows();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.groupSummary(model.index(0, 0)).count, 3);  // no destination name
    EXPECT_EQ(model.groupSummary(model.index(1, 0)).count, 2);
    EXPECT_EQ(lines().value(1), QStringLiteral("  ANA|00011|R$ 300,00|R$ 3,00|B|"));

    // Another source: the extra figures are those of its rows.
    source.where = QStringLiteral("CHEQUES.CD_CLIENTE = ?");
    source.values = {QStringLiteral("00002")};
    model.setSource(connection, source);
    model.waitForTotals();
    EXPECT_EQ(model.extraTotals(), (QVariantList{0.0, 1}));
}

TEST_F(SmallModelTest, RulesColourRowsAndOneColumnIsWrittenThroughTheScreen) {
    show();
    model.setRowColor([](const QVariantList& values) {
        return values.value(4).toString() == QLatin1String("A") ? QColor(Qt::red) : QColor();
    });
    EXPECT_EQ(model.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(model.index(1, 1).data(Qt::ForegroundRole).isValid());

    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable) << "read-only by default";
    QList<QPair<QVariant, QVariant>> written;
    model.setEditableColumn(1, [&](const QVariant& key, const QVariant& value) {
        written.append({key, value});
    });
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.setData(model.index(2, 1), QStringLiteral("00099")));
    EXPECT_EQ(written, (QList<QPair<QVariant, QVariant>>{{3, QStringLiteral("00099")}}));
    EXPECT_EQ(model.index(2, 1).data().toString(), QStringLiteral("00099"));
    EXPECT_FALSE(model.setData(model.index(2, 2), 1.0)) << "only that column";
}

TEST_F(SmallModelTest, AFailingStatementIsReportedOnceAndStopsReading) {
    QStringList reported;
    model.setErrorHandler([&](const AppError& error) { reported << error.description(); });
    model.setSource(connection, {kFrom, QStringLiteral("NO_SUCH_COLUMN = 1"), {}});
    model.waitForTotals();
    QCoreApplication::processEvents();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(reported.size(), 1);
}

// 200,000 cheques: whatever is read, the model never holds more than its budget of rows, and
// every value read is the right one.
class LargeModelTest : public GroupingModelTest {
protected:
    static constexpr int kCheques = 200000;

    LargeModelTest() {
        TransactionGuard transaction(connection.db());
        for (int c = 1; c <= 50; ++c) {
            addClient(formatZeroPadded(c, 5),
                      QStringLiteral("CLIENTE %1").arg(c, 2, 10, QLatin1Char('0')));
        }
        QSqlQuery insert(connection.db());
        // Bound by name: Qt 6.4 makes up a name for every value bound by position.
        insert.prepare(
            QStringLiteral("INSERT INTO CHEQUES (id, CD_CLIENTE, CD_TROCA, VL_CHEQUE, "
                           "VL_JUROS, CD_STATUS) VALUES (:id, :cliente, :troca, "
                           ":valor, 1, :status)"));
        for (int i = 1; i <= kCheques; ++i) {
            insert.bindValue(QStringLiteral(":id"), i);
            insert.bindValue(QStringLiteral(":cliente"), formatZeroPadded(1 + i % 50, 5));
            insert.bindValue(QStringLiteral(":troca"), formatZeroPadded(i / 10, 5));  // 20,001
            insert.bindValue(QStringLiteral(":valor"), static_cast<double>(i));
            insert.bindValue(QStringLiteral(":status"),
                             i % 3 == 0 ? QStringLiteral("B") : QStringLiteral("A"));
            insert.exec();
        }
        insert.finish();
        transaction.commit();
    }

    // Reads a detail row's value and checks the budget after every read.
    double valueAt(int row, const QModelIndex& parent = {}) {
        const double value = model.index(row, 2, parent).data(Qt::EditRole).toDouble();
        peak = std::max(peak, model.materialisedRows());
        return value;
    }

    qint64 peak = 0;
};

TEST_F(LargeModelTest, ScrollingAndJumpingThroughAFlatListStaysWithinTheBudget) {
    show();
    ASSERT_EQ(model.rowCount(), kCheques);
    int wrong = 0;
    for (int row = 0; row < kCheques; ++row) {
        wrong += valueAt(row) != row + 1;
    }
    EXPECT_EQ(wrong, 0);
    // Jumps far ahead and back: later pages are found from the keys alone.
    show();
    for (int row : {kCheques - 1, kCheques / 2, 3, 150001, 149999, 0}) {
        EXPECT_EQ(valueAt(row), row + 1) << row;
    }
    EXPECT_LE(peak, GroupingModel::kRowBudget);
    EXPECT_GT(peak, GroupingModel::kRowBudget - GroupingModel::kRowPage);
}

TEST_F(LargeModelTest, ThousandsOfGroupsAndTheirRowsStayWithinTheBudget) {
    show();
    model.setGrouping({1});  // by exchange: 20,001 groups
    model.waitForRows();
    while (model.canFetchMore({})) {
        model.fetchMore({});
        peak = std::max(peak, model.materialisedRows());
    }
    ASSERT_EQ(model.rowCount(), 20001);
    // Every group's first and last row, from the first group to the last.
    int wrong = 0;
    qint64 counted = 0;
    for (int group = 0; group < model.rowCount(); group += 7) {
        const QModelIndex header = model.index(group, 0);
        const int rows = model.rowCount(header) - 1;  // the footer
        const int first = group * 10 == 0 ? 1 : group * 10;
        wrong += valueAt(0, header) != first;
        wrong += valueAt(rows - 1, header) != group * 10 + 9 - (group == 20000 ? 9 : 0);
        counted += rows;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(counted, 0);
    EXPECT_LE(peak, GroupingModel::kRowBudget);

    // Nested: by client, then exchange; the last client's last exchange.
    model.setGrouping({0, 1});
    model.waitForRows();
    const QModelIndex client = model.index(model.rowCount() - 1, 0);
    EXPECT_EQ(client.data().toString(), QStringLiteral("Cliente: CLIENTE 50"));
    while (model.canFetchMore(client)) {
        model.fetchMore(client);
    }
    const QModelIndex exchange = model.index(model.rowCount(client) - 2, 0, client);
    EXPECT_EQ(exchange.data().toString(), QStringLiteral("Troca: 19999"));
    EXPECT_LE(model.materialisedRows(), GroupingModel::kRowBudget);
}

}  // namespace
}  // namespace tavrel
