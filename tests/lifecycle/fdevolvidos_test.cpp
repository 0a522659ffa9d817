// The returned-cheques screen: the list, the chosen cheque, the return with its questions asked
// before anything is written, the refusal of a second return, deleting.
#include <gtest/gtest.h>
#include <QDateEdit>
#include <QTreeView>

#include "core/ptbr.h"
#include "data/background_query.h"
#include "support/fixture.h"
#include "support/grid_reader.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

class FdevolvidosTest : public test::AppFixture {
protected:
    qlonglong addCheque(const QString& document, double value, const QString& deposit,
                        const QString& status = "A") {
        exec(
            "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, VL_TAXA, CD_DOCUMENTO, VL_CHEQUE, "
            "DT_TROCA, DT_DEPOSITO, CD_STATUS, CD_ALINEA) VALUES ('00042', '00007', 4.5, ?, ?, "
            "'2026-11-02', ?, ?, '000')",
            {document, value, deposit, status});
        return this->value("SELECT MAX(id) FROM CHEQUES").toLongLong();
    }

    QWidget* openScreen() {
        QWidget* screen = open("FDEVOLVIDOS");
        waitForBackgroundQueries();
        return screen;
    }

    GroupingGrid* grid(QWidget* screen) { return control<GroupingGrid>(screen, "DBGrid1"); }

    // Makes line `row` of the grid the current one, as a click does.
    void choose(QWidget* screen, int row) {
        GroupingGrid* g = grid(screen);
        g->model()->waitForRows();
        g->view()->setCurrentIndex(g->model()->index(row, 0));
    }

    QStringList documents(QWidget* screen) {
        waitForBackgroundQueries();
        QStringList listed;
        for (const QStringList& line : test::gridLines(grid(screen)))
            listed << line.value(0);
        return listed;
    }

    QStringList log() { return programFileLines("FC001081226.log"); }
};

TEST_F(FdevolvidosTest, OpeningListsEveryChequeAndLocalizarThoseOfOneDay) {
    addCheque("111", 100, "2026-12-01", "B");
    addCheque("222", 200, "2026-12-08");
    addCheque("333", 300, "2026-12-08", "C");
    QWidget* screen = openScreen();
    EXPECT_EQ(screen->windowTitle(), "DEVOLUCAO DE CHEQUES");
    EXPECT_EQ(documents(screen), (QStringList{"111", "222", "333"}));
    EXPECT_EQ(control<QDateEdit>(screen, "DT_DEPOSITO")->date(), QDate(2026, 12, 8));
    click(screen, "Command1");
    EXPECT_EQ(documents(screen), (QStringList{"222", "333"})) << "every status of the day";
    EXPECT_TRUE(log().join("\n").contains("SELECIONOU O DIA DE"));

    choose(screen, 0);
    EXPECT_EQ(text(screen, "CD_DOCUMENTO"), "222");
    EXPECT_EQ(text(screen, "VL_CHEQUE"), "200");
    EXPECT_EQ(text(screen, "CD_ALINEA"), "000");
}

