#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSqlRecord>

#include "core/errors.h"
#include "data/codes.h"
#include "data/data_folder.h"
#include "data/schema.h"
#include "data/sql.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DataFolder, CreatesTheFourDatabasesOnceWithTheirFirstRows) {
    QTemporaryDir folder;
    const QStringList created = prepareDataFolder(folder.path()).createdDatabases;
    EXPECT_EQ(created, (QStringList{"cheques.db", "caixa.db", "menu.db", "tutorial.db"}));
    EXPECT_TRUE(prepareDataFolder(folder.path()).createdDatabases.isEmpty())
        << "second run creates nothing";

    Connection cheques(QDir(folder.path()).filePath("cheques.db"), DatabaseKind::Cheques);
    EXPECT_EQ(scalarSql(cheques.db(), "SELECT COUNT(*) FROM CONFIG").toInt(), 1);
    EXPECT_EQ(scalarSql(cheques.db(), "SELECT st_tac + vl_tac + cr_numerodias + vl_iof FROM CONFIG")
                  .toDouble(),
              0.0);
    EXPECT_EQ(scalarSql(cheques.db(), "PRAGMA journal_mode").toString(), "wal");

    Connection menu(QDir(folder.path()).filePath("menu.db"), DatabaseKind::Menu);
    QSqlQuery query = runSql(menu.db(),
                             "SELECT GRUPO, OPCAO, opcoes, descricao FROM CONFIG "
                             "ORDER BY GRUPO, OPCAO");
    QList<int> groupSizes(8, 0);
    int rows = 0;
    while (query.next()) {
        ++rows;
        const int grupo = query.value(0).toInt();
        ASSERT_GE(grupo, 1);
        ASSERT_LE(grupo, 7);
        EXPECT_EQ(query.value(1).toInt(), ++groupSizes[grupo]) << "positions count from 1";
        EXPECT_FALSE(query.value(3).toString().isEmpty());
    }
    EXPECT_EQ(rows, 21);
    EXPECT_EQ(groupSizes, (QList<int>{0, 3, 6, 3, 3, 2, 3, 1}));
    EXPECT_EQ(scalarSql(menu.db(), "SELECT descricao FROM CONFIG WHERE GRUPO = 2 AND OPCAO = 1")
                  .toString(),
              "Troca de Cheques");
}

TEST(DataFolder, EveryColumnIsThereWhateverTheCase) {
    QTemporaryDir folder;
    prepareDataFolder(folder.path());
    Connection cheques(QDir(folder.path()).filePath("cheques.db"), DatabaseKind::Cheques);
    const QSqlRecord record = cheques.db().record("CHEQUES");
    for (const char* column :
         {"CD_TROCA",      "CD_CLIENTE",   "CD_DESTINO",  "VL_TAXA",     "CD_DOCUMENTO",
          "NR_SEQUENCIAL", "VL_CHEQUE",    "CD_BANCO",    "CD_AGENCIA",  "CD_CONTA",
          "NR_CHEQUE",     "VL_ACUMULADO", "VL_ABERTO",   "DT_TROCA",    "NR_DIAS",
          "VL_JUROS",      "DT_DEPOSITO",  "VL_CPMF",     "VL_CUSTODIA", "VL_ADVALOREM",
          "VL_IOF",        "VL_TAC",       "VL_CONSULTA", "VL_DEBITOS",  "CD_STATUS",
          "VL_LIQUIDEZ",   "CD_ALINEA",    "NM_EMITENTE", "CD_CHAVE",    "VL_LIQUIDO"}) {
        EXPECT_TRUE(record.contains(QString::fromLatin1(column))) << column;
    }
    // Columns are spelled several ways by the screens.
    runSql(cheques.db(), "INSERT INTO cheques (cd_troca, VL_LIQUIDo) VALUES ('00001', 10)");
    EXPECT_EQ(scalarSql(cheques.db(), "SELECT vl_tac FROM CHEQUES").toDouble(), 0.0);
    EXPECT_EQ(scalarSql(cheques.db(), "SELECT cd_alinea FROM CHEQUES").toString(), "000");
}

TEST(DataFolder, RefusesAForeignFileAndLeavesItUntouched) {
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("cheques.db");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("these are not the cheques you are looking for\n");
    }
    const QByteArray before = readAll(path);
    try {
        prepareDataFolder(folder.path());
        FAIL() << "a foreign file was accepted";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), error_number::kNotOurDatabase);
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_FALSE(QFile::exists(QDir(folder.path()).filePath("caixa.db")));
}

TEST(DataFolder, RefusesAnotherProgramsSqliteDatabase) {
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("cheques.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        runSql(db, "CREATE TABLE notes (text TEXT)");
        db.close();
    }
    QSqlDatabase::removeDatabase("foreign");
    const QByteArray before = readAll(path);
    EXPECT_THROW(prepareDataFolder(folder.path()), AppError);
    EXPECT_EQ(readAll(path), before);
}

TEST(DataFolder, RefusesAMissingFolderAndAMissingFile) {
    EXPECT_THROW(prepareDataFolder("/no/such/folder"), AppError);
    QTemporaryDir folder;
    try {
        Connection missing(QDir(folder.path()).filePath("cheques.db"), DatabaseKind::Cheques);
        FAIL() << "a missing file was opened";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), error_number::kFileNotFound);
    }
    EXPECT_FALSE(QFile::exists(QDir(folder.path()).filePath("cheques.db")));
}

