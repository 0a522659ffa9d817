// The exchange's lookups on a generated main database of 1,000,000 cheques, each beside the
// same work done by reading the rows and walking them, as the old record-set screens did:
// liquidity, issuer history, the deposit date shift and the next exchange number. Then the
// whole of adding a cheque on the exchange screen: every lookup, the calculation, the insert and
// the grid reread.
// TAVREL_BENCH_CHEQUES sets another size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/connection.h"
#include "data/sql.h"
#include "demo/demo_data.h"
#include "exchange/cheque_store.h"
#include "exchange/feriados.h"
#include "exchange/ftroca.h"
#include "offscreen.h"
#include "ratio_reporter.h"
#include "silent_dialogs.h"
#include "supervisor_context.h"
#include "ui/screen_factory.h"

namespace {

using namespace tavrel;

// The generated database and what the benchmarks look up in it.
struct Data {
    QTemporaryDir folder;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<ChequeStore> store;
    std::unique_ptr<DatabaseHolidays> holidays;
    QStringList documents;  // a sample of the documents, as often as they write cheques
    QString busiest;        // the document with the most cheques
    int busiestCount = 0;
    QList<QDate> dates;  // deposit dates to shift, two years of them
};

Data* data = nullptr;

const QString& nextDocument(int& n) {
    return data->documents[n++ % data->documents.size()];
}

// --- liquidity ----------------------------------------------------------------------------

void CalculaLiquidezLiteral(benchmark::State& state, bool busiest) {
    int n = 0;
    for (auto _ : state) {
        const QString& documento = busiest ? data->busiest : nextDocument(n);
        QSqlQuery q = runSql(data->connection->db(),
                             QStringLiteral("select * from  CHEQUES where cd_documento=? "
                                            "order by nr_sequencial"),
                             {documento});
        int total = 0;
        int baixados = 0;
        while (q.next()) {
            ++total;
            baixados += q.value(QStringLiteral("CD_STATUS")).toString() == QLatin1String("B");
        }
        const float liquidez =
            total == 0 ? 100.0f : static_cast<float>(roundMoney(baixados * 100.0 / total));
        benchmark::DoNotOptimize(liquidez);
    }
}

void CalculaLiquidezIndexed(benchmark::State& state, bool busiest) {
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(data->store->liquidez(busiest ? data->busiest : nextDocument(n)));
    }
}

// --- issuer history -----------------------------------------------------------------------

void HistoricoEmitenteLiteral(benchmark::State& state, bool busiest) {
    int n = 0;
    for (auto _ : state) {
        const QString& documento = busiest ? data->busiest : nextDocument(n);
        QSqlQuery q = runSql(data->connection->db(),
                             QStringLiteral("select * from  CHEQUES where cd_documento=? "
                                            "order by nr_sequencial"),
                             {documento});
        QList<std::tuple<QString, double, QString>> rows;
        QString nome;
        while (q.next()) {
            if (rows.isEmpty()) {
                nome = q.value(QStringLiteral("NM_EMITENTE")).toString();
            }
            rows.append({q.value(QStringLiteral("NR_SEQUENCIAL")).toString(),
                         q.value(QStringLiteral("VL_CHEQUE")).toDouble(),
                         q.value(QStringLiteral("CD_STATUS")).toString()});
        }
        double acumulado = 0;
        double aberto = 0;
        const long long ultimo = rows.isEmpty() ? 0 : codeValue(std::get<0>(rows.last()));
        for (long long i = 0; i < ultimo && i < rows.size(); ++i) {
            acumulado += std::get<1>(rows[i]);
            aberto += std::get<2>(rows[i]) == QLatin1String("A") ? std::get<1>(rows[i]) : 0;
        }
        benchmark::DoNotOptimize(acumulado + aberto + static_cast<double>(ultimo));
    }
}

void HistoricoEmitenteIndexed(benchmark::State& state, bool busiest) {
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            data->store->historico(busiest ? data->busiest : nextDocument(n)).vl_acumulado);
    }
}

// --- deposit date shift -------------------------------------------------------------------

// The holidays source read whole, in date order, and searched row by row for the date.
class LiteralHolidays final : public HolidayLookup {
public:
    bool isHoliday(const QDate& date) const override {
        QSqlQuery q = runSql(data->connection->db(),
                             QStringLiteral("select * from  FERIADOS order by DT_FERIADO"));
        while (q.next()) {
            if (fromStorageDate(q.value(QStringLiteral("DT_FERIADO"))) == date) {
                return true;
            }
        }
        return false;
    }
};

void AjustaVencimentoLiteral(benchmark::State& state) {
    const LiteralHolidays holidays;
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AjustaVencimento(data->dates[n++ % data->dates.size()], holidays));
    }
}

void AjustaVencimentoIndexed(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            AjustaVencimento(data->dates[n++ % data->dates.size()], *data->holidays));
    }
}

// --- next exchange number -----------------------------------------------------------------

void ProximaTrocaLiteral(benchmark::State& state) {
    for (auto _ : state) {
        QSqlQuery q = runSql(data->connection->db(),
                             QStringLiteral("select * from  CHEQUES order by CD_TROCA"));
        QString last;
        while (q.next()) {
            last = q.value(QStringLiteral("CD_TROCA")).toString();
        }
        benchmark::DoNotOptimize(formatCode(codeValue(last) + 1, code_width::kTroca));
    }
}

void ProximaTrocaIndexed(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(data->store->proximaTroca().cd_troca);
    }
}

// --- adding a cheque on the exchange screen --------------------------------------------------

