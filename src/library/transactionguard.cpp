#include "transactionguard.h"

#include "store.h"

#include <QSqlQuery>

namespace Library {

TransactionGuard::TransactionGuard(const Store& store) : m_store(store), m_db(store.database())
{
    QSqlQuery begin(m_db);
    m_begun = begin.exec(QStringLiteral("BEGIN IMMEDIATE")) || store.fail(begin);
}

TransactionGuard::~TransactionGuard()
{
    if (m_begun && !m_finished)
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
}

bool TransactionGuard::commit()
{
    QSqlQuery commit(m_db);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return m_store.fail(commit);
    m_finished = true;
    Q_EMIT const_cast<Store&>(m_store).changed();
    return true;
}

} // namespace Library
