#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "support/fixture.h"
#include "ui/frm_showfields.h"
#include "ui/grouping_grid.h"

namespace tavrel {
namespace {

class ShowFieldsTest : public test::AppFixture {
protected:
    ShowFieldsTest() : connection(connect()) {
        grid = new GroupingGrid(context, QStringLiteral("GridEX1"));
        grid->setColumns({{QStringLiteral("Cliente"), QStringLiteral("CLIENTES.NM_CLIENTE")},
                          {QStringLiteral("Troca"), QStringLiteral("CHEQUES.CD_TROCA")},
                          {QStringLiteral("Valor"), QStringLiteral("CHEQUES.VL_CHEQUE")},
                          {QStringLiteral("Juros"), QStringLiteral("CHEQUES.VL_JUROS")}});
        grid->setSource(connection, {QStringLiteral("CLIENTES INNER JOIN CHEQUES ON "
                                                    "CLIENTES.CD_CLIENTE = CHEQUES.CD_CLIENTE")});
    }
    ~ShowFieldsTest() override { delete grid; }

    // Runs the chooser with `act` as the operator's clicks; returns what ShowFields gave back.
    bool choose(const std::function<void(QWidget*)>& act) {
        screens->setModalRunner([&](QWidget* screen) {
            chooser = screen;
            act(screen);
            if (screen->isVisible()) {
                ADD_FAILURE() << "the chooser is still open";
                screen->close();
            }
        });
        return frmShowfields::ShowFields(context, *grid);
    }
    QStringList lines(QWidget* screen, const char* list) {
        QStringList result;
        auto* widget = control<QListWidget>(screen, QString::fromLatin1(list));
        for (int i = 0; i < widget->count(); ++i) {
            result << widget->item(i)->text();
        }
        return result;
    }
    QString selected(QWidget* screen, const char* list) {
        const auto items = control<QListWidget>(screen, QString::fromLatin1(list))->selectedItems();
        return items.isEmpty() ? QString() : items.first()->text();
    }
    bool enabled(QWidget* screen, const char* button) {
        return control<QPushButton>(screen, QString::fromLatin1(button))->isEnabled();
    }
    QStringList shown() {
        QList<int> columns;
        for (int c = 0; c < grid->columnCount(); ++c) {
            if (grid->isColumnVisible(c)) {
                columns << c;
            }
        }
        std::sort(columns.begin(), columns.end(), [this](int a, int b) {
            return grid->columnPosition(a) < grid->columnPosition(b);
        });
        QStringList captions;
        for (int c : columns) {
            captions << grid->columnCaption(c);
        }
        return captions;
    }

    Connection connection;
    GroupingGrid* grid = nullptr;
    QWidget* chooser = nullptr;
};

TEST_F(ShowFieldsTest, TheListsFollowTheGridAndCancelLeavesItAsItWas) {
    grid->setColumnVisible(1, false);
    grid->setColumnPosition(3, 0);  // the operator dragged "Juros" to the front
    const bool accepted = choose([this](QWidget* screen) {
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("Seleção de Campos"));
        EXPECT_EQ(lines(screen, "lstAvail"), QStringList{"Troca"});
        EXPECT_EQ(lines(screen, "lstVisible"), (QStringList{"Juros", "Cliente", "Valor"}));
        EXPECT_EQ(selected(screen, "lstVisible"), "Juros");
        EXPECT_FALSE(enabled(screen, "cmdUp"));
        EXPECT_TRUE(enabled(screen, "cmdDown"));
        click(screen, "cmdAdd");
        click(screen, "cmdDown");
        click(screen, "cmdRemove");
        click(screen, "cmdCancel");
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(shown(), (QStringList{"Juros", "Cliente", "Valor"}));
    EXPECT_FALSE(grid->isColumnVisible(1));

    // An unchanged "OK" keeps the operator's order.
    EXPECT_TRUE(choose([this](QWidget* screen) { click(screen, "cmdOK"); }));
    EXPECT_EQ(shown(), (QStringList{"Juros", "Cliente", "Valor"}));
}

TEST_F(ShowFieldsTest, MovesReorderShowAndHideColumns) {
    const bool accepted = choose([this](QWidget* screen) {
        EXPECT_TRUE(lines(screen, "lstAvail").isEmpty());
        EXPECT_FALSE(enabled(screen, "cmdAdd"));
        // The last visible line goes to the hidden ones and is selected there.
        control<QListWidget>(screen, "lstVisible")->setCurrentRow(3);
        click(screen, "cmdRemove");
        EXPECT_EQ(lines(screen, "lstAvail"), QStringList{"Juros"});
        EXPECT_EQ(selected(screen, "lstAvail"), "Juros");
        EXPECT_EQ(selected(screen, "lstVisible"), "Valor") << "the line before the last";
        click(screen, "cmdUp");
        click(screen, "cmdUp");
        EXPECT_EQ(lines(screen, "lstVisible"), (QStringList{"Valor", "Cliente", "Troca"}));
        // Back again: the only hidden line leaves that list empty.
        click(screen, "cmdAdd");
        EXPECT_TRUE(lines(screen, "lstAvail").isEmpty());
        EXPECT_FALSE(enabled(screen, "cmdAdd"));
        EXPECT_EQ(selected(screen, "lstVisible"), "Juros");
        // With no visible line selected "Para Baixo" stays enabled and does nothing.
        control<QListWidget>(screen, "lstVisible")->clearSelection();
        EXPECT_TRUE(enabled(screen, "cmdDown"));
        click(screen, "cmdDown");
        EXPECT_EQ(lines(screen, "lstVisible"), (QStringList{"Valor", "Cliente", "Troca", "Juros"}));
        control<QListWidget>(screen, "lstVisible")->setCurrentRow(2);
        click(screen, "cmdRemove");
        click(screen, "cmdOK");
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(shown(), (QStringList{"Valor", "Cliente", "Juros"}));
    EXPECT_FALSE(grid->isColumnVisible(1));

    // Every column hidden: the grid shows none.
    EXPECT_TRUE(choose([this](QWidget* screen) {
        for (int i = 0; i < 4; ++i) {
            click(screen, "cmdRemove");
        }
        EXPECT_TRUE(lines(screen, "lstVisible").isEmpty());
        EXPECT_FALSE(enabled(screen, "cmdRemove"));
        click(screen, "cmdOK");
    }));
    EXPECT_TRUE(shown().isEmpty());
}

}  // namespace
}  // namespace tavrel
