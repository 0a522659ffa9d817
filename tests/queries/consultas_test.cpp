#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeView>

#include "data/background_query.h"
#include "queries/fconsultadocumento.h"
#include "support/fixture.h"
#include "support/grid_reader.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

using Lines = QList<QStringList>;

class ConsultasTest : public test::AppFixture {
protected:
    ConsultasTest() {
        exec(
            QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES "
                           "('00001', 'MARIA'), ('00002', 'JOSÉ D''ÁVILA')"));
    }

    void addCheque(const QString& cliente, double valor, const QString& status,
                   const QString& deposito, const QString& emitente = QStringLiteral("EMITENTE"),
                   const QString& documento = QStringLiteral("11111111111"),
                   const QString& destino = QString(), double juros = 0) {
        exec(QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, CD_DESTINO, CD_TROCA, VL_CHEQUE, "
                            "VL_JUROS, CD_STATUS, DT_DEPOSITO, NM_EMITENTE, CD_DOCUMENTO) "
                            "VALUES (?, ?, '00001', ?, ?, ?, ?, ?, ?)"),
             {cliente, destino.isEmpty() ? cliente : destino, valor, juros, status, deposito,
              emitente, documento});
    }

    QWidget* openQuery(const QString& form) {
        QWidget* screen = open(form);
        waitForBackgroundQueries();
        return screen;
    }
    GroupingGrid* grid(QWidget* screen) { return control<GroupingGrid>(screen, "GridEX1"); }
    // The listed cheques' values, as shown in the column of that caption.
    QStringList column(QWidget* screen, const QString& caption) {
        waitForBackgroundQueries();
        GroupingGrid* g = grid(screen);
        int index = -1;
        for (int c = 0; c < g->columnCount(); ++c) {
            if (g->columnCaption(c) == caption) {
                index = c;
            }
        }
        QStringList values;
        for (int row = 0; row < g->model()->rowCount(); ++row) {
            values << g->model()->index(row, index).data().toString();
        }
        return values;
    }
    QStringList totals(QWidget* screen) {
        waitForBackgroundQueries();
        return {text(screen, "aberto"), text(screen, "peraberto"), text(screen, "baixado"),
                text(screen, "perbaixado"), text(screen, "negociado")};
    }
    QStringList logLines() {
        QStringList lines;
        for (const QString& line : programFileLines(QStringLiteral("FC001081226.log"))) {
            if (!line.startsWith(QLatin1Char('-'))) {
                lines << line.section(QLatin1Char('-'), 2);  // after the date and the user
            }
        }
        return lines;
    }
};

TEST_F(ConsultasTest, ReturnedChequesCountOnlyInTheNegotiatedTotal) {
    addCheque("00001", 1000, "A", "2026-12-10");
    addCheque("00001", 500, "B", "2026-12-11");
    addCheque("00002", 250, "C", "2026-12-12");
    for (const char* form : {"fconsultacliente", "fconsultadocumento", "fconsultaperiodo"}) {
        QWidget* screen = openQuery(QString::fromLatin1(form));
        EXPECT_EQ(totals(screen), (QStringList{"1000,00", "57,14", "500,00", "28,57", "1750,00"}))
            << form;
        EXPECT_EQ(grid(screen)->model()->totalRows(), 3) << form;
    }
}

TEST_F(ConsultasTest, NothingListedShowsZeroSharesWithoutAnError) {
    QWidget* screen = openQuery(QStringLiteral("fconsultaperiodo"));
    EXPECT_EQ(totals(screen), (QStringList{"0,00", "0,00", "0,00", "0,00", "0,00"}));
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(text(screen, "registros"), "0");
}

