#include "data/connection.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <optional>

#include "core/errors.h"
#include "data/open_failure.h"
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

// The files SQLite keeps beside a database: its write-ahead log and the log's index, or the
// rollback journal.
const char* const kSideSuffixes[] = {"-wal", "-shm", "-journal"};

QList<bool> sideFilesPresent(const QString& path) {
    QList<bool> present;
    for (const char* suffix : kSideSuffixes) {
        present << QFileInfo::exists(path + QLatin1String(suffix));
    }
    return present;
}

// After a failed open: the side files this open created and left empty (a full disk does) are
// removed. A side file that was there before, or that holds anything, is never touched.
void removeEmptySideFilesCreated(const QString& path, const QList<bool>& presentBefore) {
    for (int i = 0; i < presentBefore.size(); ++i) {
        const QString side = path + QLatin1String(kSideSuffixes[i]);
        const QFileInfo info(side);
        if (!presentBefore[i] && info.exists() && info.size() == 0) {
            QFile::remove(side);
        }
    }
}

// The failure of an open, in the words the operator can act on when there are such words.
[[noreturn]] void throwOpenFailure(const QString& path, const DataError& error) {
    if (const std::optional<AppError> explained = explainOpenFailure(path, error)) {
        throw *explained;
    }
    throw error;
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
    created_ = !exists;
    const QList<bool> sideFilesBefore = sideFilesPresent(path);
    auto abandon = [&] {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            if (db.isOpen()) {
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(name_);
        if (created_) {
            // Leave no half-made file behind: it would be refused as foreign on the next start.
            QFile::remove(path);
        }
        removeEmptySideFilesCreated(path, sideFilesBefore);
    };
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
            db.setDatabaseName(path);
            if (!db.open()) {
                throw DataError(QStringLiteral("open %1").arg(path), db.lastError().text(),
                                error_number::kDatabase, db.lastError().nativeErrorCode());
            }
        }
        openSchema(db(), kind, created_);
        registerTextFunctions(db());
        // Reads through a memory map: a screen walking a million cheques would otherwise spend
        // as long in a system call per page as in SQLite itself.
        runSql(db(), QStringLiteral("PRAGMA mmap_size = 1073741824"));
    } catch (const DataError& error) {
        abandon();
        throwOpenFailure(path, error);
    } catch (...) {
        abandon();
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
