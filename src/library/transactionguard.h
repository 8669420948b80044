#pragma once

#include <QSqlDatabase>

namespace Library {

class Store;

// One write transaction of a Store. BEGIN IMMEDIATE takes the write lock at once, so a write never
// fails half-way on a lock upgrade. Rolled back unless committed; a commit emits Store::changed().
// Failures are recorded as the store's lastError().
class TransactionGuard
{
public:
    explicit TransactionGuard(const Store& store);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    bool begun() const { return m_begun; }
    bool commit();

private:
    const Store& m_store;
    QSqlDatabase m_db;
    bool m_begun = false;
    bool m_finished = false;
};

} // namespace Library
