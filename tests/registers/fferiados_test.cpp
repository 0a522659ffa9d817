#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTableView>

#include "support/fixture.h"

namespace tavrel {
namespace {

class FeriadosTest : public test::AppFixture {
protected:
    FeriadosTest() { screen = open("fferiados"); }

    void gravar(const QString& digits) {
        type(screen, "DT_FERIADO", digits);
        click(screen, "CONFIRMA");
    }
    QStringList stored() const {
        QStringList result;
        for (const QVariantList& row : rows("SELECT DT_FERIADO FROM FERIADOS ORDER BY id"))
            result << row.first().toString();
        return result;
    }
    QStringList shown() const {
        QStringList result;
        for (const QStringList& line : gridRows(screen, "DBGrid1"))
            result << line.join(QLatin1Char('|'));
        return result;
    }
    QWidget* screen = nullptr;
};

TEST_F(FeriadosTest, AddsTypedDatesInDateOrderAndRefusesARepeatedOne) {
    EXPECT_EQ(screen->windowTitle(), "CADASTRO DE FERIADOS");
    EXPECT_EQ(control<QLineEdit>(screen, "DT_FERIADO")->inputMask(), "99/99/9999");
    gravar("25122026");
    gravar("01012027");
    gravar("01052026");
    EXPECT_TRUE(dialogs.shown().empty());
    gravar("25122026");
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("O feriado 25/12/2026 já está cadastrado.")});
    EXPECT_EQ(text(screen, "DT_FERIADO"), "25/12/2026") << "the typed date stays to be corrected";
    EXPECT_EQ(stored(), (QStringList{"2026-12-25", "2027-01-01", "2026-05-01"}));
    // Ordered as dates, not as the shown text (which would put 01/01/2027 first).
    EXPECT_EQ(shown(), (QStringList{"01/05/2026", "25/12/2026", "01/01/2027"}));
    auto* grid = control<QTableView>(screen, "DBGrid1");
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "DATA");
    gravar("02012027");
    EXPECT_EQ(text(screen, "DT_FERIADO"), "//") << "the box is emptied after adding";
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(FeriadosTest, ImpossibleHalfTypedOrEmptyDatesAreRefused) {
    // Each typed over what the refused one before it left in the box.
    for (const char* digits : {"31022026", "2512", "", "00002026", "12132026"}) {
        dialogs.clear();
        gravar(digits);
        ASSERT_EQ(dialogs.shown().size(), 1u) << digits;
        EXPECT_EQ(dialogs.last().text, "DATA ERRADA");
        EXPECT_EQ(dialogs.last().buttons, DialogButtons::Ok);
    }
    EXPECT_TRUE(stored().isEmpty());
    gravar("29022028");  // a leap day
    EXPECT_EQ(stored(), QStringList{"2028-02-29"});
}

TEST_F(FeriadosTest, DeletingRemovesTheSelectedLineWithoutAQuestion) {
    gravar("25122026");
    gravar("01052026");
    gravar("07092026");
    clickGridRow(screen, "DBGrid1", 1);  // 07/09/2026
    click(screen, "EXCLUIR");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(shown(), (QStringList{"01/05/2026", "25/12/2026"}));

    // After a delete no line is chosen: a second "&EXCLUIR" deletes nothing (it used to delete
    // the first holiday of the list).
    EXPECT_FALSE(control<QTableView>(screen, "DBGrid1")->currentIndex().isValid());
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.texts(), QStringList{"Selecione na lista o feriado a excluir."});
    EXPECT_EQ(shown(), (QStringList{"01/05/2026", "25/12/2026"}));
}

TEST_F(FeriadosTest, NoLineIsChosenWhenTheScreenOpens) {
    exec("INSERT INTO FERIADOS (DT_FERIADO) VALUES ('2026-01-01'), ('2026-04-21')");
    screen->close();  // the copy opened before these rows: opening again would show it
    QWidget* again = open("fferiados");
    EXPECT_EQ(gridRows(again, "DBGrid1").size(), 2);
    click(again, "EXCLUIR");
    EXPECT_EQ(dialogs.texts(), QStringList{"Selecione na lista o feriado a excluir."});
    EXPECT_EQ(stored(), (QStringList{"2026-01-01", "2026-04-21"}));
}

TEST_F(FeriadosTest, DeletingOneOfTwoEqualDatesKeptFromBeforeLeavesTheOther) {
    exec("INSERT INTO FERIADOS (DT_FERIADO) VALUES ('2026-12-25'), ('2026-12-25')");
    screen->close();  // the copy opened before these rows: opening again would show it
    QWidget* again = open("fferiados");
    clickGridRow(again, "DBGrid1", 1);
    click(again, "EXCLUIR");
    EXPECT_EQ(stored(), QStringList{"2026-12-25"});
}

TEST_F(FeriadosTest, DeletingFromAnEmptyListIsSaidAndChangesNothing) {
    click(screen, "EXCLUIR");
    EXPECT_EQ(dialogs.texts(), QStringList{"Selecione na lista o feriado a excluir."});
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(programFileLines("FC001081226.log").isEmpty()) << "the screen logs nothing";
}

}  // namespace
}  // namespace tavrel
