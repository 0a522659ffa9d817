// Screens open centred and inside the screen this program runs on (ctest runs it on 1366 x 768
// and on 1920 x 1080), and register screens give their grid the room.
#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>

#include "support/fixture.h"

namespace tavrel {
namespace {

class ScreenSize : public test::AppFixture {
protected:
    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // The text a grid cell shows, as its delegate draws it.
    static QString shownText(QTableView* grid, const QModelIndex& index) {
        QAbstractItemDelegate* delegate = grid->itemDelegateForColumn(index.column());
        auto* styled =
            qobject_cast<QStyledItemDelegate*>(delegate ? delegate : grid->itemDelegate());
        return styled->displayText(index.data(), QLocale());
    }

    // Every cell on screen shows its whole text on one line.
    void expectNothingCut(QWidget* screen, const QString& gridName) {
        auto* grid = control<QTableView>(screen, gridName);
        ASSERT_NE(grid, nullptr);
        const QFontMetrics metrics(grid->font());
        const int lastRow = grid->rowAt(grid->viewport()->height() - 1);
        const int rows = lastRow < 0 ? grid->model()->rowCount() : lastRow + 1;
        ASSERT_GT(rows, 0);
        for (int row = 0; row < rows; ++row) {
            EXPECT_LT(grid->rowHeight(row), 2 * metrics.height()) << "one line per row";
            for (int column = 0; column < grid->model()->columnCount(); ++column) {
                const QModelIndex index = grid->model()->index(row, column);
                const QString text = shownText(grid, index);
                EXPECT_LE(metrics.horizontalAdvance(text), grid->columnWidth(column) - 6)
                    << gridName.toStdString() << " cuts \"" << text.toStdString() << "\"";
            }
        }
    }
};

TEST_F(ScreenSize, EveryScreenOpensCentredInsideTheScreen) {
    screens->setModalRunner([](QWidget* screen) { screen->close(); });  // the login's users
    for (const QString& name : screens->names()) {
        if (name == QLatin1String("fprincipal"))
            continue;  // shown maximised by the start-up
        QWidget* screen = open(name);
        ASSERT_NE(screen, nullptr);
        QApplication::processEvents();
        const QRect frame = screen->frameGeometry();
        EXPECT_TRUE(available().contains(frame))
            << name.toStdString() << " " << frame.width() << "x" << frame.height() << " at "
            << frame.x() << "," << frame.y() << " on " << available().width() << "x"
            << available().height();
        EXPECT_LE(std::abs(frame.center().x() - available().center().x()), 1) << name.toStdString();
        EXPECT_LE(std::abs(frame.center().y() - available().center().y()), 1) << name.toStdString();
        delete screen;
    }
}

TEST_F(ScreenSize, TheClientsGridHasHalfTheWindowOneLinePerClientAndMoneyAsMoney) {
    for (int i = 1; i <= 40; ++i) {
        exec(
            "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE, NR_TELEFONES, VL_LIMITE) "
            "VALUES (?, ?, ?, ?)",
            {QString("%1").arg(i, 5, 10, QChar('0')),
             QStringLiteral("Cliente %1 Comércio de Materiais de Construção Ltda").arg(i),
             "(11) 3333-4444 / (11) 99999-8888", i == 1 ? 1e6 : 80000.0 + i});
    }
    QWidget* screen = open("fclientes");
    ASSERT_NE(screen, nullptr);
    QApplication::processEvents();
    auto* grid = control<QTableView>(screen, "GridEX1");
    ASSERT_NE(grid, nullptr);
    EXPECT_GE(grid->height(), screen->height() / 2);
    expectNothingCut(screen, "GridEX1");
    const QModelIndex first = grid->model()->index(0, 3);
    EXPECT_EQ(shownText(grid, first), QStringLiteral("1.000.000,00"));
    // Ordered by name: "Cliente 10" comes second.
    EXPECT_EQ(shownText(grid, grid->model()->index(1, 3)), QStringLiteral("80.010,00"));
    EXPECT_EQ(grid->model()->data(first).toDouble(), 1e6) << "the stored value stays a number";
}

TEST_F(ScreenSize, TheBlacklistShowsWholeDocuments) {
    exec("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) VALUES (?, ?), (?, ?)",
         {"12.345.678/0001-90", "Distribuidora de Bebidas Serra Azul Ltda", "123.456.789-09",
          "João D'Ávila"});
    QWidget* screen = open("flistanegra");
    ASSERT_NE(screen, nullptr);
    QApplication::processEvents();
    expectNothingCut(screen, "GridEX1");
}

}  // namespace
}  // namespace tavrel
