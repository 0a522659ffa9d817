// The analysis cube on a main database of 1,000,000 cheques: opening the cube screen up to its
// first view, then the re-pivots an operator makes by dragging a field, ranking or filtering,
// each beside the same grouping done by SQLite's GROUP BY in the same run.
// TAVREL_BENCH_DATA names a data folder made by tavrel-demo (e.g. /work/wt/demo-1m); without
// it a folder of TAVREL_BENCH_CHEQUES cheques (1,000,000 by default) is generated first.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "cube/cube.h"
#include "cube/cube_reader.h"
#include "cube/fcubovendas.h"
#include "cube/pivot_table.h"
#include "cube/pivot_view.h"
#include "cube/pivot_widget.h"
#include "data/connection.h"
#include "data/sql.h"
#include "demo/demo_data.h"
#include "offscreen.h"
#include "ratio_reporter.h"
#include "silent_dialogs.h"
#include "supervisor_context.h"
#include "ui/screen_factory.h"

namespace {

using namespace tavrel;

// Positions in the cube's fields collection.
constexpr int kCliente = 0;
constexpr int kStatus = 1;
constexpr int kDocumento = 4;
constexpr int kMesTroca = 8;
constexpr int kAnoTroca = 14;

struct Data {
    QTemporaryDir generated;
    QString folder;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<Cube> cube;
};

Data* data = nullptr;

double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// Runs a grouping statement and reads every group it gives, as the cube has them all.
long long groupBy(const char* sql) {
    QSqlQuery query = runSql(data->connection->db(), QString::fromLatin1(sql));
    long long groups = 0;
    while (query.next()) {
        benchmark::DoNotOptimize(query.value(2).toDouble());
        ++groups;
    }
    return groups;
}

// The eight measures, summed as the cube sums them.
#define EIGHT_SUMS                                                                           \
    "TOTAL(VL_CHEQUE), TOTAL(VL_IOF), TOTAL(VL_CPMF), TOTAL(VL_JUROS), TOTAL(VL_CUSTODIA), " \
    "TOTAL(VL_ADVALOREM), TOTAL(VL_CONSULTA), TOTAL(VL_TAC)"
#define JOIN " FROM CLIENTES INNER JOIN CHEQUES ON CLIENTES.CD_CLIENTE = CHEQUES.CD_CLIENTE "

// --- opening the screen -------------------------------------------------------------------

void AbreCuboTela(benchmark::State& state) {
    FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    bench::SilentDialogs dialogs;
    Context context;
    bench::setUpSupervisor(context, data->generated.path(), data->folder, clock, dialogs);
    ScreenFactory screens(context);
    context.screens = &screens;
    double cubeMegabytes = 0;
    double residentGrowth = 0;
    for (auto _ : state) {
        const double before = residentMegabytes();
        auto screen = std::make_unique<fcubovendas>(context);
        while (!screen->leituraConcluida()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (residentGrowth == 0) {
            residentGrowth = residentMegabytes() - before;  // later rounds reuse freed memory
        }
        cubeMegabytes = screen->DCube1()->cube()->memoryBytes() / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(screen->DCube1()->view()->value(0, 0));
        state.PauseTiming();
        screen.reset();
        state.ResumeTiming();
    }
    state.counters["cube_MB"] = cubeMegabytes;
    state.counters["rss_growth_MB"] = residentGrowth;
}

// The first view is the grand total of the eight measures.
void AbreCuboGroupBy(benchmark::State& state) {
    for (auto _ : state) {
        QSqlQuery query =
            runSql(data->connection->db(), QStringLiteral("SELECT 0, 0, " EIGHT_SUMS JOIN));
        query.next();
        benchmark::DoNotOptimize(query.value(2).toDouble());
    }
}

// --- re-pivots ------------------------------------------------------------------------------

// What the operator waits for after a drag: the view laid out and its first screenful of cells
// (40 rows, 12 columns) with their headings, formatted.
void showFirstScreen() {
    const PivotView& view = data->cube->view();
    for (int row = 0; row < std::min(40, view.rowCount()); ++row) {
        for (int level = 0; level < view.rowHeadingLevels(); ++level) {
            benchmark::DoNotOptimize(view.rowHeading(row, level));
        }
        for (int column = 0; column < std::min(12, view.columnCount()); ++column) {
            benchmark::DoNotOptimize(view.text(row, column));
        }
    }
}

// Puts the cube in a layout: these fields on the rows and columns, every other dimension field
// in the page area, every measure shown.
void arrange(std::initializer_list<int> rows, std::initializer_list<int> columns) {
    CubeLayout& layout = data->cube->layout();
    for (int position = 0; position < layout.fieldCount(); ++position) {
        CubeField& field = layout.field(position);
        field.hiddenMembers.clear();
        field.sortKind = 0;
        if (!field.isMeasure) {
            layout.moveField(position, CubeArea::Page);
        } else {
            field.visible = true;
        }
    }
    for (const int position : rows) {
        layout.moveField(position, CubeArea::Row);
    }
    for (const int position : columns) {
        layout.moveField(position, CubeArea::Column);
    }
}

// Client by month of the exchange with the eight measures; rows and columns swap at every
// round, so every round sums the rows again.
void ClienteMesCube(benchmark::State& state) {
    bool swap = false;
    for (auto _ : state) {
        state.PauseTiming();
        swap ? arrange({kMesTroca}, {kCliente}) : arrange({kCliente}, {kMesTroca});
        swap = !swap;
        state.ResumeTiming();
        data->cube->recalculate();
        showFirstScreen();
    }
    state.counters["groups"] = static_cast<double>(data->cube->table().rows().leafCount() *
                                                   data->cube->table().columns().leafCount());
}

void ClienteMesGroupBy(benchmark::State& state) {
    long long groups = 0;
    for (auto _ : state) {
        groups = groupBy("SELECT CHEQUES.CD_CLIENTE, strftime('%m', DT_TROCA), " EIGHT_SUMS JOIN
                         "GROUP BY 1, 2");
    }
    state.counters["groups"] = static_cast<double>(groups);
}

// Document by year of the exchange by status: about 700,000 groups.
void DocumentoAnoStatusCube(benchmark::State& state) {
    bool swap = false;
    for (auto _ : state) {
        state.PauseTiming();
        swap ? arrange({kDocumento, kAnoTroca, kStatus}, {})
             : arrange({kDocumento, kAnoTroca}, {kStatus});
        swap = !swap;
        state.ResumeTiming();
        data->cube->recalculate();
        showFirstScreen();
    }
    const PivotTable& table = data->cube->table();
    state.counters["rows"] = static_cast<double>(data->cube->view().rowCount());
    state.counters["leaf_rows"] = static_cast<double>(table.rows().leafCount());
    state.counters["cube_MB"] = data->cube->memoryBytes() / (1024.0 * 1024.0);
}

void DocumentoAnoStatusGroupBy(benchmark::State& state) {
    long long groups = 0;
    for (auto _ : state) {
        groups = groupBy(
            "SELECT CHEQUES.CD_DOCUMENTO, strftime('%Y', DT_TROCA), CD_STATUS, " EIGHT_SUMS JOIN
            "GROUP BY 1, 2, 3");
    }
    state.counters["groups"] = static_cast<double>(groups);
}

// The documents ranked by their cheques, largest first then smallest first: ranking alone, the
// sums stay.
void RankingCube(benchmark::State& state) {
    arrange({kDocumento}, {});
    data->cube->recalculate();
    const int summed = data->cube->summings();
    bool descending = true;
    for (auto _ : state) {
        CubeField& documento = data->cube->layout().field(kDocumento);
        documento.sortKind = descending ? 1 : 2;
        documento.sortMeasure = 0;
        descending = !descending;
        data->cube->recalculate();
        showFirstScreen();
    }
    if (data->cube->summings() != summed) {
        state.SkipWithError("ranking summed the rows again");
    }
    state.counters["members"] = static_cast<double>(data->cube->table().rows().leafCount());
}

void RankingGroupBy(benchmark::State& state) {
    long long groups = 0;
    bool descending = true;
    for (auto _ : state) {
        groups = groupBy(descending ? "SELECT CHEQUES.CD_DOCUMENTO, 0, TOTAL(VL_CHEQUE)" JOIN
                                      "GROUP BY 1 ORDER BY 3 DESC"
                                    : "SELECT CHEQUES.CD_DOCUMENTO, 0, TOTAL(VL_CHEQUE)" JOIN
                                      "GROUP BY 1 ORDER BY 3");
        descending = !descending;
    }
    state.counters["members"] = static_cast<double>(groups);
}

// Client by month with the settled cheques filtered out of the page field "Status", and back.
void FiltroPaginaCube(benchmark::State& state) {
    arrange({kCliente}, {kMesTroca});
    const CubeDimension& status = data->cube->dimension(kStatus);
    quint32 settled = 0;
    for (quint32 m = 0; m < status.memberCount(); ++m) {
        if (status.caption(m) == QLatin1String("Baixado")) {
            settled = m;
        }
    }
    bool filtered = false;
    for (auto _ : state) {
        filtered = !filtered;
        data->cube->layout().field(kStatus).hiddenMembers =
            filtered ? QSet<quint32>{settled} : QSet<quint32>{};
        data->cube->recalculate();
        showFirstScreen();
    }
}

void FiltroPaginaGroupBy(benchmark::State& state) {
    bool filtered = false;
    for (auto _ : state) {
        filtered = !filtered;
        groupBy(filtered ? "SELECT CHEQUES.CD_CLIENTE, strftime('%m', DT_TROCA), " EIGHT_SUMS JOIN
                           "WHERE CD_STATUS <> 'B' GROUP BY 1, 2"
                         : "SELECT CHEQUES.CD_CLIENTE, strftime('%m', DT_TROCA), " EIGHT_SUMS JOIN
                           "GROUP BY 1, 2");
    }
}

void registerBenchmarks() {
    // CPU time is the process's: the cube reads on a thread of its own and sums large pivots
    // on two.
    const auto add = [](const char* name, void (*function)(benchmark::State&), int iterations) {
        benchmark::RegisterBenchmark(name, function)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations)
            ->MeasureProcessCPUTime();
    };
    add("AbreCubo/groupby", AbreCuboGroupBy, 3);
    add("AbreCubo/cube", AbreCuboTela, 3);
    add("ClienteMes/groupby", ClienteMesGroupBy, 3);
    add("ClienteMes/cube", ClienteMesCube, 20);
    add("DocumentoAnoStatus/groupby", DocumentoAnoStatusGroupBy, 3);
    add("DocumentoAnoStatus/cube", DocumentoAnoStatusCube, 10);
    add("Ranking/groupby", RankingGroupBy, 3);
    add("Ranking/cube", RankingCube, 20);
    add("FiltroPagina/groupby", FiltroPaginaGroupBy, 4);
    add("FiltroPagina/cube", FiltroPaginaCube, 20);
}

void prepareData() {
    data = new Data;
    data->folder = qEnvironmentVariable("TAVREL_BENCH_DATA");
    if (data->folder.isEmpty()) {
        const int fromEnvironment = qEnvironmentVariableIntValue("TAVREL_BENCH_CHEQUES");
        demo::DemoOptions options;
        options.folder = QDir(data->generated.path()).filePath(QStringLiteral("dados"));
        options.cheques = fromEnvironment > 0 ? fromEnvironment : 1000000;
        options.clients = 500;
        options.seed = 2026;
        options.today = QDate(2026, 12, 9);
        std::printf("Generating %d cheques...\n", options.cheques);
        std::fflush(stdout);
        demo::generateDemoData(options);
        data->folder = options.folder;
    }
    const QString path = QDir(data->folder).filePath(databaseFileName(DatabaseKind::Cheques));
    data->connection = std::make_unique<Connection>(path, DatabaseKind::Cheques);
    QElapsedTimer timer;
    timer.start();
    std::optional<CubeData> read = readCubeSource(path);
    const double seconds = timer.elapsed() / 1000.0;
    timer.restart();
    data->cube = std::make_unique<Cube>(std::move(*read));
    std::printf("Read %zu cheques from %s in %.2f s; the cube and its first view took %.2f s.\n",
                data->cube->data().rows, qPrintable(data->folder), seconds,
                timer.elapsed() / 1000.0);
    std::printf("Source columns: %.1f MB.\n\n", data->cube->dataBytes() / (1024.0 * 1024.0));
}

}  // namespace

int main(int argc, char* argv[]) {
    tavrel::bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepareData();
    registerBenchmarks();
    tavrel::bench::RatioReporter reporter("groupby", "cube");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    delete data;
    return 0;
}