TEST_F(FdevolvidosTest, YesYesBlacklistsChargesBackAndReturnsInThatOrder) {
    const qlonglong id = addCheque("12345678901", 1500.5, "2026-12-01");
    QWidget* screen = openScreen();
    choose(screen, 0);
    setText(screen, "CD_ALINEA", "11");
    dialogs.answer(DialogAnswer::Yes);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "Command2");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].text, "Deseja Negativar esse documento");
    EXPECT_EQ(dialogs.shown()[0].title, "INCLUIR NA LISTA NEGRA");
    EXPECT_EQ(dialogs.shown()[1].text, "Deseja Lancar este cheque na recompra ?");
    EXPECT_EQ(dialogs.shown()[1].title, "RECOMPRA");
    EXPECT_EQ(rows("SELECT CD_DOCUMENTO, NM_PESSOA FROM LISTANEGRA"),
              (QList<QVariantList>{{"12345678901", "CHEQUE DEVOLVIDO"}}));
    EXPECT_EQ(rows("SELECT CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, DT_DEPOSITO, "
                   "DT_TROCA, VL_TAXA, CD_STATUS, IFNULL(VL_JUROS, 'vazio') FROM RECOMPRA"),
              (QList<QVariantList>{{"0000000001", "00007", "00042", 1500.5, "2026-12-01",
                                    "2026-11-02", 4.5, "A", "vazio"}}));
    EXPECT_EQ(rows("SELECT CD_ALINEA, CD_STATUS FROM CHEQUES WHERE id = ?", {id}),
              (QList<QVariantList>{{"11", "C"}}));
    const QStringList lines = log();
    const qsizetype devolveu =
        lines.indexOf(QRegularExpression(".*DEVOLVEU O CHEQUE DO VALOR DE:.*"));
    const qsizetype incluiu =
        lines.indexOf(QRegularExpression(".*INCLUIU CHEQUE NO ARQUIVO DE RECOMPRA:.*"));
    EXPECT_GE(devolveu, 0);
    EXPECT_GT(incluiu, devolveu);
    EXPECT_EQ(text(screen, "CD_DOCUMENTO"), "");
}

TEST_F(FdevolvidosTest, NoRecordsOnlyTheReturnAndAListedDocumentGetsNoSecondRow) {
    const qlonglong first = addCheque("999", 100, "2026-12-01");
    const qlonglong second = addCheque("999", 200, "2026-12-02");
    exec("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) VALUES ('999', 'FULANO')");
    QWidget* screen = openScreen();
    choose(screen, 0);
    setText(screen, "CD_ALINEA", "");
    dialogs.answer(DialogAnswer::No);
    click(screen, "Command2");
    EXPECT_EQ(dialogs.last().text, "DOCUMENTO JA NEGATIVADO");
    EXPECT_EQ(value("SELECT COUNT(*) FROM RECOMPRA").toInt(), 0);
    EXPECT_EQ(rows("SELECT CD_ALINEA, CD_STATUS FROM CHEQUES WHERE id = ?", {first}),
              (QList<QVariantList>{{"", "C"}}))
        << "the reason as typed, also when empty";

    choose(screen, 1);
    dialogs.answer(DialogAnswer::Yes);
    dialogs.answer(DialogAnswer::No);
    click(screen, "Command2");
    EXPECT_EQ(value("SELECT COUNT(*) FROM LISTANEGRA").toInt(), 1);
    EXPECT_EQ(value("SELECT COUNT(*) FROM RECOMPRA").toInt(), 0);
    EXPECT_EQ(value("SELECT CD_STATUS FROM CHEQUES WHERE id = ?", {second}), "C");
}

TEST_F(FdevolvidosTest, ASecondReturnIsRefusedBeforeAnyQuestion) {
    addCheque("555", 100, "2026-12-01", "C");
    QWidget* screen = openScreen();
    choose(screen, 0);
    click(screen, "Command2");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("ESTE CHEQUE JÁ FOI DEVOLVIDO")));
    EXPECT_EQ(value("SELECT COUNT(*) FROM RECOMPRA").toInt(), 0);
    EXPECT_EQ(value("SELECT COUNT(*) FROM LISTANEGRA").toInt(), 0);

    dialogs.clear();
    click(screen, "Command1");  // a day without cheques: nothing chosen, nothing changes
    click(screen, "Command2");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("ESCOLHA NA LISTA O CHEQUE."));
}

TEST_F(FdevolvidosTest, DeletingAsksFirst) {
    addCheque("777", 250.5, "2026-12-01");
    QWidget* screen = openScreen();
    choose(screen, 0);
    dialogs.answer(DialogAnswer::No);
    click(screen, "Command3");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Deseja Realmente excluir esse registro? :250,5"));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("EXCLUSÃO"));
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES").toInt(), 1);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, "Command3");
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES").toInt(), 0);
    EXPECT_TRUE(log().join("\n").contains("EXCLUI CHEQUE :"));
    EXPECT_TRUE(documents(screen).isEmpty());
}

}  // namespace
}  // namespace tavrel
