#pragma once

#include <QSqlDatabase>

namespace tavrel {

// Begins a transaction; commit() makes it permanent, otherwise the destructor rolls it back.
// A change that touches several rows or tables runs inside one of these.
class TransactionGuard {
public:
    // Deferred takes the write lock at the first write; Immediate takes it at once (waiting for
    // another writer up to the busy timeout), so what the transaction reads cannot be changed
    // by another connection before it writes.
    enum class Lock { Deferred, Immediate };

    explicit TransactionGuard(QSqlDatabase db, Lock lock = Lock::Deferred);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    void commit();  // throws DataError when the commit fails

private:
    QSqlDatabase db_;
    bool done_ = false;
};

}  // namespace tavrel
