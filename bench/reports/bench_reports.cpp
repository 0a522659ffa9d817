// A 10,000-row report of the cheques of a period, by client: how long it takes to fill the
// template (query, groups, totals) and to write the PDF. The fill alone is the baseline the
// PDF is compared with, in the same run.
//
// With TAVREL_BENCH_REPORT_DATA naming a data folder (the million-cheque demo folder), the
// same report for the whole of 2026 as the financial report screens print it: the time until
// the preview shows its first page, and beside it the time to read every row in one statement
// (what the preview waited for before it could draw a page), with the peak memory of each.
// The folder is only read.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>

#include "core/clock.h"
#include "core/context.h"
#include "data/connection.h"
#include "data/data_folder.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "offscreen.h"
#include "reports/print_report.h"
#include "reports/report_painter.h"
#include "reports/report_preview.h"
#include "silent_dialogs.h"

namespace {

constexpr int kRows = 10000;
constexpr int kClients = 200;

const QString kFormula = QStringLiteral(
    "{cheques.dt_deposito} >=  #2026/01/01# AND {cheques.dt_deposito} <= #2026/12/31#");
const QDateTime kPrintedAt(QDate(2026, 12, 8), QTime(14, 5));

// A data folder with kClients clients and kRows cheques spread over 2026.
class BenchData {
public:
    BenchData() {
        tavrel::prepareDataFolder(folder.path(), QStringLiteral(TAVREL_TEMPLATES_DIR));
        tavrel::Connection connection(folder.filePath(QStringLiteral("cheques.db")),
                                      tavrel::DatabaseKind::Cheques);
        tavrel::TransactionGuard transaction(connection.db());
        for (int c = 1; c <= kClients; ++c) {
            tavrel::runSql(
                connection.db(),
                QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES (?, ?)"),
                {QStringLiteral("%1").arg(c, 5, 10, QLatin1Char('0')),
                 QStringLiteral("CLIENTE %1").arg(c)});
        }
        const QDate first(2026, 1, 1);
        for (int i = 0; i < kRows; ++i) {
            const double value = 100.0 + (i * 37) % 5000;
            tavrel::runSql(
                connection.db(),
                QStringLiteral(
                    "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, VL_CHEQUE, "
                    "VL_JUROS, NR_DIAS, DT_TROCA, DT_DEPOSITO, CD_STATUS, NM_EMITENTE, "
                    "CD_BANCO, NR_CHEQUE) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '001', ?)"),
                {QStringLiteral("%1").arg(i / 5 + 1, 5, 10, QLatin1Char('0')),
                 QStringLiteral("%1").arg(i % kClients + 1, 5, 10, QLatin1Char('0')),
                 QStringLiteral("%1").arg(i % kClients + 1, 5, 10, QLatin1Char('0')), value,
                 value * 0.03, 30, first.addDays(i % 330).toString(Qt::ISODate),
                 first.addDays(i % 330 + 30).toString(Qt::ISODate),
                 QStringLiteral("ABC").mid(i % 3, 1), QStringLiteral("EMITENTE %1").arg(i % 977),
                 QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0'))});
        }
        transaction.commit();
    }

    QString templatePath() const {
        return folder.filePath(QStringLiteral("1_cheques_por_cliente.rpt"));
    }

    QTemporaryDir folder;
};

BenchData& data() {
    static BenchData instance;
    return instance;
}

// Baseline: query, groups and totals, no pages.
void BM_FillTemplate(benchmark::State& state) {
    BenchData& d = data();
    for (auto _ : state) {
        const tavrel::ReportContent content =
            tavrel::buildReport(d.folder.path(), d.templatePath(), kFormula, kPrintedAt);
        benchmark::DoNotOptimize(content.rowCount);
        if (content.rowCount != kRows) {
            state.SkipWithError("wrong number of rows");
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FillTemplate)->Unit(benchmark::kMillisecond);

// The whole job: fill, lay out and write the PDF file.
void BM_RenderPdf(benchmark::State& state) {
    BenchData& d = data();
    const QString pdf = d.folder.filePath(QStringLiteral("bench.pdf"));
    int pages = 0;
    for (auto _ : state) {
        pages =
            tavrel::renderReportToPdf(d.folder.path(), d.templatePath(), kFormula, pdf, kPrintedAt);
    }
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RenderPdf)->Unit(benchmark::kMillisecond);

// The largest the process has been so far, in megabytes.
double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

QString demoFolder() {
    return qEnvironmentVariable("TAVREL_BENCH_REPORT_DATA");
}

const QString kYearTemplate = QStringLiteral("1_cheques_por_cliente.rpt");

// The operator's "&Executar {Dt Deposito}" for 2026: the pages counted, the question answered
// (SilentDialogs says Yes), the preview opened; timed until its first page is drawn. Runs first,
// so its peak memory is its own.
void BM_DemoYearFirstPage(benchmark::State& state) {
    tavrel::FixedClock clock(kPrintedAt);
    tavrel::bench::SilentDialogs dialogs;
    tavrel::Context context;
    context.clock = &clock;
    context.dialogs = &dialogs;
    context.dataFolder = demoFolder();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!tavrel::imprimeRelatorio(context, QStringLiteral("frelatorios"), kYearTemplate,
                                      kFormula)) {
            state.SkipWithError("the report failed");
            return;
        }
        tavrel::ReportPreview* preview = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<tavrel::ReportPreview*>(window)) {
                preview = found;
            }
        }
        while (!preview->pageDrawn()) {
            QCoreApplication::processEvents();
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        state.counters["pages"] = preview->pageCount();
        state.counters["peak_MB_first_page"] = peakMegabytes();
        while (preview->isReading()) {
            QCoreApplication::processEvents();
        }
        state.counters["all_read_s"] = static_cast<double>(timer.elapsed()) / 1000.0;
        state.counters["peak_MB_all_read"] = peakMegabytes();
        delete preview;
    }
}

// Baseline: every row read in one statement and filled, no page drawn.
void BM_DemoYearWholeFill(benchmark::State& state) {
    for (auto _ : state) {
        const tavrel::ReportContent content = tavrel::buildReport(
            demoFolder(), QDir(demoFolder()).filePath(kYearTemplate), kFormula, kPrintedAt);
        state.counters["rows"] = static_cast<double>(content.rowCount);
    }
    state.counters["peak_MB"] = peakMegabytes();
}

}  // namespace

int main(int argc, char** argv) {
    tavrel::bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (!demoFolder().isEmpty()) {
        benchmark::RegisterBenchmark("BM_DemoYearFirstPage", BM_DemoYearFirstPage)
            ->Unit(benchmark::kSecond)
            ->Iterations(1)
            ->UseManualTime();
        benchmark::RegisterBenchmark("BM_DemoYearWholeFill", BM_DemoYearWholeFill)
            ->Unit(benchmark::kSecond)
            ->Iterations(1)
            ->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
