// The cash ledger on 200,000 entries, 100,000 of them in one account, measured on the entries
// screen itself (built offscreen, never shown): a back-dated entry that moves every balance of
// the big account, an entry dated today, and choosing the account (totals and the first lines
// of the grid). Beside them, on an account of 2,000 entries, a back-dated entry written the old
// way (the entry saved, then every balance saved one row at a time outside any transaction)
// and the program's way, as a ratio.
// TAVREL_BENCH_LANCAMENTOS sets another size (half of it in the big account).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "core/errors.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/connection.h"
#include "data/data_folder.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "ledger/flancamentos.h"
#include "ledger/lancamento_store.h"
#include "ledger/saldos.h"
#include "offscreen.h"
#include "ratio_reporter.h"
#include "silent_dialogs.h"
#include "supervisor_context.h"
#include "ui/screen_factory.h"

namespace {

using namespace tavrel;

const QString kGrande = QStringLiteral("001");   // half of the entries
const QString kPequena = QStringLiteral("006");  // 2,000 entries
const QDate kHoje(2026, 12, 8);

struct Data {
    QTemporaryDir folder;
    QString dataFolder;
    std::unique_ptr<Connection> caixa;
    FixedClock clock{QDateTime(kHoje, QTime(10, 0))};
    bench::SilentDialogs dialogs;
    Context context;
    std::unique_ptr<ScreenFactory> screens;
    std::unique_ptr<flancamentos> tela;
};

Data* data = nullptr;

// Entries of one account, one or a few a day up to yesterday, credits and debits.
void geraLancamentos(const QString& conta, int quantos, long long& codigo) {
    QSqlQuery insert(data->caixa->db());
    insert.prepare(QStringLiteral(
        "INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, CD_HISTORICO, DS_complemento, "
        "VL_LANCAMENTO, DT_LANCAMENTO, CD_STATUS) VALUES (:codigo, :conta, :historico, "
        ":nota, :valor, :data, :status)"));
    const QDate inicio = kHoje.addDays(-1500);
    for (int i = 0; i < quantos; ++i) {
        const bool credito = i % 3 != 1;
        insert.bindValue(QStringLiteral(":codigo"), formatCode(++codigo, 10));
        insert.bindValue(QStringLiteral(":conta"), conta);
        insert.bindValue(QStringLiteral(":historico"),
                         credito ? QStringLiteral("00001") : QStringLiteral("00002"));
        insert.bindValue(QStringLiteral(":nota"), QStringLiteral("LANÇAMENTO %1").arg(i));
        insert.bindValue(QStringLiteral(":valor"), 10.0 + (i * 37 % 10000) / 100.0);
        insert.bindValue(QStringLiteral(":data"),
                         storageDate(inicio.addDays(static_cast<qint64>(i) * 1499 / quantos)));
        insert.bindValue(QStringLiteral(":status"),
                         credito ? QStringLiteral("C") : QStringLiteral("D"));
        if (!insert.exec()) {
            throw DataError(insert.lastQuery(), insert.lastError().text());
        }
    }
}

void prepareData(int total) {
    data = new Data;
    data->dataFolder = QDir(data->folder.path()).filePath(QStringLiteral("dados"));
    QDir().mkpath(data->dataFolder);
    prepareDataFolder(data->dataFolder);
    data->caixa = std::make_unique<Connection>(
        QDir(data->dataFolder).filePath(databaseFileName(DatabaseKind::Caixa)),
        DatabaseKind::Caixa);
    const QSqlDatabase db = data->caixa->db();
    std::printf("Generating %d ledger entries...\n", total);
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    {
        TransactionGuard transaction(db);
        runSql(db, QStringLiteral("INSERT INTO HISTORICOS (CD_HISTORICO, DS_HISTORICO, CD_TIPO) "
                                  "VALUES ('00001', 'ENTRADA', 'C'), ('00002', 'SAIDA', 'D')"));
        const QStringList nomes = {"CAIXA GERAL", "BANCO A", "BANCO B",
                                   "BANCO C",     "BANCO D", "CAIXA PEQUENO"};
        for (int i = 0; i < nomes.size(); ++i) {
            runSql(db, QStringLiteral("INSERT INTO CONTAS (CD_CONTA, DS_CONTA) VALUES (?, ?)"),
                   {formatCode(i + 1, 3), nomes[i]});
        }
        long long codigo = 0;
        const int pequena = 2000;
        const int grande = total / 2;
        const int resto = total - grande - pequena;
        geraLancamentos(kGrande, grande, codigo);
        for (int conta = 2; conta <= 5; ++conta) {
            geraLancamentos(formatCode(conta, 3), resto / 4 + (conta == 5 ? resto % 4 : 0), codigo);
        }
        geraLancamentos(kPequena, pequena, codigo);
        transaction.commit();
    }
    const qint64 inseridos = timer.restart();
    LancamentoStore store(db);
    int saldos = 0;
    for (int conta = 1; conta <= 6; ++conta) {
        saldos += store.rebalanceia(formatCode(conta, 3)).saldosGravados;
    }
    std::printf(
        "Inserted %d entries in %.1f s; first balances of all six accounts (%d rows) "
        "written in %.1f s.\n",
        total, inseridos / 1000.0, saldos, timer.elapsed() / 1000.0);
    runSql(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));

