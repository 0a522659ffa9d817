#include "data/transaction.h"

#include <QSqlError>

#include "core/errors.h"
#include "data/sql.h"

namespace tavrel {

TransactionGuard::TransactionGuard(QSqlDatabase db, Lock lock) : db_(std::move(db)) {
    if (lock == Lock::Immediate) {
        // The driver's transaction() says BEGIN only; its commit() and rollback() end either.
        runSql(db_, QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    if (!db_.transaction()) {
        throw DataError(QStringLiteral("BEGIN"), db_.lastError().text(), error_number::kDatabase,
                        db_.lastError().nativeErrorCode());
    }
}

TransactionGuard::~TransactionGuard() {
    if (!done_) {
        db_.rollback();
    }
}

void TransactionGuard::commit() {
    if (!db_.commit()) {
        throw DataError(QStringLiteral("COMMIT"), db_.lastError().text(), error_number::kDatabase,
                        db_.lastError().nativeErrorCode());
    }
    done_ = true;
}

}  // namespace tavrel