TEST(DataFolder, DatabasesOfOneKindAreNotTakenForAnother) {
    QTemporaryDir folder;
    prepareDataFolder(folder.path());
    EXPECT_THROW(Connection(QDir(folder.path()).filePath("caixa.db"), DatabaseKind::Cheques),
                 AppError);
}

TEST(DataFolder, CashDatabaseOfVersionOneGainsTheLedgerIndex) {
    QTemporaryDir folder;
    prepareDataFolder(folder.path());
    const QString path = QDir(folder.path()).filePath("caixa.db");
    {
        // Back to version 1 as older programs left it, with one entry.
        Connection caixa(path, DatabaseKind::Caixa);
        EXPECT_EQ(scalarSql(caixa.db(), "PRAGMA user_version").toInt(),
                  currentSchemaVersion(DatabaseKind::Caixa));
        runSql(caixa.db(), "DROP INDEX lancamentos_conta_data");
        for (const char* later : {"lancamentos_numero", "contas_numero", "historicos_numero"})
            runSql(caixa.db(), QStringLiteral("DROP INDEX ") + QLatin1String(later));
        runSql(caixa.db(),
               "CREATE INDEX lancamentos_conta ON LANCAMENTOS (CD_CONTA, DT_LANCAMENTO)");
        runSql(caixa.db(),
               "INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, VL_LANCAMENTO, DT_LANCAMENTO, "
               "CD_STATUS, VL_SALDO) VALUES ('0000000001', '001', 5, '2026-12-01', 'C', 5)");
        runSql(caixa.db(), "PRAGMA user_version = 1");
    }
    Connection caixa(path, DatabaseKind::Caixa);
    EXPECT_EQ(scalarSql(caixa.db(), "PRAGMA user_version").toInt(),
              currentSchemaVersion(DatabaseKind::Caixa));
    EXPECT_EQ(scalarSql(caixa.db(), "SELECT COUNT(*) FROM sqlite_master WHERE name = ?",
                        {"lancamentos_conta"})
                  .toInt(),
              0);
    QStringList columns;
    QSqlQuery info = runSql(caixa.db(), "PRAGMA index_info(lancamentos_conta_data)");
    while (info.next())
        columns << info.value(2).toString();
    EXPECT_EQ(columns, (QStringList{"CD_CONTA", "DT_LANCAMENTO", "CD_lancamento", "CD_STATUS",
                                    "VL_LANCAMENTO"}));
    // The walk in (date, code) order reads the index, with no sort of its own.
    QSqlQuery plan = runSql(caixa.db(),
                            "EXPLAIN QUERY PLAN SELECT id, VL_LANCAMENTO, CD_STATUS, VL_SALDO "
                            "FROM LANCAMENTOS WHERE CD_CONTA = ? "
                            "ORDER BY DT_LANCAMENTO, CD_lancamento",
                            {"001"});
    QString steps;
    while (plan.next())
        steps += plan.value(3).toString() + "\n";
    EXPECT_TRUE(steps.contains("lancamentos_conta_data")) << steps.toStdString();
    EXPECT_FALSE(steps.contains("TEMP B-TREE")) << steps.toStdString();
    EXPECT_EQ(scalarSql(caixa.db(), "SELECT VL_SALDO FROM LANCAMENTOS").toDouble(), 5.0);
}

TEST(DataFolder, TheNextCodeOfEveryRegisterIsOneProbeOfAnIndex) {
    QTemporaryDir folder;
    prepareDataFolder(folder.path());
    const struct {
        DatabaseKind kind;
        const char* table;
        const char* column;
    } registers[] = {
        {DatabaseKind::Cheques, "RECOMPRA", "CD_lancamento"},
        {DatabaseKind::Cheques, "CLIENTES", "CD_CLIENTE"},
        {DatabaseKind::Cheques, "USUARIOS", "CD_usuario"},
        {DatabaseKind::Caixa, "LANCAMENTOS", "CD_lancamento"},
        {DatabaseKind::Caixa, "CONTAS", "CD_CONTA"},
        {DatabaseKind::Caixa, "HISTORICOS", "CD_HISTORICO"},
    };
    for (const auto& r : registers) {
        Connection connection(QDir(folder.path()).filePath(databaseFileName(r.kind)), r.kind);
        // The statement nextCode runs.
        QSqlQuery plan = runSql(connection.db(),
                                QStringLiteral("EXPLAIN QUERY PLAN SELECT %1 FROM %2 WHERE %1 IS "
                                               "NOT NULL ORDER BY LENGTH(%1) DESC, %1 DESC LIMIT 1")
                                    .arg(QLatin1String(r.column), QLatin1String(r.table)));
        QString steps;
        while (plan.next())
            steps += plan.value(3).toString() + "\n";
        EXPECT_TRUE(steps.contains("_numero")) << r.table << ": " << steps.toStdString();
        EXPECT_FALSE(steps.contains("TEMP B-TREE")) << r.table << ": " << steps.toStdString();
    }
}

}  // namespace
}  // namespace tavrel