    Context& context = data->context;
    bench::setUpSupervisor(context, data->folder.path(), data->dataFolder, data->clock,
                           data->dialogs);
    data->screens = std::make_unique<ScreenFactory>(context);
    context.screens = data->screens.get();
    data->tela = std::make_unique<flancamentos>(context);
}

// --- on the screen ---------------------------------------------------------------------------

void escolheConta(const QString& conta) {
    auto* lista = data->tela->findChild<QListWidget*>(QStringLiteral("cd_conta"));
    for (int i = 0; i < lista->count(); ++i) {
        if (lista->item(i)->data(Qt::UserRole).toString() == conta) {
            lista->setCurrentRow(i);
            return;
        }
    }
}

// What the grid reads to paint its first lines.
void leiaPrimeirasLinhas() {
    auto* grid = data->tela->findChild<QTableView*>(QStringLiteral("GridEX1"));
    QAbstractItemModel* model = grid->model();
    for (int row = 0; row < std::min(30, model->rowCount()); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            benchmark::DoNotOptimize(model->index(row, column).data());
        }
    }
}

void digita(const QDate& dia) {
    flancamentos& tela = *data->tela;
    tela.findChild<QComboBox*>(QStringLiteral("DS_CONTA"))->setCurrentIndex(0);
    tela.findChild<QLineEdit*>(QStringLiteral("VL_LANCAMENTO"))->setText(QStringLiteral("12,34"));
    tela.findChild<QLineEdit*>(QStringLiteral("dt_lancamento"))->setText(formatDate(dia));
}

qint64 ultimoId() {
    return scalarSql(data->caixa->db(), QStringLiteral("SELECT MAX(id) FROM LANCAMENTOS"))
        .toLongLong();
}

// "&Incluir" on the screen: the checks, the entry and the account's balances in one
// transaction, the grid and the totals read again. The entry is deleted again outside the
// timing (which moves the balances back).
void Incluir(benchmark::State& state, const QString& conta, QDate dia) {
    escolheConta(conta);
    LancamentoStore store(data->caixa->db());
    for (auto _ : state) {
        state.PauseTiming();
        digita(dia);
        state.ResumeTiming();
        data->tela->incluir();
        leiaPrimeirasLinhas();
        state.PauseTiming();
        store.exclui(ultimoId());
        state.ResumeTiming();
    }
}

// Choosing the account in the list: the totals and the first lines of the grid.
void AbreConta(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        escolheConta(kPequena);
        state.ResumeTiming();
        escolheConta(kGrande);
        leiaPrimeirasLinhas();
    }
}

