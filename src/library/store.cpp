#include "store.h"

#include "transactionguard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <atomic>

namespace Library {

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("veltqorv-store-%1").arg(++counter);
}

} // namespace

Store::Store(QObject* parent) : QObject(parent), m_connection(nextConnectionName()) {}

Store::~Store()
{
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString Store::defaultPath()
{
    // Named explicitly rather than through AppLocalDataLocation, which would also take in the
    // organisation name when one is set.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/VeltQorv/db.store");
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool Store::fail(const QSqlQuery& query) const
{
    return fail(query.lastError().text());
}

bool Store::fail(const QString& message) const
{
    m_lastError = message;
    return false;
}

bool Store::refuseOpen(const QString& reason)
{
    m_errorMessage = tr("The download library “%1” cannot be opened: %2. The file has been "
                        "left as it is.")
                         .arg(QDir::toNativeSeparators(m_path), reason);
    m_lastError = reason;
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = database();
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_lock.reset();
    m_open = false;
    return false;
}

bool Store::open(const QString& path)
{
    if (m_open)
        return fail(tr("the store is open already"));
    m_path = path;
    m_errorMessage.clear();
    if (path.isEmpty())
        return refuseOpen(tr("no file was named"));

    // Whatever SQLite would do with a file that is not ours, nothing may be written to it, so
    // the header is checked before SQLite sees the file.
    const QFileInfo info(path);
    if (info.exists()) {
        if (info.isDir())
            return refuseOpen(tr("it is a folder"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return refuseOpen(tr("it cannot be read (%1)").arg(file.errorString()));
        const QByteArray header = file.read(16);
        if (!header.isEmpty() && header != QByteArray("SQLite format 3\0", 16))
            return refuseOpen(tr("it is not a database"));
        if (!info.isWritable())
            return refuseOpen(tr("it cannot be written"));
    } else if (!QDir().mkpath(info.absolutePath())) {
        return refuseOpen(tr("its folder cannot be created"));
    }

    // One process per file: a second one would take the first one's running downloads for
    // stale and run its premieres again. Held until the store is destroyed; the lock of a
    // process that died is taken over.
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock()) {
        qint64 pid = 0;
        QString host;
        QString application;
        if (lock->error() == QLockFile::LockFailedError && lock->getLockInfo(&pid, &host, &application))
            return refuseOpen(tr("another %1 (process %2) is using it").arg(application).arg(pid));
        return refuseOpen(tr("its lock file cannot be made"));
    }
    m_lock = std::move(lock);

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            return refuseOpen(db.lastError().text());
    }
    // The connection's handles must be gone before a refusal removes the connection.
    const QString problem = configure();
    if (!problem.isEmpty())
        return refuseOpen(problem);
    m_open = true;
    return true;
}

bool Store::execIds(const QString& sql, const QList<qint64>& ids)
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return false;
    QSqlQuery q(database());
    const QStringList statements = sql.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& statement : statements) {
        if (!q.prepare(statement))
            return fail(q);
        for (const qint64 id : ids) {
            q.addBindValue(id);
            if (!q.exec())
                return fail(q);
        }
    }
    return transaction.commit();
}

} // namespace Library
