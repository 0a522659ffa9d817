#include "data/connection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "core/errors.h"
#include "data/schema.h"
#include "data/sql.h"
#include "data/text_functions.h"

namespace tavrel {

QString databaseFileName(DatabaseKind kind) {
    switch (kind) {
        case DatabaseKind::Cheques:
            return QStringLiteral("cheques.db");
        case DatabaseKind::Caixa:
            return QStringLiteral("caixa.db");
        case DatabaseKind::Menu:
            return QStringLiteral("menu.db");
        case DatabaseKind::Tutorial:
            return QStringLiteral("tutorial.db");
    }
    return {};
}

namespace {

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tavrel-%1").arg(++counter);
}

}  // namespace

Connection::Connection(const QString& path, DatabaseKind kind, Mode mode)
    : name_(nextConnectionName()), path_(path), kind_(kind) {
    const bool exists = QFileInfo::exists(path);
    if (!exists && mode == Mode::OpenExisting) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("Arquivo não encontrado: %1").arg(path),
                       QStringLiteral("Banco de dados"));
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open()) {
            const QString message = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name_);
            throw DataError(QStringLiteral("open %1").arg(path), message);
        }
    }
    try {
        created_ = !exists;
        openSchema(db(), kind, created_);
        registerTextFunctions(db());
        // Reads through a memory map: a screen walking a million cheques would otherwise spend
        // as long in a system call per page as in SQLite itself.
        runSql(db(), QStringLiteral("PRAGMA mmap_size = 1073741824"));
    } catch (...) {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
        if (created_) {
            // Leave no half-made file behind: it would be refused as foreign on the next start.
            QFile::remove(path);
        }
        throw;
    }
}

Connection::Connection(Connection&& other) noexcept
    : name_(std::move(other.name_)),
      path_(std::move(other.path_)),
      kind_(other.kind_),
      created_(other.created_) {
    other.name_.clear();
}

Connection::~Connection() {
    if (name_.isEmpty()) {
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen()) {
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase Connection::db() const {
    return QSqlDatabase::database(name_, false);
}

}  // namespace tavrel
