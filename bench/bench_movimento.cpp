// The movement queries on a data folder of a million cheques, timed as the operator meets them:
// the first rows after opening a screen or choosing a period or a client, the totals and row
// count (which come after the first rows, from the background), the group headers of a year
// grouped by client, expanding a group of about 2,000 rows, each key typed on the document
// screen, and the memory the screen holds through a heavy session.
//
// TAVREL_DEMO_FOLDER names a data folder made by tavrel-demo (it is only read); without it a
// folder of TAVREL_BENCH_CHEQUES (default 1,000,000) cheques is generated for the run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <ctime>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "data/background_query.h"
#include "data/connection.h"
#include "data/sql.h"
#include "demo/demo_data.h"
#include "offscreen.h"
#include "queries/fconsultacliente.h"
#include "queries/fconsultadocumento.h"
#include "queries/fconsultaperiodo.h"
#include "silent_dialogs.h"
#include "supervisor_context.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"
#include "ui/screen_factory.h"

namespace {

using namespace tavrel;

// The data folder, the program's context, and what the benchmarks pick from the data.
struct Bench {
    QTemporaryDir work;  // program folder (logs) and, when generated, the data
    QString dataFolder;
    FixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0))};
    bench::SilentDialogs dialogs;
    Context context;
    std::unique_ptr<ScreenFactory> screens;
    int year = 2026;
    QString busiestClient;  // code of the client with the most cheques
    QString groupClient;    // name of the client whose cheques number closest to 2,000
    int groupClientCount = 0;
    QString issuerPrefix;    // the first letters of a frequent issuer
    QString documentPrefix;  // the first digits of a document
};

Bench* run = nullptr;

