// The next code of a register: the highest code by its number (which keeps counting past the
// code's width) beside the last code in text order (one probe of the code's index, which stops
// at "1000" after "999"). Measured on the repurchase entries, the register with the most rows,
// at 1,000, 20,000 (a million-cheque history) and 200,000 codes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "data/codes.h"
#include "data/connection.h"
#include "data/data_folder.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace {

using namespace tavrel;

struct Folder {
    QTemporaryDir dir;
    std::unique_ptr<Connection> connection;
};

// One data folder per size, made once: RECOMPRA holding codes 1 to `codes`.
Connection& repurchases(int codes) {
    static std::map<int, std::unique_ptr<Folder>> folders;
    std::unique_ptr<Folder>& folder = folders[codes];
    if (!folder) {
        folder = std::make_unique<Folder>();
        prepareDataFolder(folder->dir.path());
        folder->connection = std::make_unique<Connection>(
            folder->dir.filePath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
        const QSqlDatabase db = folder->connection->db();
        TransactionGuard transaction(db);
        for (int i = 1; i <= codes; ++i) {
            runSql(db,
                   QStringLiteral("INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, VL_CHEQUE, "
                                  "CD_STATUS) VALUES (?, '00001', 100, 'A')"),
                   {formatCode(i, code_width::kLancamento)});
        }
        transaction.commit();
    }
    return *folder->connection;
}

void NextCodeByNumber(benchmark::State& state) {
    const QSqlDatabase db = repurchases(static_cast<int>(state.range(0))).db();
    for (auto _ : state) {
        benchmark::DoNotOptimize(nextCode(db, QStringLiteral("RECOMPRA"),
                                          QStringLiteral("CD_lancamento"),
                                          code_width::kLancamento));
    }
}
BENCHMARK(NextCodeByNumber)->Arg(1000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMicrosecond);

void LastCodeInTextOrder(benchmark::State& state) {
    const QSqlDatabase db = repurchases(static_cast<int>(state.range(0))).db();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            scalarSql(db, QStringLiteral("SELECT CD_lancamento FROM RECOMPRA WHERE CD_lancamento "
                                         "IS NOT NULL ORDER BY CD_lancamento DESC LIMIT 1")));
    }
}
BENCHMARK(LastCodeInTextOrder)->Arg(1000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