TEST_F(ConsultasTest, TheClientGridListsWhatItsTotalsCountAndHeadsGroupsWithTheirSums) {
    addCheque("00001", 1000.25, "A", "2026-12-10", "EMITENTE", "1", "00002", 40);
    addCheque("00001", 500.25, "B", "2026-12-11", "EMITENTE", "1", "07777", 2.25);
    addCheque("00002", 250, "A", "2026-12-12");
    QWidget* screen = openQuery(QStringLiteral("fconsultacliente"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Consulta de Movimento pôr Cliente"));
    // A destination that is no client: listed, with no destination name.
    EXPECT_EQ(column(screen, "Destino"),
              (QStringList{QStringLiteral("JOSÉ D'ÁVILA"), "", QStringLiteral("JOSÉ D'ÁVILA")}));
    EXPECT_EQ(text(screen, "negociado"), "1750,50");
    EXPECT_EQ(text(screen, "registros"), "3");
    EXPECT_EQ(control<GroupingGrid>(screen, "GridEX1")->groupByHint(),
              QStringLiteral("Traga a Coluna a ser agrupada para dentro desse espaço"));

    GroupingGrid* g = grid(screen);
    g->groupBy(0);
    waitForBackgroundQueries();
    EXPECT_EQ(test::gridLines(g),
              (Lines{{QStringLiteral("> Cliente: JOSÉ D'ÁVILA (Total Negociado  = 250,00 "
                                     "Total Juros  = 0,00)")},
                     {QStringLiteral("> Cliente: MARIA (Total Negociado  = 1500,50 "
                                     "Total Juros  = 42,25)")}}));
    click(screen, "Command4");  // "Desagrupar" opens the groups
    EXPECT_EQ(test::gridLines(g).size(), 7);
    click(screen, "Command3");  // "Agrupar" closes them
    EXPECT_EQ(test::gridLines(g).size(), 2);
    EXPECT_EQ(control(screen, "Command3")->toolTip(),
              QStringLiteral("Aqui você agrupa as quebras montadas na grade"));
}

TEST_F(ConsultasTest, TheKeyIsAPrefixIgnoringCaseAndTakenLiterally) {
    addCheque("00001", 10, "A", "2026-12-10", QStringLiteral("D'ÁVILA 50% _A"), "12345");
    addCheque("00001", 20, "A", "2026-12-10", QStringLiteral("d'ávila 50x _a"), "12399");
    addCheque("00001", 30, "A", "2026-12-10", QStringLiteral("DAVILA"), "99123");
    addCheque("00002", 40, "A", "2026-12-10", QStringLiteral("D'ÁVILA 50% _B"), QString());
    QWidget* screen = openQuery(QStringLiteral("fconsultadocumento"));
    EXPECT_TRUE(control<QRadioButton>(screen, "Option2")->isChecked());
    EXPECT_EQ(column(screen, "Cheque").size(), 4);

    type(screen, "cd_chave", "123");
    EXPECT_EQ(column(screen, "Documento"), (QStringList{"12345", "12399"}));
    // An empty key: every cheque whose document has a value.
    type(screen, "cd_chave", "");
    EXPECT_EQ(column(screen, "Documento"), (QStringList{"12345", "12399", "99123"}));

    click(screen, "Option1");
    EXPECT_EQ(column(screen, "Emitente").size(), 4);
    type(screen, "cd_chave", QStringLiteral("d'ÁVILA 50% _"));
    EXPECT_EQ(column(screen, "Emitente"),
              (QStringList{QStringLiteral("D'ÁVILA 50% _A"), QStringLiteral("D'ÁVILA 50% _B")}));
    type(screen, "cd_chave", QStringLiteral("D'ÁVILA 50_"));
    EXPECT_TRUE(column(screen, "Emitente").isEmpty()) << "\"_\" is no wildcard";
    type(screen, "cd_chave", QStringLiteral("%"));
    EXPECT_TRUE(column(screen, "Emitente").isEmpty()) << "\"%\" is no wildcard";
    // The totals frame keeps the figures of every cheque.
    EXPECT_EQ(text(screen, "negociado"), "100,00");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(ConsultasTest, TheFrameCountsWhatItWasAskedForWhateverTheGridListsMeanwhile) {
    addCheque("00001", 1000, "A", "2026-12-10", "EMITENTE", "12345");
    addCheque("00002", 250, "B", "2026-12-12", "OUTRO", "99999");
    // A key typed before the figures of the opening came: the frame still counts every cheque.
    QWidget* documento = open(QStringLiteral("fconsultadocumento"));
    type(documento, "cd_chave", "123");
    EXPECT_EQ(totals(documento), (QStringList{"1000,00", "80,00", "250,00", "20,00", "1250,00"}));
    EXPECT_EQ(grid(documento)->model()->totalRows(), 1);
}

TEST_F(ConsultasTest, TheClientLayoutComesBackAfterSairAndOnlyThen) {
    QWidget* screen = openQuery(QStringLiteral("fconsultacliente"));
    GroupingGrid* g = grid(screen);
    g->setColumnVisible(1, false);
    g->setColumnPosition(2, 0);
    g->groupBy(8);
    click(screen, "Command1");
    EXPECT_TRUE(QFile::exists(context.writablePath(QStringLiteral("clientes.lay"))));

    screen = openQuery(QStringLiteral("fconsultacliente"));
    g = grid(screen);
    EXPECT_FALSE(g->isColumnVisible(1));
    EXPECT_EQ(g->columnPosition(2), 0);
    EXPECT_EQ(g->grouping(), QList<int>{8});

    // Closed another way, the arrangement of this session is not kept.
    g->setGrouping({});
    screen->close();
    screen = openQuery(QStringLiteral("fconsultacliente"));
    EXPECT_EQ(grid(screen)->grouping(), QList<int>{8});
    // The other screens keep no layout.
    QWidget* documento = openQuery(QStringLiteral("fconsultadocumento"));
    click(documento, "Command1");
    EXPECT_EQ(QDir(context.writableFolder).entryList({QStringLiteral("*.lay")}),
              QStringList{"clientes.lay"});
}

TEST_F(ConsultasTest, LayoutsAreSavedAndReadThroughTheFileDialogs) {
    QWidget* screen = openQuery(QStringLiteral("fconsultaperiodo"));
    grid(screen)->setColumnVisible(0, false);
    const QString path = programDir.filePath(QStringLiteral("meu"));
    dialogs.answerText(path);
    click(screen, "Command5");
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Salvar Lay Out"));
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".lyt")));
    dialogs.answerText(std::nullopt);  // cancelled: nothing happens
    click(screen, "Command5");

    grid(screen)->setColumnVisible(0, true);
    dialogs.answerText(path + QStringLiteral(".lyt"));
    click(screen, "Command6");
    EXPECT_FALSE(grid(screen)->isColumnVisible(0));

    QFile foreign(programDir.filePath(QStringLiteral("outro.lyt")));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("GridEX layout 2.0");
    foreign.close();
    dialogs.clear();
    dialogs.answerText(foreign.fileName());
    click(screen, "Command6");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_TRUE(
        dialogs.last().text.startsWith(QStringLiteral("O arquivo outro.lyt não é um lay-out")))
        << dialogs.last().text.toStdString();
    EXPECT_FALSE(grid(screen)->isColumnVisible(0)) << "the grid stays as it was";
}