// Paints the grid now, as the first paint after the rows are there would: the view lays out its
// lines and reads the rows it shows. (The offscreen windows are never exposed, so a repaint()
// would do nothing; rendering into an image runs the same paint.)
void paint(GroupingGrid* grid) {
    static QImage canvas;
    QWidget* viewport = grid->view()->viewport();
    if (canvas.size() != viewport->size()) {
        canvas = QImage(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    }
    viewport->render(&canvas);
}

// CPU time of the whole process (every thread), in milliseconds: the work a measure took,
// whatever else the machine was doing.
double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

benchmark::Counter perIteration(double value) {
    return benchmark::Counter(value, benchmark::Counter::kAvgIterations);
}

// Waits for the first page the grid asked for (read in the background) and paints it.
void showRows(GroupingGrid* grid) {
    grid->model()->waitForRows();
    paint(grid);
}

GroupingGrid* gridOf(QWidget* screen) {
    return screen->findChild<GroupingGrid*>(QStringLiteral("GridEX1"));
}

template <class Screen>
Screen* openScreen() {
    auto* screen = new Screen(run->context);
    screen->resize(1200, 760);
    screen->show();
    showRows(gridOf(screen));
    return screen;
}

void close(QWidget* screen) {
    waitForBackgroundQueries();
    delete screen;
}

int columnOf(GroupingGrid* grid, const char* field) {
    return grid->columnIndex(QString::fromLatin1(field));
}

// --- first rows -------------------------------------------------------------------------------

template <class Screen>
void FirstRowsAfterOpening(benchmark::State& state) {
    double cpu = 0;
    for (auto _ : state) {
        const double started = processCpuMs();
        Screen* screen = openScreen<Screen>();
        cpu += processCpuMs() - started;
        state.PauseTiming();
        close(screen);
        state.ResumeTiming();
    }
    state.counters["cpu_ms"] = perIteration(cpu);
}

// Times `choose` on a screen already open, up to its first rows painted.
template <class Screen>
void FirstRowsAfterChoosing(benchmark::State& state, void (*choose)(Screen*)) {
    auto* screen = openScreen<Screen>();
    waitForBackgroundQueries();
    double cpu = 0;
    for (auto _ : state) {
        const double started = processCpuMs();
        choose(screen);
        showRows(gridOf(screen));
        cpu += processCpuMs() - started;
        state.PauseTiming();
        waitForBackgroundQueries();
        state.ResumeTiming();
    }
    state.counters["cpu_ms"] = perIteration(cpu);
    state.counters["rows"] = static_cast<double>(gridOf(screen)->model()->totalRows());
    close(screen);
}

void chooseAYear(fconsultaperiodo* screen) {
    screen->selecionaPeriodo(QDate(run->year, 1, 1), QDate(run->year, 12, 31));
}

void chooseAWeek(fconsultaperiodo* screen) {
    screen->selecionaPeriodo(QDate(run->year, 12, 1), QDate(run->year, 12, 8));
}

void chooseTheBusiestClient(fconsultacliente* screen) {
    screen->selecionaCliente(run->busiestClient);
}

// --- totals -----------------------------------------------------------------------------------

// From the opening to the last figure of the totals frame and the grid's count and sums.
void TotalsAfterOpening(benchmark::State& state) {
    double cpu = 0;
    for (auto _ : state) {
        const double started = processCpuMs();
        auto* screen = openScreen<fconsultacliente>();
        waitForBackgroundQueries();
        cpu += processCpuMs() - started;
        state.PauseTiming();
        close(screen);
        state.ResumeTiming();
    }
    state.counters["cpu_ms"] = perIteration(cpu);
}

void TotalsAfterChoosingAYear(benchmark::State& state) {
    auto* screen = openScreen<fconsultaperiodo>();
    waitForBackgroundQueries();
    double cpu = 0;
    for (auto _ : state) {
        const double started = processCpuMs();
        screen->selecionaPeriodo(QDate(run->year, 1, 1), QDate(run->year, 12, 31));
        waitForBackgroundQueries();
        cpu += processCpuMs() - started;
    }
    state.counters["cpu_ms"] = perIteration(cpu);
    close(screen);
}

// --- groups -----------------------------------------------------------------------------------

void GroupHeadersOfAYearByClient(benchmark::State& state) {
    auto* screen = openScreen<fconsultaperiodo>();
    screen->selecionaPeriodo(QDate(run->year, 1, 1), QDate(run->year, 12, 31));
    waitForBackgroundQueries();
    GroupingGrid* grid = gridOf(screen);
    const int client = columnOf(grid, "CLIENTES.NM_CLIENTE");
    double cpu = 0;
    for (auto _ : state) {
        const double started = processCpuMs();
        grid->groupBy(client);
        showRows(grid);
        cpu += processCpuMs() - started;
        state.PauseTiming();
        state.counters["groups"] = grid->model()->rowCount();
        grid->ungroup(client);
        waitForBackgroundQueries();
        state.ResumeTiming();
    }
    state.counters["cpu_ms"] = perIteration(cpu);
    close(screen);
}

void ExpandingAGroupOf2000Rows(benchmark::State& state) {
    auto* screen = openScreen<fconsultacliente>();
    waitForBackgroundQueries();
    GroupingGrid* grid = gridOf(screen);
    const int client = columnOf(grid, "CLIENTES.NM_CLIENTE");
    for (auto _ : state) {
        state.PauseTiming();
        grid->setGrouping({client});  // read afresh: nothing of the group in memory
        waitForBackgroundQueries();
        GroupingModel* model = grid->model();
        while (model->canFetchMore({})) {
            model->fetchMore({});
        }
        QModelIndex group;
        for (int row = 0; row < model->rowCount() && !group.isValid(); ++row) {
            if (model->groupSummary(model->index(row, 0)).valueText == run->groupClient) {
                group = model->index(row, 0);
            }
        }
        grid->view()->scrollTo(group, QAbstractItemView::PositionAtTop);
        paint(grid);
        const qint64 before = model->materialisedRows();
        state.ResumeTiming();
        grid->view()->expand(group);
        paint(grid);
        state.PauseTiming();
        state.counters["rows_read"] = static_cast<double>(model->materialisedRows() - before);
        if (!group.isValid() || model->rowCount(group) != run->groupClientCount + 1) {
            state.SkipWithError("the group was not expanded");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = run->groupClientCount;
    close(screen);
}

// --- the document key -------------------------------------------------------------------------

// Types `key` into cd_chave, one key at a time. Each key is handed back to the operator at once
// (its statement runs in the background; counter ui_ms); the time measured is from the key to
// its rows painted in the grid.
void KeyTyped(benchmark::State& state, int option, const QString& key) {
    auto* screen = openScreen<fconsultadocumento>();
    waitForBackgroundQueries();
    auto* field = screen->findChild<QLineEdit*>(QStringLiteral("cd_chave"));
    screen->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(option))->setChecked(true);
    waitForBackgroundQueries();
    GroupingGrid* grid = gridOf(screen);
    double ui = 0;
    double cpu = 0;
    int keys = 0;
    for (auto _ : state) {
        double seconds = 0;
        for (const QChar c : key) {
            const double started = processCpuMs();
            QElapsedTimer timer;
            timer.start();
            QTest::keyClicks(field, QString(c));
            paint(grid);
            ui += timer.nsecsElapsed() / 1e6;
            ++keys;
            showRows(grid);
            seconds += timer.nsecsElapsed() / 1e9;
            cpu += processCpuMs() - started;
        }
        state.SetIterationTime(seconds / key.size());
        state.PauseTiming();
        field->clear();
        waitForBackgroundQueries();
        state.ResumeTiming();
    }
    state.counters["keys"] = key.size();
    state.counters["ui_ms"] = ui / keys;
    state.counters["cpu_ms"] = cpu / keys;
    close(screen);
}

// --- memory -----------------------------------------------------------------------------------

// Kilobytes of a line of /proc/self/status ("VmHWM", "RssAnon", ...).
double statusKb(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray prefix = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble();
        }
    }
    return 0;
}