// --- the old way -----------------------------------------------------------------------------

// The entry saved on its own, then the totals walked over the account in code order, then
// every balance saved one row at a time with no transaction around them, then the grid read
// again in full.
void IncluirLiteral(benchmark::State& state) {
    const QSqlDatabase db = data->caixa->db();
    const QString conta = kPequena;
    const QDate dia = kHoje.addDays(-2000);
    for (auto _ : state) {
        const QString codigo =
            nextCode(db, QStringLiteral("LANCAMENTOS"), QStringLiteral("CD_lancamento"), 10);
        runSql(db,
               QStringLiteral("INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, CD_HISTORICO, "
                              "VL_LANCAMENTO, DT_LANCAMENTO, CD_STATUS) "
                              "VALUES (?, ?, '00001', 12.34, ?, 'C')"),
               {codigo, conta, storageDate(dia)});
        {
            std::vector<Movimento> movimentos;
            QSqlQuery porCodigo =
                runSql(db,
                       QStringLiteral(
                           "select * from  lancamentos where cd_conta=? order by cd_lancamento"),
                       {conta});
            while (porCodigo.next()) {
                movimentos.push_back(
                    {porCodigo.value(QStringLiteral("VL_LANCAMENTO")).toDouble(),
                     sentidoDoStatus(porCodigo.value(QStringLiteral("CD_STATUS")).toString())});
            }
            benchmark::DoNotOptimize(AtualizaPosicao(movimentos));
        }
        QList<qint64> ids;
        std::vector<Movimento> movimentos;
        {
            QSqlQuery porData = runSql(db,
                                       QStringLiteral("select * from  lancamentos where "
                                                      "cd_conta=? order by dt_lancamento, "
                                                      "cd_lancamento"),
                                       {conta});
            while (porData.next()) {
                ids << porData.value(QStringLiteral("id")).toLongLong();
                movimentos.push_back(
                    {porData.value(QStringLiteral("VL_LANCAMENTO")).toDouble(),
                     sentidoDoStatus(porData.value(QStringLiteral("CD_STATUS")).toString())});
            }
        }
        const std::vector<double> saldos = RecalculaSaldos(movimentos);
        for (int i = 0; i < ids.size(); ++i) {
            runSql(db, QStringLiteral("UPDATE LANCAMENTOS SET VL_SALDO = ? WHERE id = ?"),
                   {saldos[static_cast<size_t>(i)], ids[i]});
        }
        {
            QSqlQuery grade =
                runSql(db,
                       QStringLiteral("SELECT  * FROM LANCAMENTOS INNER JOIN HISTORICOS ON "
                                      "LANCAMENTOS.CD_hISTORICO = HISTORICOS.CD_HISTORICO where "
                                      "cd_conta=?  order by dt_lancamento,cd_lancamento "),
                       {conta});
            while (grade.next()) {
                benchmark::DoNotOptimize(grade.value(0));
            }
        }
        state.PauseTiming();
        LancamentoStore(db).exclui(ultimoId());
        state.ResumeTiming();
    }
}

void registerBenchmarks() {
    benchmark::RegisterBenchmark("Incluir/retroativo/100000", Incluir, kGrande,
                                 kHoje.addDays(-2000))
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("Incluir/hoje/100000", Incluir, kGrande, kHoje)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("AbreConta/100000", AbreConta)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("Incluir2000/literal", IncluirLiteral)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("Incluir2000/indexed", Incluir, kPequena, kHoje.addDays(-2000))
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
}

}  // namespace

int main(int argc, char* argv[]) {
    tavrel::bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const int fromEnvironment = qEnvironmentVariableIntValue("TAVREL_BENCH_LANCAMENTOS");
    prepareData(fromEnvironment > 4000 ? fromEnvironment : 200000);
    registerBenchmarks();
    tavrel::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    delete data;
    return 0;
}