TEST_F(ConsultasTest, EscolherCamposCancelledAfterSeveralMovesChangesNothing) {
    QWidget* screen = openQuery(QStringLiteral("fconsultaperiodo"));
    const GridLayoutState before = grid(screen)->layoutState();
    screens->setModalRunner([this](QWidget* chooser) {
        EXPECT_EQ(control<QListWidget>(chooser, "lstVisible")->count(), 11);
        click(chooser, "cmdRemove");
        click(chooser, "cmdRemove");
        click(chooser, "cmdDown");
        click(chooser, "cmdAdd");
        click(chooser, "cmdCancel");
    });
    click(screen, "Command2");
    EXPECT_EQ(writeGridLayout(grid(screen)->layoutState()), writeGridLayout(before));
}

TEST_F(ConsultasTest, PrintAndPreviewTheGridAsArranged) {
    addCheque("00001", 1000, "A", "2026-12-10");
    addCheque("00002", 250, "B", "2026-12-12");
    QWidget* screen = openQuery(QStringLiteral("fconsultacliente"));
    grid(screen)->groupBy(0);
    waitForBackgroundQueries();
    grid(screen)->expandAll();
    control<QCheckBox>(screen, "Check3")->setChecked(true);
    click(screen, "cmdPrint");
    ASSERT_EQ(reports.printed().size(), 1u);
    const PrintedReport& printed = reports.last();
    EXPECT_EQ(printed.formName, "fconsultacliente");
    EXPECT_EQ(printed.output, ReportOutput::Printer);
    EXPECT_EQ(printed.content.title, QStringLiteral("Consulta de Movimento pôr Cliente"));
    EXPECT_TRUE(printed.content.repeatCaptions);
    EXPECT_EQ(printed.content.rowCount, 2);
    EXPECT_EQ(
        printed.content.lines.first().text,
        QStringLiteral("Cliente: JOSÉ D'ÁVILA (Total Negociado  = 250,00 Total Juros  = 0,00)"));
    EXPECT_EQ(printed.content.footerLeft, "") << "the date once when printing";
    // Twenty-one columns do not go across an upright page: the page is turned, the type is the
    // smallest, and amounts, dates and codes keep the room of their longest text.
    EXPECT_EQ(printed.content.orientation, Orientation::Landscape);
    EXPECT_EQ(printed.content.fontSize, 6);
    for (qsizetype c = 0; c < printed.content.columns.size(); ++c) {
        const QString caption = printed.content.columns[c].caption;
        if (caption == QLatin1String("Cliente") || caption == QLatin1String("Emitente") ||
            caption == QLatin1String("Destino")) {
            continue;  // names give up room first
        }
        qsizetype longest = 0;
        for (const ReportLine& line : printed.content.lines) {
            longest = std::max(longest, line.cells.value(c).size());
        }
        EXPECT_GE(printed.content.columns[c].width, static_cast<double>(longest))
            << printed.content.columns[c].caption.toStdString();
    }

    // Only the selected row; the preview takes the screen's place until the menu opens it again.
    GroupingGrid* g = grid(screen);
    const QModelIndex maria = g->model()->index(1, 0);
    g->view()->selectionModel()->select(g->model()->index(0, 0, maria),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    control<QCheckBox>(screen, "Check4")->setChecked(true);
    click(screen, "cmdPrintPreview");
    EXPECT_EQ(reports.last().output, ReportOutput::Preview);
    EXPECT_EQ(reports.last().content.rowCount, 1);
    EXPECT_EQ(reports.last().content.footerLeft, "08/12/2026");
    EXPECT_EQ(reports.last().content.headerRight, "08/12/2026");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(open(QStringLiteral("fconsultacliente")), screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(grid(screen)->grouping(), QList<int>{0}) << "with the same state";
}

TEST_F(ConsultasTest, EveryScreenLogsItsOwnLinesInOrder) {
    QWidget* cliente = openQuery(QStringLiteral("fconsultacliente"));
    click(cliente, "cmdPrint");
    click(cliente, "cmdPrintPreview");
    open(QStringLiteral("fconsultacliente"));
    click(cliente, "Command1");
    QWidget* documento = openQuery(QStringLiteral("fconsultadocumento"));
    click(documento, "cmdPrint");
    click(documento, "cmdPrintPreview");
    open(QStringLiteral("fconsultadocumento"));
    click(documento, "Command1");
    QWidget* periodo = openQuery(QStringLiteral("fconsultaperiodo"));
    click(periodo, "cmdPrint");
    click(periodo, "cmdPrintPreview");
    open(QStringLiteral("fconsultaperiodo"));
    click(periodo, "Command1");
    EXPECT_EQ(logLines(),
              (QStringList{
                  QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR CLIENTE-**"),
                  QStringLiteral("ENTROU NO MODULO DE IMPRESSÃO DE MOVIMENTO POR CLIENTE-**"),
                  QStringLiteral("VISUALISOU RELATORIO DE MOVIMENTO POR CLIENTE-**"),
                  QStringLiteral("SAIU DO MODULO DE CONSULTA DE MOVIMENTO POR CLIENTE-**"),
                  QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERIODO-**"),
                  QStringLiteral("IMPRIMIU O MOVIMENTO POR PERÍODO-**"),
                  QStringLiteral("VISUALISOU MOVIMENTO POR PERÍODO-**"),
                  QStringLiteral("SAIU DO MODULO DE CONSULTA DE MOVIMENTO Pôr Período-**"),
                  QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERIODO-**"),
                  QStringLiteral("IMPRIMIU O MOVIMENTO POR PERÍODO-**"),
                  QStringLiteral("VISUALISOU MOVIMENTO POR PERÍODO-**"),
                  QStringLiteral("SAIU DO MODULO DE CONSULTA DE MOVIMENTO Pôr Período-**"),
              }));
    EXPECT_EQ(reports.printed().size(), 6u);
}

}  // namespace
}  // namespace tavrel