// A heavy session on the client screen: the flat list from end to end, grouped by client with
// every group opened ("Desagrupar"), then grouped by exchange (125,000 groups) read to the last.
// Sampled after each step: the memory the program holds (anonymous pages) and its whole
// resident size, which also counts the pages of the database file mapped for reading (they
// belong to the operating system's file cache and are shared with every other reader).
void MemoryOfAHeavySession(benchmark::State& state) {
    double anonBefore = 0;
    double anonPeak = 0;
    double residentPeak = 0;
    double rowsPeak = 0;
    for (auto _ : state) {
        anonBefore = statusKb("RssAnon");
        auto sample = [&](GroupingGrid* grid) {
            anonPeak = std::max(anonPeak, statusKb("RssAnon"));
            residentPeak = std::max(residentPeak, statusKb("VmRSS"));
            rowsPeak = std::max(rowsPeak, static_cast<double>(grid->model()->materialisedRows()));
        };
        auto* screen = openScreen<fconsultacliente>();
        waitForBackgroundQueries();
        GroupingGrid* grid = gridOf(screen);
        QScrollBar* bar = grid->view()->verticalScrollBar();
        for (int step = 0; step <= 50; ++step) {
            bar->setValue(bar->maximum() * step / 50);
            paint(grid);
            sample(grid);
        }
        grid->setGrouping({columnOf(grid, "CLIENTES.NM_CLIENTE")});
        waitForBackgroundQueries();
        grid->expandAll();
        for (int step = 0; step <= 50; ++step) {
            bar->setValue(bar->maximum() * step / 50);
            paint(grid);
            sample(grid);
        }
        grid->setGrouping({columnOf(grid, "CHEQUES.CD_TROCA")});
        waitForBackgroundQueries();
        while (grid->model()->canFetchMore({})) {
            grid->model()->fetchMore({});
        }
        for (int step = 0; step <= 50; ++step) {
            bar->setValue(bar->maximum() * step / 50);
            paint(grid);
            sample(grid);
        }
        close(screen);
    }
    state.counters["anon_before_MB"] = anonBefore / 1024;
    state.counters["anon_peak_MB"] = anonPeak / 1024;
    state.counters["anon_added_MB"] = (anonPeak - anonBefore) / 1024;
    state.counters["resident_peak_MB"] = residentPeak / 1024;
    state.counters["rows_peak"] = rowsPeak;
}

// --- set-up -----------------------------------------------------------------------------------