// The operator's whole round for one cheque: the document left (blacklist, client document,
// issuer history), the deposit date left (holiday shift), the value left (client limits), the
// account left (key), then "&ADICIONAR CHEQUE" (liquidity, history, calculation, insert, grid).
// A new exchange is started every 20 cheques, outside the timing.
void AdicionaChequeNaTela(benchmark::State& state) {
    FixedClock clock(QDateTime(QDate::currentDate(), QTime(10, 0)));
    bench::SilentDialogs dialogs;
    Context context;
    bench::setUpSupervisor(context, data->folder.path(),
                           QDir(data->folder.path()).filePath(QStringLiteral("dados")), clock,
                           dialogs);
    ScreenFactory screens(context);
    context.screens = &screens;
    FTROCA tela(context);
    auto campo = [&tela](const char* nome) {
        return tela.findChild<QLineEdit*>(QString::fromLatin1(nome));
    };
    auto novaTroca = [&] {
        tela.novo();
        auto* cliente = tela.findChild<QComboBox*>(QStringLiteral("NM_CLIENTE"));
        cliente->setCurrentIndex(0);
        emit cliente->activated(0);
        tela.saiCliente();
    };
    const QString deposito = formatDate(clock.today().addDays(30));
    int n = 0;
    for (auto _ : state) {
        if (n % 20 == 0) {
            state.PauseTiming();
            novaTroca();
            state.ResumeTiming();
        }
        campo("cd_documento")->setText(nextDocument(n));
        tela.saiDocumento();
        campo("dt_deposito")->setText(deposito);
        tela.saiVencimento();
        campo("vl_cheque")->setText(QStringLiteral("1234,56"));
        tela.saiValor();
        campo("cd_banco")->setText(QStringLiteral("001"));
        campo("cd_agencia")->setText(QStringLiteral("1234"));
        campo("cd_conta")->setText(QStringLiteral("0000054321"));
        tela.saiConta();
        tela.adicionaCheque();
    }
    state.counters["cheques"] = static_cast<double>(n);
}

void registerBenchmarks() {
    benchmark::RegisterBenchmark("CalculaLiquidez/literal", CalculaLiquidezLiteral, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("CalculaLiquidez/indexed", CalculaLiquidezIndexed, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("CalculaLiquidez/literal/busiest", CalculaLiquidezLiteral, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("CalculaLiquidez/indexed/busiest", CalculaLiquidezIndexed, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HistoricoEmitente/literal", HistoricoEmitenteLiteral, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HistoricoEmitente/indexed", HistoricoEmitenteIndexed, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HistoricoEmitente/literal/busiest", HistoricoEmitenteLiteral,
                                 true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("HistoricoEmitente/indexed/busiest", HistoricoEmitenteIndexed,
                                 true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("AjustaVencimento/literal", AjustaVencimentoLiteral)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("AjustaVencimento/indexed", AjustaVencimentoIndexed)
        ->Unit(benchmark::kMicrosecond);
    // A walk over every row: a few rounds are enough.
    benchmark::RegisterBenchmark("ProximaTroca/literal", ProximaTrocaLiteral)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("ProximaTroca/indexed", ProximaTrocaIndexed)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("AdicionaCheque/tela", AdicionaChequeNaTela)
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(400);
}

void prepareData(int cheques) {
    data = new Data;
    SystemClock clock;
    demo::DemoOptions options;
    options.folder = QDir(data->folder.path()).filePath(QStringLiteral("dados"));
    options.cheques = cheques;
    options.clients = 500;
    options.seed = 2026;
    options.today = clock.today();
    std::printf("Generating %d cheques...\n", cheques);
    std::fflush(stdout);
    const demo::DemoSummary summary = demo::generateDemoData(options);
    std::printf("Generated %d cheques in %d exchanges in %.1f s (demo data generator).\n",
                summary.cheques, summary.exchanges, summary.seconds);

    data->connection = std::make_unique<Connection>(
        QDir(options.folder).filePath(databaseFileName(DatabaseKind::Cheques)),
        DatabaseKind::Cheques);
    const QSqlDatabase db = data->connection->db();
    // The generator leaves its rows in the write-ahead log; fold them into the database now so
    // the first cheque added does not pay for that.
    runSql(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    data->store = std::make_unique<ChequeStore>(db);
    data->holidays = std::make_unique<DatabaseHolidays>(db);
    // About a thousand documents, drawn from the cheques, so the busy ones come up as often
    // as the exchange screen would meet them.
    QSqlQuery sample = runSql(db,
                              QStringLiteral("SELECT CD_DOCUMENTO FROM CHEQUES WHERE "
                                             "id % ? = 0 ORDER BY id"),
                              {std::max(1, cheques / 1000)});
    while (sample.next()) {
        data->documents << sample.value(0).toString();
    }
    QSqlQuery busiest =
        runSql(db, QStringLiteral("SELECT CD_DOCUMENTO, COUNT(*) FROM CHEQUES "
                                  "GROUP BY CD_DOCUMENTO ORDER BY COUNT(*) DESC LIMIT 1"));
    busiest.next();
    data->busiest = busiest.value(0).toString();
    data->busiestCount = busiest.value(1).toInt();
    for (int i = 0; i < 730; ++i) {
        data->dates << options.today.addDays(i);
    }
    std::printf("Documents sampled: %lld; busiest document has %d cheques.\n\n",
                static_cast<long long>(data->documents.size()), data->busiestCount);
}

}  // namespace

int main(int argc, char* argv[]) {
    tavrel::bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const int fromEnvironment = qEnvironmentVariableIntValue("TAVREL_BENCH_CHEQUES");
    prepareData(fromEnvironment > 0 ? fromEnvironment : 1000000);
    registerBenchmarks();
    tavrel::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    delete data;
    return 0;
}
