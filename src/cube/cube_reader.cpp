#include "cube/cube_reader.h"

#include <sqlite3.h>

#include <QFileInfo>

#include "core/errors.h"
#include "data/connection.h"
#include "data/schema.h"

namespace tavrel {
namespace {

// The columns read, in the order of the statement below.
const char* const kChequesSql =
    "SELECT CD_CLIENTE, CD_STATUS, VL_TAXA, NR_DIAS, CD_DOCUMENTO, DT_TROCA, DT_DEPOSITO, "
    "VL_CHEQUE, VL_IOF, VL_CPMF, VL_JUROS, VL_CUSTODIA, VL_ADVALOREM, VL_CONSULTA, VL_TAC "
    "FROM CHEQUES ORDER BY id";
constexpr int kFirstMeasureColumn = 7;  // the measures follow in the cube's order

// Rows between two progress reports.
constexpr long long kProgressStep = 8192;

class Database {
public:
    explicit Database(const QString& path) {
        const QByteArray file = path.toUtf8();
        if (sqlite3_open_v2(file.constData(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK) {
            const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
            sqlite3_close_v2(db_);
            db_ = nullptr;
            throw DataError(QStringLiteral("open %1").arg(path), message);
        }
        sqlite3_busy_timeout(db_, 5000);
    }
    ~Database() { sqlite3_close_v2(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(const char* sql) const {
        throw DataError(QString::fromUtf8(sql), QString::fromUtf8(sqlite3_errmsg(db_)));
    }
    void exec(const char* sql) const {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            fail(sql);
        }
    }

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(const Database& db, const char* sql) : db_(db), sql_(sql) {
        if (sqlite3_prepare_v2(db.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
            db.fail(sql);
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool next() {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) {
            return true;
        }
        if (result != SQLITE_DONE) {
            db_.fail(sql_);
        }
        return false;
    }
    std::string_view text(int column) const {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        if (bytes == nullptr) {
            return {};
        }
        return {bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
    }
    std::optional<double> number(int column) const {
        if (sqlite3_column_type(statement_, column) == SQLITE_NULL) {
            return std::nullopt;
        }
        return sqlite3_column_double(statement_, column);
    }
    long long integer(int column) const { return sqlite3_column_int64(statement_, column); }

private:
    const Database& db_;
    const char* sql_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace

std::optional<CubeData> readCubeSource(const QString& databasePath, ReadProgress* progress) {
    if (!QFileInfo::exists(databasePath)) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("Arquivo não encontrado: %1").arg(databasePath),
                       QStringLiteral("Banco de dados"));
    }
    Database db(databasePath);
    {
        Statement id(db, "PRAGMA application_id");
        if (!id.next() || id.integer(0) != applicationId(DatabaseKind::Cheques)) {
            throw AppError(error_number::kNotOurDatabase,
                           QStringLiteral("O arquivo %1 não é um banco de dados do sistema e não "
                                          "será alterado.")
                               .arg(databasePath),
                           QStringLiteral("Banco de dados"));
        }
    }

    // One read transaction: the clients and the cheques come from the same committed state.
    db.exec("BEGIN");
    CubeDataBuilder builder;
    {
        Statement count(db, "SELECT COUNT(*) FROM CHEQUES");
        const long long total = count.next() ? count.integer(0) : 0;
        if (progress != nullptr) {
            progress->total = total;
        }
        builder.reserve(static_cast<std::size_t>(total));
    }
    {
        Statement clients(db, "SELECT CD_CLIENTE, NM_CLIENTE FROM CLIENTES ORDER BY id");
        while (clients.next()) {
            const std::string_view name = clients.text(1);
            builder.addClient(clients.text(0),
                              QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
    }
    Statement cheques(db, kChequesSql);
    long long read = 0;
    SourceRow row;
    while (cheques.next()) {
        row.cliente = cheques.text(0);
        row.status = cheques.text(1);
        row.taxa = cheques.number(2);
        row.dias = cheques.number(3);
        row.documento = cheques.text(4);
        row.troca = cheques.text(5);
        row.deposito = cheques.text(6);
        for (int m = 0; m < kMeasureCount; ++m) {
            row.measures[m] = cheques.number(kFirstMeasureColumn + m);
        }
        builder.addCheque(row);
        if (++read % kProgressStep == 0 && progress != nullptr) {
            progress->read = read;
            if (progress->cancelled) {
                return std::nullopt;
            }
        }
    }
    if (progress != nullptr) {
        progress->read = read;
    }
    db.exec("COMMIT");
    return builder.finish();
}

}  // namespace tavrel
