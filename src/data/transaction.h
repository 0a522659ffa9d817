#pragma once

#include <QSqlDatabase>

namespace tavrel {

// Begins a transaction; commit() makes it permanent, otherwise the destructor rolls it back.
// A change that touches several rows or tables runs inside one of these.
class TransactionGuard {
public:
    explicit TransactionGuard(QSqlDatabase db);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    void commit();  // throws DataError when the commit fails

private:
    QSqlDatabase db_;
    bool done_ = false;
};

}  // namespace tavrel
