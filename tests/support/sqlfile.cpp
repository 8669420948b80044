#include "sqlfile.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace TestSupport {

SqlFile::SqlFile(const QString& path, bool readOnly)
{
    // Unique among the files open at once.
    m_name = QStringLiteral("testsupport-sqlfile-%1").arg(reinterpret_cast<quintptr>(this));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000")
                                  : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    db.open();
}

SqlFile::~SqlFile()
{
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

QVariant SqlFile::value(const QString& sql) const
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (query.exec(sql) && query.next())
        return query.value(0);
    qWarning() << sql << query.lastError().text();
    return {};
}

QStringList SqlFile::column(const QString& sql) const
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql))
        return {QStringLiteral("failed: ") + sql};
    QStringList values;
    while (query.next())
        values.append(query.value(0).toString());
    return values;
}

bool SqlFile::exec(const QStringList& statements) const
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            qWarning() << statement << query.lastError().text();
            return false;
        }
    }
    return true;
}

QStringList SqlFile::damage() const
{
    QStringList found = column(QStringLiteral("PRAGMA integrity_check"));
    found.removeAll(QStringLiteral("ok"));
    return found + column(QStringLiteral("PRAGMA foreign_key_check"));
}

} // namespace TestSupport
