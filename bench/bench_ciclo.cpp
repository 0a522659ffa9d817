// The cheque after its exchange on a main database of 1,000,000 cheques, measured on the screens
// themselves (built offscreen, never shown): opening the cheques due today, the first rows of a
// month of cheques, a return, opening the repurchase register with 10,000 open entries on a new
// day (every interest rewritten) and settling a client's repurchases.
// The data: a copy of the demo folder named by TAVREL_BENCH_DEMO (its cheques.db is copied, so
// the folder is only read), or TAVREL_BENCH_CHEQUES cheques generated (1,000,000 by default).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "core/ptbr.h"
#include "data/background_query.h"
#include "data/connection.h"
#include "data/data_folder.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "demo/demo_data.h"
#include "lifecycle/devolucao.h"
#include "lifecycle/fbaixas.h"
#include "lifecycle/frecompra.h"
#include "lifecycle/recompra.h"
#include "offscreen.h"
#include "ratio_reporter.h"
#include "silent_dialogs.h"
#include "supervisor_context.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"
#include "ui/screen_factory.h"

namespace {

using namespace tavrel;

constexpr int kRecomprasAbertas = 10000;
const QString kCliente = QStringLiteral("09999");  // the client whose debts are settled

struct Data {
    QTemporaryDir folder;
    QString dataFolder;
    std::unique_ptr<Connection> cheques;
    FixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(10, 0))};
    bench::SilentDialogs dialogs;
    Context context;
    std::unique_ptr<ScreenFactory> screens;
    QList<qlonglong> abertos;  // open cheques to return, one per iteration
    QList<QDate> meses;        // first days of the months listed by period
};

Data* data = nullptr;

QDate hoje() {
    return data->clock.today();
}

// The screen's first rows are there: the first page of groups and the rows of the first group.
void esperaPrimeirasLinhas(GroupingGrid* grid) {
    GroupingModel* model = grid->model();
    model->waitForRows();
    const QModelIndex primeiro = model->index(0, 0);
    if (primeiro.isValid() && model->canFetchMore(primeiro)) {
        model->fetchMore(primeiro);
    }
    benchmark::DoNotOptimize(model->rowCount(primeiro));
}

void AbreChequesDoDia(benchmark::State& state) {
    for (auto _ : state) {
        auto* tela = static_cast<fbaixas*>(data->screens->create(QStringLiteral("fbaixas")));
        esperaPrimeirasLinhas(tela->grid());
        state.PauseTiming();
        delete tela;
        waitForBackgroundQueries();  // the totals, read in the background, end with the screen
        state.ResumeTiming();
    }
}

void MesNoPeriodo(benchmark::State& state) {
    auto* tela = static_cast<fbaixas*>(data->screens->create(QStringLiteral("fbaixasperiodo")));
    auto* inicio = tela->findChild<QDateEdit*>(QStringLiteral("inicio"));
    auto* fim = tela->findChild<QDateEdit*>(QStringLiteral("fim"));
    int n = 0;
    for (auto _ : state) {
        const QDate mes = data->meses[n++ % data->meses.size()];
        inicio->setDate(mes);
        fim->setDate(mes.addMonths(1).addDays(-1));
        tela->executa();
        esperaPrimeirasLinhas(tela->grid());
    }
    delete tela;
    waitForBackgroundQueries();
}

void DevolveCheque(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        Devolucao devolucao;
        devolucao.chequeId = data->abertos[n++ % data->abertos.size()];
        devolucao.alinea = QStringLiteral("11");
        devolucao.negativar = true;
        devolucao.lancarRecompra = true;
        benchmark::DoNotOptimize(devolveCheque(data->cheques->db(), devolucao));
    }
}

// Each opening is on the next day, so the interest of every open entry changes and is written.
void AbreRecompra(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        data->clock.set(QDateTime(data->clock.today().addDays(1), QTime(10, 0)));
        state.ResumeTiming();
        auto* tela = static_cast<FRECOMPRA*>(data->screens->create(QStringLiteral("FRECOMPRA")));
        tela->grid()->model()->waitForRows();
        state.PauseTiming();
        delete tela;
        waitForBackgroundQueries();
        state.ResumeTiming();
    }
    data->clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
}

// "&Baixar e Sair": a client's three open entries brought up to date, summed and settled.
void BaixaRecomprasDoCliente(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 3; ++i) {
            NovaRecompra entrada;
            entrada.cd_cliente = kCliente;
            entrada.cd_troca = QStringLiteral("00001");
            entrada.vl_cheque = 100;
            entrada.vl_taxa = 3;
            entrada.dt_deposito = hoje().addDays(-30);
            entrada.dt_troca = hoje().addDays(-60);
            incluiRecompra(data->cheques->db(), entrada);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(baixaRecomprasCliente(data->cheques->db(), kCliente, hoje()));
    }
}