void prepare() {
    run = new Bench;
    run->dataFolder = qEnvironmentVariable("TAVREL_DEMO_FOLDER");
    if (run->dataFolder.isEmpty()) {
        const int fromEnvironment = qEnvironmentVariableIntValue("TAVREL_BENCH_CHEQUES");
        demo::DemoOptions options;
        options.folder = QDir(run->work.path()).filePath(QStringLiteral("dados"));
        options.cheques = fromEnvironment > 0 ? fromEnvironment : 1000000;
        options.clients = 500;
        options.seed = 2026;
        options.today = run->clock.today();
        std::printf("Generating %d cheques...\n", options.cheques);
        std::fflush(stdout);
        demo::generateDemoData(options);
        run->dataFolder = options.folder;
    }
    Context& context = run->context;
    bench::setUpSupervisor(context, run->work.path(), run->dataFolder, run->clock, run->dialogs);
    run->screens = std::make_unique<ScreenFactory>(context);
    context.screens = run->screens.get();

    const Connection connection(context.dataPath(databaseFileName(DatabaseKind::Cheques)),
                                DatabaseKind::Cheques);
    const QSqlDatabase db = connection.db();
    run->year = scalarSql(db, QStringLiteral("SELECT SUBSTR(DT_DEPOSITO, 1, 4) FROM CHEQUES "
                                             "GROUP BY 1 ORDER BY COUNT(*) DESC LIMIT 1"))
                    .toInt();
    run->busiestClient =
        scalarSql(db, QStringLiteral("SELECT CD_CLIENTE FROM CHEQUES GROUP BY CD_CLIENTE "
                                     "ORDER BY COUNT(*) DESC LIMIT 1"))
            .toString();
    {
        QSqlQuery group = runSql(
            db, QStringLiteral("SELECT CLIENTES.NM_CLIENTE, COUNT(*) FROM CLIENTES INNER JOIN "
                               "CHEQUES ON CLIENTES.CD_CLIENTE = CHEQUES.CD_CLIENTE GROUP BY "
                               "CLIENTES.NM_CLIENTE ORDER BY ABS(COUNT(*) - 2000) LIMIT 1"));
        group.next();
        run->groupClient = group.value(0).toString();
        run->groupClientCount = group.value(1).toInt();
    }
    run->issuerPrefix =
        scalarSql(db, QStringLiteral("SELECT NM_EMITENTE FROM CHEQUES WHERE id = 777"))
            .toString()
            .left(6);
    run->documentPrefix =
        scalarSql(db, QStringLiteral("SELECT CD_DOCUMENTO FROM CHEQUES WHERE id = 555"))
            .toString()
            .left(6);
    std::printf(
        "Data: %s; year %d; busiest client %s; group of %d rows (%s); keys \"%s\", "
        "\"%s\".\n\n",
        qPrintable(run->dataFolder), run->year, qPrintable(run->busiestClient),
        run->groupClientCount, qPrintable(run->groupClient), qPrintable(run->issuerPrefix),
        qPrintable(run->documentPrefix));
}

void registerBenchmarks() {
    using benchmark::kMillisecond;
    // First, while the process is small: the memory of one heavy session.
    benchmark::RegisterBenchmark("Memoria/sessao_pesada", MemoryOfAHeavySession)
        ->Unit(kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("PrimeirasLinhas/abrir_cliente",
                                 FirstRowsAfterOpening<fconsultacliente>)
        ->Unit(kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("PrimeirasLinhas/abrir_documento",
                                 FirstRowsAfterOpening<fconsultadocumento>)
        ->Unit(kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("PrimeirasLinhas/abrir_periodo",
                                 FirstRowsAfterOpening<fconsultaperiodo>)
        ->Unit(kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("PrimeirasLinhas/escolher_ano",
                                 FirstRowsAfterChoosing<fconsultaperiodo>, chooseAYear)
        ->Unit(kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("PrimeirasLinhas/escolher_semana",
                                 FirstRowsAfterChoosing<fconsultaperiodo>, chooseAWeek)
        ->Unit(kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("PrimeirasLinhas/escolher_cliente",
                                 FirstRowsAfterChoosing<fconsultacliente>, chooseTheBusiestClient)
        ->Unit(kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("Totais/abrir_cliente", TotalsAfterOpening)
        ->Unit(kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("Totais/escolher_ano", TotalsAfterChoosingAYear)
        ->Unit(kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("Cabecalhos/ano_por_cliente", GroupHeadersOfAYearByClient)
        ->Unit(kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("Expandir/grupo_de_2000", ExpandingAGroupOf2000Rows)
        ->Unit(kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark(
        "Chave/emitente", [](benchmark::State& state) { KeyTyped(state, 1, run->issuerPrefix); })
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark(
        "Chave/documento", [](benchmark::State& state) { KeyTyped(state, 2, run->documentPrefix); })
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark(
        "Chave/emitente_inexistente",
        [](benchmark::State& state) { KeyTyped(state, 1, QStringLiteral("ZQXWK")); })
        ->Unit(kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
}

// The offscreen platform says at every window shown that it keeps no size hints.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("propagateSizeHints"))) {
        qt_message_output(type, context, message);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    tavrel::bench::useOffscreenUnlessSet();
    qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepare();
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete run;
    return 0;
}
