// "Gerar Troca" of a plan of 360 instalments on a main database of 1,000,000 cheques: the
// calculator screen itself (built offscreen, never shown) writing the plan's exchange and
// opening its finishing screen with the 360 rows in its grid; beside it the writing alone the
// program's way (the next number from the end of its index, every row in one transaction) and
// the old record-set way (the cheques walked in exchange order to the last one for the number,
// then one row saved at a time, each on its own).
// TAVREL_BENCH_DEMO names a demo folder to work on (its cheques.db is copied, the folder is only
// read); without it the demo generator makes TAVREL_BENCH_CHEQUES cheques (1,000,000).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/connection.h"
#include "data/sql.h"
#include "demo/demo_data.h"
#include "exchange/cheque_store.h"
#include "instalments/ffinalizatroca.h"
#include "instalments/fparcelas.h"
#include "instalments/parcelas.h"
#include "instalments/plano_store.h"
#include "instalments/troca_do_plano.h"
#include "offscreen.h"
#include "ratio_reporter.h"
#include "silent_dialogs.h"
#include "supervisor_context.h"
#include "ui/screen_factory.h"

namespace {

using namespace tavrel;

constexpr int kParcelas = 360;
const QDate kHoje(2026, 12, 9);

struct Data {
    QTemporaryDir folder;
    QString dataFolder;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<ChequeStore> store;
    Plano plano;
};

Data* data = nullptr;

Plano planoDe360() {
    TextosParcelas textos;
    textos.credito = QStringLiteral("250.000,00");
    textos.juros = QStringLiteral("1,2");
    textos.parcelas = QString::number(kParcelas);
    textos.st_cpmf = true;
    textos.vl_cpmf = QStringLiteral("0,0038");
    textos.st_iof = true;
    textos.vl_iof = QStringLiteral("0,0041");
    return std::get<Plano>(calculaPlano(textos));
}

QList<ChequeDoPlano> chequesDe360() {
    return chequesDoPlano(data->plano, {1, QStringLiteral("341"), QStringLiteral("0123"), {}},
                          kHoje, kHoje.addDays(30));
}

void removeTroca(const QString& troca) {
    runSql(data->connection->db(), QStringLiteral("DELETE FROM CHEQUES WHERE CD_TROCA = ?"),
           {troca});
}

// The old way: "select * from  CHEQUES order by CD_TROCA" read to its last row for the number,
// then each row added and saved on its own.
void GeraTrocaLiteral(benchmark::State& state) {
    const QSqlDatabase db = data->connection->db();
    for (auto _ : state) {
        QSqlQuery todas = runSql(db, QStringLiteral("select * from  CHEQUES order by CD_TROCA"));
        QString ultima;
        while (todas.next()) {
            ultima = todas.value(QStringLiteral("CD_TROCA")).toString();
        }
        todas.finish();
        const QString troca = formatCode(codeValue(ultima) + 1, code_width::kTroca);
        for (const ChequeDoPlano& c : chequesDe360()) {
            runSql(db,
                   QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, VL_TAXA, "
                                  "CD_DOCUMENTO, VL_CHEQUE, CD_BANCO, CD_AGENCIA, CD_CONTA, "
                                  "NR_CHEQUE, VL_ABERTO, DT_TROCA, NR_DIAS, VL_JUROS, DT_DEPOSITO, "
                                  "VL_CPMF, VL_IOF, VL_TAC, VL_CONSULTA, VL_DEBITOS, CD_STATUS, "
                                  "VL_LIQUIDEZ, CD_ALINEA, NM_EMITENTE) VALUES (?, ?, ?, ?, ?, ?, "
                                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '')"),
                   {troca,         c.cd_cliente,   c.cd_destino,
                    c.vl_taxa,     c.cd_documento, c.vl_cheque,
                    c.cd_banco,    c.cd_agencia,   c.cd_conta,
                    c.nr_cheque,   c.vl_aberto,    storageDate(c.dt_troca),
                    c.nr_dias,     c.vl_juros,     storageDate(c.dt_deposito),
                    c.vl_cpmf,     c.vl_iof,       c.vl_tac,
                    c.vl_consulta, c.vl_debitos,   c.cd_status,
                    c.vl_liquidez, c.cd_alinea});
        }
        state.PauseTiming();
        removeTroca(troca);
        state.ResumeTiming();
    }
}

// The program's way: the rows made from the plan and written under the next number in one
// transaction.
void GeraTrocaIndexed(benchmark::State& state) {
    for (auto _ : state) {
        const TrocaDoPlano troca = gravaTrocaDoPlano(*data->store, chequesDe360());
        state.PauseTiming();
        if (troca.ids.size() != kParcelas) {
            state.SkipWithError("the exchange was not written whole");
        }
        cancelaTrocaDoPlano(data->connection->db(), troca);
        state.ResumeTiming();
    }
}