void registerBenchmarks() {
    benchmark::RegisterBenchmark("fbaixas/abrir", AbreChequesDoDia)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("fbaixasperiodo/mes", MesNoPeriodo)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("FDEVOLVIDOS/devolucao", DevolveCheque)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(200);
    benchmark::RegisterBenchmark("FRECOMPRA/abrir", AbreRecompra)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("fbaixarecompra/baixar", BaixaRecomprasDoCliente)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(200);
}

void prepareData() {
    data = new Data;
    data->dataFolder = QDir(data->folder.path()).filePath(QStringLiteral("dados"));
    QDir().mkpath(data->dataFolder);
    const QString demo = qEnvironmentVariable("TAVREL_BENCH_DEMO");
    if (!demo.isEmpty()) {
        std::printf("Copying the main database of %s...\n", qPrintable(demo));
        std::fflush(stdout);
        for (const char* name : {"cheques.db", "cheques.db-wal", "caixa.db", "menu.db",
                                 "tutorial.db", "BAIXAS.RPT", "recompra.rpt"}) {
            const QString from = QDir(demo).filePath(QString::fromLatin1(name));
            if (QFile::exists(from)) {
                QFile::copy(from, QDir(data->dataFolder).filePath(QString::fromLatin1(name)));
            }
        }
    } else {
        const int fromEnvironment = qEnvironmentVariableIntValue("TAVREL_BENCH_CHEQUES");
        demo::DemoOptions options;
        options.folder = data->dataFolder;
        options.cheques = fromEnvironment > 0 ? fromEnvironment : 1000000;
        options.clients = 500;
        options.seed = 2026;
        options.today = QDate(2026, 12, 8);
        std::printf("Generating %d cheques...\n", options.cheques);
        std::fflush(stdout);
        demo::generateDemoData(options);
    }
    // Opening brings the schema up to date (the deposit-date indexes of version 5).
    data->cheques = std::make_unique<Connection>(
        QDir(data->dataFolder).filePath(databaseFileName(DatabaseKind::Cheques)),
        DatabaseKind::Cheques);
    const QSqlDatabase db = data->cheques->db();
    {
        TransactionGuard transaction(db);
        runSql(db, QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES (?, ?)"),
               {kCliente, QStringLiteral("CLIENTE DO BENCHMARK")});
        // Open repurchase entries up to 10,000, spread over the clients and the last year.
        const int abertas = scalarSql(db, QStringLiteral("SELECT COUNT(*) FROM RECOMPRA WHERE "
                                                         "CD_STATUS = 'A'"))
                                .toInt();
        QSqlQuery clientes =
            runSql(db, QStringLiteral("SELECT CD_CLIENTE FROM CLIENTES ORDER BY id"));
        QStringList codigos;
        while (clientes.next())
            codigos << clientes.value(0).toString();
        for (int i = abertas; i < kRecomprasAbertas; ++i) {
            NovaRecompra entrada;
            entrada.cd_cliente = codigos[i % codigos.size()];
            entrada.cd_troca = QStringLiteral("00001");
            entrada.vl_cheque = 100 + i % 900;
            entrada.vl_taxa = 3;
            entrada.dt_deposito = hoje().addDays(-(i % 365));
            entrada.dt_troca = entrada.dt_deposito.addDays(-30);
            incluiRecompra(db, entrada);
        }
        transaction.commit();
    }
    QSqlQuery abertos = runSql(db,
                               QStringLiteral("SELECT id FROM CHEQUES WHERE CD_STATUS = 'A' "
                                              "AND DT_DEPOSITO > ? ORDER BY id LIMIT 400"),
                               {storageDate(hoje())});
    while (abertos.next())
        data->abertos << abertos.value(0).toLongLong();
    runSql(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    for (int m = 0; m < 12; ++m)
        data->meses << QDate(2026, 1 + m, 1);

    bench::setUpSupervisor(data->context, data->folder.path(), data->dataFolder, data->clock,
                           data->dialogs);
    data->screens = std::make_unique<ScreenFactory>(data->context);
    data->context.screens = data->screens.get();
    data->screens->add(QStringLiteral("fbaixas"), [](Context& context, QWidget* parent) {
        return new fbaixas(context, parent);
    });
    data->screens->add(QStringLiteral("fbaixasperiodo"), [](Context& context, QWidget* parent) {
        return new fbaixas(context, parent, true);
    });
    data->screens->add(QStringLiteral("FRECOMPRA"), [](Context& context, QWidget* parent) {
        return new FRECOMPRA(context, parent);
    });
    const qlonglong devidos =
        scalarSql(db,
                  QStringLiteral("SELECT COUNT(*) FROM CHEQUES WHERE CD_STATUS = 'A' AND "
                                 "DT_DEPOSITO <= ?"),
                  {storageDate(hoje())})
            .toLongLong();
    std::printf("Cheques due on %s: %lld; open repurchase entries: %d.\n\n",
                qPrintable(formatDate(hoje())), devidos, kRecomprasAbertas);
}

}  // namespace

int main(int argc, char* argv[]) {
    tavrel::bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepareData();
    registerBenchmarks();
    tavrel::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    delete data;
    return 0;
}
