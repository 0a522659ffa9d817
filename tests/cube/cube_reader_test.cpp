// Reading the cube's source from a data folder's main database.
#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>

#include "core/errors.h"
#include "cube/cube_reader.h"
#include "data/sql.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class CubeReader : public test::AppFixture {
protected:
    void SetUp() override {
        exec(
            QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES "
                           "('00001', 'ANA'), ('00002', 'BRUNO')"));
        addCheque(QStringLiteral("00001"), 100, QStringLiteral("A"));
        addCheque(QStringLiteral("99999"), 1000, QStringLiteral("A"));  // no such client
        addCheque(QStringLiteral("00002"), 30, QStringLiteral("C"));
    }
    void addCheque(const QString& cliente, double valor, const QString& status,
                   const QVariant& juros = 1.25) {
        exec(QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, VL_CHEQUE, CD_STATUS, DT_TROCA, "
                            "DT_DEPOSITO, CD_DOCUMENTO, VL_TAXA, NR_DIAS, VL_JUROS, VL_IOF) "
                            "VALUES (?, ?, ?, '2026-12-01', '2027-01-04', '12345678909', 3.5, "
                            "34, ?, NULL)"),
             {cliente, valor, status, juros});
    }
    QString databasePath() const { return context.dataPath(QStringLiteral("cheques.db")); }
    QByteArray fileHash() const {
        QFile file(databasePath());
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
};

TEST_F(CubeReader, ReadsTheChequesOfRegisteredClientsInOrder) {
    ReadProgress progress;
    const std::optional<CubeData> data = readCubeSource(databasePath(), &progress);
    ASSERT_TRUE(data.has_value());
    ASSERT_EQ(data->rows, 2u);  // the cheque of client 99999 stays out
    EXPECT_EQ(progress.total, 3);
    EXPECT_EQ(progress.read, 3);
    const auto& clients = data->values[static_cast<int>(SourceColumn::Cliente)];
    const auto& clientOf = data->codes[static_cast<int>(SourceColumn::Cliente)];
    EXPECT_EQ(clients[clientOf[0]].text, QStringLiteral("ANA"));
    EXPECT_EQ(clients[clientOf[1]].key, QStringLiteral("00002"));
    EXPECT_EQ(data->measures[0], (std::vector<double>{100, 30}));
    EXPECT_EQ(data->measures[3], (std::vector<double>{1.25, 1.25}));
    // VL_IOF is NULL in both: kept as 0 and marked empty.
    EXPECT_EQ(data->empty[1], (std::vector<bool>{true, true}));
    EXPECT_TRUE(data->empty[0].empty());
    const auto& trocas = data->values[static_cast<int>(SourceColumn::Troca)];
    ASSERT_EQ(trocas.size(), 1u);
    EXPECT_EQ(trocas[0].kind, SourceValue::Kind::Date);
    EXPECT_EQ(trocas[0].number, double(QDate(2026, 12, 1).toJulianDay()));
}

TEST_F(CubeReader, NeverWritesAndDoesNotWaitForAWriter) {
    // Another connection is in the middle of a write.
    Connection writer = connect();
    runSql(writer.db(), QStringLiteral("BEGIN IMMEDIATE"));
    runSql(writer.db(),
           QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, VL_CHEQUE) VALUES ('00001', 5)"));
    const QByteArray before = fileHash();

    const std::optional<CubeData> data = readCubeSource(databasePath());
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->rows, 2u);  // the last committed state
    EXPECT_EQ(fileHash(), before);

    // The writer is not held up by the read either.
    runSql(writer.db(), QStringLiteral("COMMIT"));
    EXPECT_EQ(readCubeSource(databasePath())->rows, 3u);
}

TEST_F(CubeReader, RefusesAMissingOrForeignFile) {
    try {
        readCubeSource(context.dataPath(QStringLiteral("nada.db")));
        FAIL() << "a missing file was read";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), error_number::kFileNotFound);
    }
    // The cash database is ours, but not the main one.
    try {
        readCubeSource(context.dataPath(QStringLiteral("caixa.db")));
        FAIL() << "the cash database was read as the main one";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), error_number::kNotOurDatabase);
    }
}

TEST_F(CubeReader, StopsWhenCancelled) {
    exec(
        QStringLiteral("INSERT INTO CHEQUES (CD_CLIENTE, VL_CHEQUE) "
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < 20000) SELECT '00001', 1 FROM n"));
    ReadProgress progress;
    progress.cancelled = true;
    EXPECT_FALSE(readCubeSource(databasePath(), &progress).has_value());
    EXPECT_GT(progress.read, 0);
    EXPECT_LT(progress.read, 20003);
}

}  // namespace
}  // namespace tavrel
