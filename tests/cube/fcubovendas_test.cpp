// The cube screen over a data folder's main database.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QBrush>
#include <QCryptographicHash>
#include <QDir>
#include <QDropEvent>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "cube/cube.h"
#include "cube/fcubovendas.h"
#include "cube/field_area.h"
#include "cube/pivot_view.h"
#include "cube/pivot_widget.h"
#include "data/sql.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

constexpr int kCliente = 0;
constexpr int kStatus = 1;

class CuboVendas : public test::AppFixture {
protected:
    void addClient(const QString& code, const QString& name) {
        exec(QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES (?, ?)"),
             {code, name});
    }
    void addCheque(const QString& cliente, const QString& status, double valor) {
        exec(QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, CD_STATUS, VL_CHEQUE, DT_TROCA, "
                            "DT_DEPOSITO, VL_JUROS, VL_TAC) VALUES (?, ?, ?, '2026-11-03', "
                            "'2026-12-03', 1, 0)"),
             {cliente, status, valor});
    }
    void addSample() {
        addClient(QStringLiteral("00001"), QStringLiteral("ANA"));
        addClient(QStringLiteral("00002"), QStringLiteral("BRUNO"));
        addClient(QStringLiteral("00003"), QStringLiteral("ANA"));  // a second ANA
        addCheque(QStringLiteral("00001"), QStringLiteral("A"), 100);
        addCheque(QStringLiteral("00002"), QStringLiteral("C"), 30);
        addCheque(QStringLiteral("00003"), QStringLiteral("B"), 7);
        addCheque(QStringLiteral("99999"), QStringLiteral("A"), 1000);  // no such client
    }

    // Opens the screen and waits until the cheques are read and the first view is shown.
    fcubovendas* openCube() {
        auto* screen = qobject_cast<fcubovendas*>(open(QStringLiteral("fcubovendas")));
        waitForRead(screen);
        return screen;
    }
    static void waitForRead(fcubovendas* screen) {
        for (int i = 0; screen != nullptr && !screen->leituraConcluida() && i < 500; ++i) {
            QTest::qWait(10);
        }
        EXPECT_TRUE(screen != nullptr && screen->leituraConcluida());
    }
    static const PivotView& viewOf(fcubovendas* screen) { return *screen->DCube1()->view(); }
    static QStringList rowHeadings(fcubovendas* screen, int level = 0) {
        QStringList headings;
        for (int row = 0; row < viewOf(screen).rowCount(); ++row) {
            headings << viewOf(screen).rowHeading(row, level);
        }
        return headings;
    }
    // Drops a field on an area as a drag from its button would.
    static void drop(fcubovendas* screen, int field, CubeArea area) {
        FieldArea* target = screen->DCube1()->area(area);
        QMimeData mime;
        mime.setData(QString::fromLatin1(FieldButton::mimeType()), QByteArray::number(field));
        const QPoint at(target->width() - 2, target->height() - 2);
        QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent event(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
        QCoreApplication::processEvents();  // the move is queued after the drop
    }
    QByteArray databaseHash() const {
        QFile file(context.dataPath(QStringLiteral("cheques.db")));
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
};

TEST_F(CuboVendas, OpensOnAnEmptyDatabaseWithEveryMeasureListedAndNothingWritten) {
    const QByteArray before = databaseHash();
    auto* screen = qobject_cast<fcubovendas*>(open(QStringLiteral("fcubovendas")));
    ASSERT_NE(screen, nullptr);
    // The progress of the read shows until the first view is there.
    auto* progress = control<QWidget>(screen, QStringLiteral("progressoLeitura"));
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(screen->DCube1()->view(), nullptr);
    waitForRead(screen);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Bi - Business Inteligence"));
    auto* measures = control<QListWidget>(screen, QStringLiteral("lstVisDataField"));
    QStringList captions;
    for (int i = 0; i < measures->count(); ++i) {
        captions << measures->item(i)->text();
        EXPECT_EQ(measures->item(i)->checkState(), Qt::Checked);
        EXPECT_EQ(measures->item(i)->data(Qt::UserRole).toInt(), i);
    }
    EXPECT_EQ(captions, QStringList({"Cheque", "Iof", "Cpmf", "Juros", "Custodia", "Advalorem",
                                     "Consulta", "Tac"}));
    EXPECT_EQ(viewOf(screen).rowCount(), 8);
    EXPECT_EQ(viewOf(screen).text(0, 0), QString());
    EXPECT_EQ(text(screen, QStringLiteral("painel1")), context.dataFolder);
    EXPECT_EQ(text(screen, QStringLiteral("painel2")), QStringLiteral("USUARIO"));
    EXPECT_TRUE(dialogs.shown().empty());

    // Opening writes nothing: not to the database, not to the operation log.
    EXPECT_EQ(databaseHash(), before);
    EXPECT_TRUE(
        QDir(context.writableFolder).entryList({QStringLiteral("FC*.log")}, QDir::Files).isEmpty());
}

TEST_F(CuboVendas, UncheckingAMeasureHidesIt) {
    addSample();
    fcubovendas* screen = openCube();
    auto* measures = control<QListWidget>(screen, QStringLiteral("lstVisDataField"));
    measures->item(3)->setCheckState(Qt::Unchecked);  // Juros
    EXPECT_EQ(viewOf(screen).rowCount(), 7);
    EXPECT_EQ(viewOf(screen).rowHeading(3, 0), QStringLiteral("Custodia"));
    measures->item(3)->setCheckState(Qt::Checked);
    EXPECT_EQ(viewOf(screen).rowHeading(3, 0), QStringLiteral("Juros"));
}

TEST_F(CuboVendas, MovingFieldsBetweenAreas) {
    addSample();
    fcubovendas* screen = openCube();
    drop(screen, kCliente, CubeArea::Row);
    drop(screen, kStatus, CubeArea::Column);
    EXPECT_EQ(screen->DCube1()->layout().fieldsIn(CubeArea::Row), QList<int>({kCliente}));
    EXPECT_EQ(screen->DCube1()->layout().fieldsIn(CubeArea::Column), QList<int>({kStatus}));
    const auto buttons = screen->DCube1()->area(CubeArea::Row)->buttons();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_TRUE(buttons[0]->text().startsWith(QStringLiteral("Cliente")));

    // Clients by code, shown by name: the two ANAs stay apart; the cheque of client 99999 is
    // not there; status C is a returned cheque.
    QStringList clients = rowHeadings(screen);
    clients.removeDuplicates();
    EXPECT_EQ(clients, QStringList({"ANA (00001)", "ANA (00003)", "BRUNO", "Total"}));
    const PivotView& view = viewOf(screen);
    QStringList statuses;
    for (int column = 0; column < view.columnCount(); ++column) {
        statuses << view.columnHeading(column, 0);
    }
    EXPECT_EQ(statuses, QStringList({"Aberto", "Baixado", "Devolvido", "Total"}));
    EXPECT_EQ(view.text(view.rowCount() - 8, 3), QStringLiteral("137,00"));  // Cheque, total
    auto* cells = control<QTableView>(screen->DCube1(), QStringLiteral("celulas"));
    EXPECT_EQ(cells->model()->rowCount(), view.rowCount());

    // A measure cannot go to the rows, a dimension field not to the data area.
    drop(screen, 15, CubeArea::Row);
    drop(screen, kStatus, CubeArea::Data);
    EXPECT_EQ(screen->DCube1()->layout().fieldsIn(CubeArea::Row), QList<int>({kCliente}));
    EXPECT_EQ(screen->DCube1()->layout().field(kStatus).area, CubeArea::Column);

    // Back to the page area.
    drop(screen, kCliente, CubeArea::Page);
    EXPECT_EQ(viewOf(screen).rowFieldCount(), 0);
}

TEST_F(CuboVendas, TotalsOnAndOffForEveryField) {
    addSample();
    fcubovendas* screen = openCube();
    screen->DCube1()->moveField(kCliente, CubeArea::Row);
    screen->DCube1()->layout().field(kStatus).groupFooterType = 0;  // an individual setting
    screen->findChild<QAction*>(QStringLiteral("retirar"))->trigger();
    EXPECT_FALSE(rowHeadings(screen).contains(QStringLiteral("Total")));
    for (int position = 0; position < screen->DCube1()->layout().fieldCount(); ++position) {
        EXPECT_EQ(screen->DCube1()->layout().field(position).groupFooterType, 0);
    }
    screen->findChild<QAction*>(QStringLiteral("Inserir"))->trigger();
    EXPECT_EQ(rowHeadings(screen).last(), QStringLiteral("Total"));
    EXPECT_EQ(screen->DCube1()->layout().field(kStatus).groupFooterType, -1);
    screen->findChild<QAction*>(QStringLiteral("retirar"))->trigger();
    EXPECT_FALSE(rowHeadings(screen).contains(QStringLiteral("Total")));
}

TEST_F(CuboVendas, PrintsTheViewThroughTheReportEngine) {
    addSample();
    fcubovendas* screen = openCube();
    screen->DCube1()->moveField(kCliente, CubeArea::Row);
    auto* measures = control<QListWidget>(screen, QStringLiteral("lstVisDataField"));
    for (int i = 1; i < measures->count(); ++i) {
        measures->item(i)->setCheckState(Qt::Unchecked);  // Cheque alone
    }
    click(screen, QStringLiteral("cmdPreview"));
    ASSERT_EQ(reports.printed().size(), 1u);
    const PrintedReport& printed = reports.last();
    EXPECT_EQ(printed.formName, QStringLiteral("fcubovendas"));
    EXPECT_EQ(printed.content.title, QStringLiteral("Gerador de Relatórios"));
    EXPECT_EQ(printed.content.footerCenter, QStringLiteral("- Page {page} -"));
    ASSERT_EQ(printed.content.columns.size(), 2);
    EXPECT_EQ(printed.content.columns[0].caption, QStringLiteral("Cliente"));
    ASSERT_EQ(printed.content.lines.size(), 4);
    EXPECT_EQ(printed.content.lines[0].cells, QStringList({"ANA (00001)", "100,00"}));
    EXPECT_EQ(printed.content.lines[3].kind, ReportLine::Kind::GrandTotal);
    EXPECT_EQ(printed.content.lines[3].text, QStringLiteral("Total"));
    EXPECT_EQ(printed.content.lines[3].cells.last(), QStringLiteral("137,00"));
    const QString pdf = test::reportText(printed.content);
    EXPECT_TRUE(pdf.contains(QStringLiteral("BRUNO"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(QStringLiteral("- Page 1 -"))) << pdf.toStdString();
}

TEST_F(CuboVendas, CollapsesAndExpandsAMemberByDoubleClick) {
    addSample();
    fcubovendas* screen = openCube();
    screen->DCube1()->moveField(kStatus, CubeArea::Row);
    screen->DCube1()->moveField(kCliente, CubeArea::Row);
    auto* measures = control<QListWidget>(screen, QStringLiteral("lstVisDataField"));
    for (int i = 1; i < measures->count(); ++i) {
        measures->item(i)->setCheckState(Qt::Unchecked);
    }
    const int summed = screen->DCube1()->cube()->summings();
    EXPECT_EQ(viewOf(screen).rowCount(), 7);  // three statuses with one client, three totals, total
    QTableView* headings = screen->DCube1()->rowHeadings();
    screen->show();
    const QModelIndex aberto = headings->model()->index(0, 0);
    EXPECT_EQ(aberto.data().toString(), QStringLiteral("▾ Aberto"));
    const QPoint at = headings->visualRect(aberto).center();
    const auto doubleClick = [&] {
        QTest::mouseClick(headings->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(headings->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    };
    doubleClick();
    EXPECT_EQ(viewOf(screen).rowCount(), 6);
    EXPECT_EQ(headings->model()->index(0, 0).data().toString(), QStringLiteral("▸ Aberto"));
    EXPECT_EQ(viewOf(screen).text(0, 0), QStringLiteral("100,00"));
    doubleClick();
    EXPECT_EQ(viewOf(screen).rowCount(), 7);
    EXPECT_EQ(screen->DCube1()->cube()->summings(), summed);
}

TEST_F(CuboVendas, FiltersAFieldFromItsButton) {
    addSample();
    fcubovendas* screen = openCube();
    screen->DCube1()->moveField(kCliente, CubeArea::Row);
    screen->DCube1()->openFilter(kStatus);
    auto* filter = screen->findChild<QWidget*>(QStringLiteral("filtroCampo"));
    ASSERT_NE(filter, nullptr);
    auto* list = filter->findChild<QListView*>(QStringLiteral("itensCampo"));
    QAbstractItemModel* members = list->model();
    ASSERT_EQ(members->rowCount(), 3);
    EXPECT_EQ(members->index(1, 0).data().toString(), QStringLiteral("Baixado"));
    members->setData(members->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    click(filter, QStringLiteral("okFiltro"));
    EXPECT_EQ(rowHeadings(screen).count(QStringLiteral("ANA (00003)")), 0);
    EXPECT_EQ(screen->DCube1()->layout().field(kStatus).hiddenMembers.size(), 1);

    // Nothing checked: OK is refused, the filter stays as it was.
    screen->DCube1()->openFilter(kStatus);
    filter = screen->findChild<QWidget*>(QStringLiteral("filtroCampo"));
    ASSERT_NE(filter, nullptr);
    click(filter, QStringLiteral("nenhumItem"));
    click(filter, QStringLiteral("okFiltro"));
    EXPECT_EQ(screen->DCube1()->layout().field(kStatus).hiddenMembers.size(), 1);
}

TEST_F(CuboVendas, CellsTakeTheColoursOfTheLastMarkerThatHoldsTheirValue) {
    addSample();
    fcubovendas* screen = openCube();
    screen->DCube1()->moveField(kCliente, CubeArea::Row);
    screen->marcadores().Add(255, 16777215, 100, 100, QStringLiteral("sumVL_CHEQUE"));
    screen->marcadores().Add(0, 65280, 99.995, 137, QStringLiteral("sumVL_CHEQUE"));
    screen->marcadores().Add(0, 65280, 0, 1000, QStringLiteral("sumvl_iof"));
    screen->DCube1()->refresh();
    QAbstractItemModel* cells = screen->DCube1()->cells()->model();
    const auto back = [&](int row) { return cells->index(row, 0).data(Qt::BackgroundRole); };
    // Row 0: ANA (00001), Cheque 100,00: both Cheque markers hold it, the later one wins.
    EXPECT_EQ(back(0).value<QBrush>().color(), QColor(0, 255, 0));
    // Row 8: ANA (00003), Cheque 7,00: no marker holds it.
    EXPECT_FALSE(back(8).isValid());
    // Row 1: Iof, empty for every cheque here: never coloured.
    EXPECT_EQ(viewOf(screen).text(1, 0), QString());
    EXPECT_FALSE(back(1).isValid());
}

TEST_F(CuboVendas, TheGridModelsKeepTheRulesOfItemModels) {
    addSample();
    fcubovendas* screen = openCube();
    PivotWidget* cube = screen->DCube1();
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    for (QTableView* view : {cube->cells(), cube->rowHeadings(), cube->columnHeadings()}) {
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
    }
    cube->moveField(kStatus, CubeArea::Row);
    cube->moveField(kCliente, CubeArea::Column);
    cube->toggleCollapsed(kStatus, 0);
    cube->setMeasureVisible(0, false);
    cube->setHiddenMembers(kStatus, {1});
    screen->SetAllGroupFooterTypes(0);
    EXPECT_GT(cube->cells()->model()->rowCount(), 0);
}

TEST_F(CuboVendas, ReadsWhileAnotherConnectionWrites) {
    addSample();
    Connection writer = connect();
    runSql(writer.db(), QStringLiteral("BEGIN IMMEDIATE"));
    runSql(writer.db(), QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, CD_STATUS, VL_CHEQUE) "
                                       "VALUES ('00001', 'A', 5000)"));
    fcubovendas* screen = openCube();
    EXPECT_EQ(viewOf(screen).text(0, 0), QStringLiteral("137,00"));  // the committed cheques
    runSql(writer.db(), QStringLiteral("COMMIT"));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(CuboVendas, AFailedReadIsReportedAndTheScreenStaysOpen) {
    QFile::remove(context.dataPath(QStringLiteral("cheques.db")));
    fcubovendas* screen = openCube();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Erro No.53 - ")))
        << dialogs.last().text.toStdString();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->DCube1()->view(), nullptr);
    click(screen, QStringLiteral("cmdPreview"));  // nothing to print, nothing printed
    EXPECT_TRUE(reports.printed().empty());
}

}  // namespace
}  // namespace tavrel
