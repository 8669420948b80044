#include "store.h"

#include "storevalues.h"
#include "transactionguard.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace Library {

std::optional<Favicon> Store::favicon(qint64 id) const
{
    return selectFavicon(QStringLiteral("id"), id);
}

std::optional<Favicon> Store::faviconForSite(const QUrl& site) const
{
    const QString key = siteKey(site);
    if (key.isEmpty())
        return std::nullopt;
    return selectFavicon(QStringLiteral("url"), key);
}

std::optional<Favicon> Store::selectFavicon(const QString& column, const QVariant& value) const
{
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT id, url, data FROM Favicon WHERE %1 = ?").arg(column));
    q.addBindValue(value);
    if (!q.exec()) {
        fail(q);
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    Favicon icon;
    icon.id = q.value(0).toLongLong();
    icon.url = QUrl::fromEncoded(q.value(1).toString().toUtf8());
    if (!q.value(2).isNull())
        icon.data = q.value(2).toByteArray();
    return icon;
}

std::optional<qint64> Store::storeFavicon(const QUrl& site, const std::optional<QByteArray>& data,
                                          std::optional<qint64> itemId)
{
    const QString key = siteKey(site);
    if (key.isEmpty()) {
        fail(tr("a site icon needs a scheme and a host"));
        return std::nullopt;
    }
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT id FROM Favicon WHERE url = ?"));
    q.addBindValue(key);
    if (!q.exec()) {
        fail(q);
        return std::nullopt;
    }
    qint64 id = 0;
    if (q.next()) {
        id = q.value(0).toLongLong();
        q.finish();
        if (data) {
            q.prepare(QStringLiteral("UPDATE Favicon SET data = ? WHERE id = ?"));
            q.addBindValue(*data);
            q.addBindValue(id);
            if (!q.exec()) {
                fail(q);
                return std::nullopt;
            }
        }
    } else {
        q.prepare(QStringLiteral("INSERT INTO Favicon (url, data) VALUES (?, ?)"));
        q.addBindValue(key);
        q.addBindValue(data ? QVariant(*data) : QVariant());
        if (!q.exec()) {
            fail(q);
            return std::nullopt;
        }
        id = q.lastInsertId().toLongLong();
    }
    if (itemId) {
        q.prepare(QStringLiteral("UPDATE ShakeItem SET favicon = ? WHERE id = ?"));
        q.addBindValue(id);
        q.addBindValue(*itemId);
        if (!q.exec()) {
            fail(q);
            return std::nullopt;
        }
    }
    if (!transaction.commit())
        return std::nullopt;
    return id;
}

bool Store::linkFavicon(qint64 itemId, qint64 faviconId)
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return false;
    QSqlQuery q(database());
    q.prepare(QStringLiteral("UPDATE ShakeItem SET favicon = ? WHERE id = ?"));
    q.addBindValue(faviconId);
    q.addBindValue(itemId);
    if (!q.exec())
        return fail(q);
    if (q.numRowsAffected() != 1)
        return fail(tr("item %1 no longer exists").arg(itemId));
    return transaction.commit();
}

bool Store::deleteFavicon(qint64 id)
{
    return execIds(QStringLiteral("DELETE FROM Favicon WHERE id = ?"), {id});
}

QList<qint64> Store::faviconItemIds(qint64 faviconId) const
{
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT id FROM ShakeItem WHERE favicon = ? ORDER BY id"));
    q.addBindValue(faviconId);
    QList<qint64> ids;
    if (!q.exec()) {
        fail(q);
        return ids;
    }
    while (q.next())
        ids += q.value(0).toLongLong();
    return ids;
}

} // namespace Library
