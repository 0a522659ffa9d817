// tavrel-screenshots: takes the pictures of docs/screens on a real display, with demo data, as
// an operator sees the screens. Run by scripts/screenshots.sh, which starts a virtual display
// with a window manager; without TAVREL_SCREENSHOTS_DIR every case is skipped.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTreeView>

#include "data/background_query.h"
#include "demo/demo_data.h"
#include "reports/report_preview.h"
#include "support/fixture.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

class Screenshots : public test::AppFixture {
protected:
    void SetUp() override {
        outFolder_ = qEnvironmentVariable("TAVREL_SCREENSHOTS_DIR");
        if (outFolder_.isEmpty())
            GTEST_SKIP() << "TAVREL_SCREENSHOTS_DIR not set";
        // A fixed folder, so the main menu's status bar shows the same text at every run.
        QDir folder(QDir::temp().filePath(QStringLiteral("tavrel-telas")));
        folder.removeRecursively();
        demo::DemoOptions options;
        options.folder = folder.filePath(QStringLiteral("dados"));
        options.clients = 40;
        options.cheques = 600;
        options.today = clock.today();
        options.templatesFolder = QStringLiteral(TAVREL_TEMPLATES_DIR);
        demo::generateDemoData(options);
        context.dataFolder = options.folder;
        // The main menu's background picture lies beside the program.
        context.programFolder = QCoreApplication::applicationDirPath();
        context.reports = nullptr;            // printed reports open the real preview window
        QApplication::setCursorFlashTime(0);  // a steady text cursor: the same picture every run
    }

    // The whole display, window manager's frames included.
    void save(const QString& name) {
        QTest::qWait(1500);  // mapped, decorated and painted
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
        ASSERT_TRUE(shot.save(QDir(outFolder_).filePath(name + QStringLiteral(".png"))));
    }

    // An exchange of three cheques typed as the operator types them.
    QWidget* exchangeOfThreeCheques() {
        QWidget* screen = open(QStringLiteral("FTROCA"));
        activate(screen);
        click(screen, QStringLiteral("INCLUIR"));
        auto* client = control<QComboBox>(screen, QStringLiteral("NM_CLIENTE"));
        client->setCurrentIndex(3);
        emit client->activated(3);
        leave(screen, QStringLiteral("NM_CLIENTE"));
        const struct {
            const char *document, *issuer, *date, *value, *bank, *branch, *account, *number;
        } cheques[] = {
            {"12345678909", "JOSÉ CARLOS PEREIRA", "15/01/2027", "1250,00", "001", "3210",
             "0000456789", "000101"},
            {"98765432100", "MARIA APARECIDA SOUZA", "22/01/2027", "3480,50", "237", "0457",
             "0001234567", "004512"},
            {"11444777000161", "PADARIA PÃO DOURADO LTDA", "05/02/2027", "760,00", "341", "1500",
             "0009876543", "000033"},
        };
        for (const auto& cheque : cheques) {
            fill(screen, QStringLiteral("cd_documento"), QString::fromLatin1(cheque.document));
            fill(screen, QStringLiteral("NM_EMITENTE"), QString::fromUtf8(cheque.issuer));
            fill(screen, QStringLiteral("dt_deposito"), QString::fromLatin1(cheque.date));
            fill(screen, QStringLiteral("vl_cheque"), QString::fromLatin1(cheque.value));
            fill(screen, QStringLiteral("cd_banco"), QString::fromLatin1(cheque.bank));
            fill(screen, QStringLiteral("cd_agencia"), QString::fromLatin1(cheque.branch));
            fill(screen, QStringLiteral("cd_conta"), QString::fromLatin1(cheque.account));
            fill(screen, QStringLiteral("NR_CHEQUE"), QString::fromLatin1(cheque.number));
            click(screen, QStringLiteral("Command2"));
        }
        return screen;
    }

    QString outFolder_;
};

TEST_F(Screenshots, MainMenu) {
    QWidget* menu = screens->create(QStringLiteral("fprincipal"));
    menu->showMaximized();  // as the start-up shows it
    save(QStringLiteral("principal"));
}

TEST_F(Screenshots, ExchangeOfThreeCheques) {
    exchangeOfThreeCheques();
    save(QStringLiteral("troca"));
}

TEST_F(Screenshots, ClientsWithFortyClients) {
    QWidget* screen = open(QStringLiteral("fclientes"));
    activate(screen);
    clickGridRow(screen, QStringLiteral("GridEX1"), 2);
    save(QStringLiteral("clientes"));
}

TEST_F(Screenshots, Parameters) {
    activate(open(QStringLiteral("fparametros")));
    save(QStringLiteral("parametros"));
}

TEST_F(Screenshots, PrintPreviewOfTheExchange) {
    QWidget* exchange = exchangeOfThreeCheques();
    dialogs.answer(DialogAnswer::Yes);  // "IMPRIMIR ULTIMA TROCA ? "
    click(exchange, QStringLiteral("Command5"));
    exchange->showMinimized();
    save(QStringLiteral("visualizacao"));
}

// A financing of 12 instalments calculated, then made an exchange waiting for its client.
TEST_F(Screenshots, InstalmentPlanAndItsExchange) {
    QWidget* calculator = open(QStringLiteral("fparcelas"));
    activate(calculator);
    type(calculator, QStringLiteral("CREDITO"), QStringLiteral("R$ 5.000,00"));
    type(calculator, QStringLiteral("JUROS"), QStringLiteral("4,5"));
    type(calculator, QStringLiteral("PARCELAS"), QStringLiteral("12"));
    type(calculator, QStringLiteral("DT_INICIO"), QStringLiteral("08/01/2027"));
    setText(calculator, QStringLiteral("cheque"), QStringLiteral("850001"));
    setText(calculator, QStringLiteral("cd_banco"), QStringLiteral("341"));
    setText(calculator, QStringLiteral("cd_agencia"), QStringLiteral("1500"));
    setText(calculator, QStringLiteral("cd_conta"), QStringLiteral("0009876543"));
    click(calculator, QStringLiteral("Command1"));
    save(QStringLiteral("parcelas"));
    click(calculator, QStringLiteral("Command4"));
    save(QStringLiteral("finalizatroca"));
}

TEST_F(Screenshots, ClientQueryGroupedByClient) {
    QWidget* screen = open(QStringLiteral("fconsultacliente"));
    activate(screen);
    waitForBackgroundQueries();
    auto* grid = control<GroupingGrid>(screen, QStringLiteral("GridEX1"));
    grid->groupBy(grid->columnIndex(QStringLiteral("CLIENTES.NM_CLIENTE")));
    waitForBackgroundQueries();
    grid->view()->expand(grid->model()->index(1, 0));
    save(QStringLiteral("consulta_cliente"));
}

// Every screen as it opens, for a look over all of them (run with
// --gtest_also_run_disabled_tests); not kept in docs/screens.
TEST_F(Screenshots, DISABLED_EveryScreen) {
    screens->setModalRunner([](QWidget* screen) { screen->close(); });
    for (const QString& name : screens->names()) {
        QWidget* screen = open(name);
        if (name == QLatin1String("fprincipal"))
            screen->showMaximized();
        save(QStringLiteral("todas-") + name);
        delete screen;
    }
}

}  // namespace
}  // namespace tavrel