// The operator's wait: "Gerar Troca" on the calculator with a calculated plan, up to the
// finishing screen showing the 360 cheques. The finishing screen cancels the exchange outside
// the timing.
void GeraTrocaNaTela(benchmark::State& state) {
    FixedClock clock(QDateTime(kHoje, QTime(10, 0)));
    bench::SilentDialogs dialogs;
    Context context;
    bench::setUpSupervisor(context, data->folder.path(), data->dataFolder, clock, dialogs);
    ScreenFactory screens(context);
    screens.add(QStringLiteral("ffinalizatroca"),
                [](Context& c, QWidget* parent) { return new ffinalizatroca(c, parent); });
    context.screens = &screens;
    fparcelas tela(context);
    auto campo = [&tela](const char* nome) {
        return tela.findChild<QLineEdit*>(QString::fromLatin1(nome));
    };
    campo("CREDITO")->setText(QStringLiteral("250.000,00"));
    campo("JUROS")->setText(QStringLiteral("1,2"));
    campo("PARCELAS")->setText(QString::number(kParcelas));
    campo("cd_banco")->setText(QStringLiteral("341"));
    campo("cd_agencia")->setText(QStringLiteral("0123"));
    tela.calcula();
    for (auto _ : state) {
        state.PauseTiming();
        campo("cheque")->setText(QStringLiteral("1"));
        campo("DT_INICIO")->setText(formatDate(kHoje.addDays(30)));
        state.ResumeTiming();
        tela.geraTroca();
        state.PauseTiming();
        ffinalizatroca* finalizacao = nullptr;
        for (QWidget* janela : QApplication::topLevelWidgets()) {
            if (auto* f = qobject_cast<ffinalizatroca*>(janela); f && f->aguardaCliente()) {
                finalizacao = f;
            }
        }
        if (finalizacao == nullptr || finalizacao->troca().ids.size() != kParcelas) {
            state.SkipWithError("no finishing screen with the 360 cheques");
            break;
        }
        finalizacao->cancela();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

void prepareData() {
    data = new Data;
    data->dataFolder = QDir(data->folder.path()).filePath(QStringLiteral("dados"));
    const QString demo = qEnvironmentVariable("TAVREL_BENCH_DEMO");
    const QString cheques = databaseFileName(DatabaseKind::Cheques);
    QElapsedTimer timer;
    timer.start();
    if (!demo.isEmpty()) {
        QDir().mkpath(data->dataFolder);
        std::printf("Copying %s...\n", qPrintable(QDir(demo).filePath(cheques)));
        std::fflush(stdout);
        if (!QFile::copy(QDir(demo).filePath(cheques), QDir(data->dataFolder).filePath(cheques))) {
            std::fprintf(stderr, "cannot copy the demo folder's %s\n", qPrintable(cheques));
            std::exit(1);
        }
    } else {
        const int fromEnvironment = qEnvironmentVariableIntValue("TAVREL_BENCH_CHEQUES");
        demo::DemoOptions options;
        options.folder = data->dataFolder;
        options.cheques = fromEnvironment > 0 ? fromEnvironment : 1000000;
        options.clients = 500;
        options.seed = 2026;
        options.today = kHoje;
        std::printf("Generating %d cheques...\n", options.cheques);
        std::fflush(stdout);
        demo::generateDemoData(options);
    }
    data->connection = std::make_unique<Connection>(QDir(data->dataFolder).filePath(cheques),
                                                    DatabaseKind::Cheques);
    runSql(data->connection->db(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    data->store = std::make_unique<ChequeStore>(data->connection->db());
    data->plano = planoDe360();
    std::printf("%lld cheques ready in %.1f s.\n\n",
                scalarSql(data->connection->db(), QStringLiteral("SELECT COUNT(*) FROM CHEQUES"))
                    .toLongLong(),
                static_cast<double>(timer.elapsed()) / 1000);
}

void registerBenchmarks() {
    // A walk over every row and 360 synced saves: a few rounds are enough.
    benchmark::RegisterBenchmark("GeraTroca/literal", GeraTrocaLiteral)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("GeraTroca/indexed", GeraTrocaIndexed)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(30);
    benchmark::RegisterBenchmark("GeraTroca/tela", GeraTrocaNaTela)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(30);
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
    reporter.printRatios();
    benchmark::Shutdown();
    delete data;
    return 0;
}
