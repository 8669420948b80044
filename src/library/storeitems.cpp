#include "store.h"

#include "searchfold.h"
#include "storevalues.h"
#include "transactionguard.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace Library {

namespace {

const QString ItemColumns = QStringLiteral(
    "SELECT i.id, i.source, i.createdDate, i.scheduledDate, i.completedDate, i.favicon, i.qorvConfig,"
    " c.id, c.running, c.starred, c.downloadDelay, f.id, f.title, f.location, f.error,"
    " f.thumbnail, f.duration, f.bytes, f.badge, f.height, f.unavailableHeight"
    " FROM ShakeItem i LEFT JOIN ShakeConfig c ON c.item = i.id LEFT JOIN ShakeItemInfo f ON f.item = i.id");

const QString NewestFirst = QStringLiteral(" ORDER BY i.createdDate DESC, i.id DESC");

// Membership terms are written "+i.id IN (...)": the unary plus keeps SQLite from looking each
// member up by id and sorting them all, so a page walks the newest-first index and stops after
// 50 matches instead.
const QString RunningPredicate = QStringLiteral("+i.id IN (SELECT item FROM ShakeConfig WHERE running = 1)");

QVariant dateValue(const std::optional<QDateTime>& date)
{
    return date ? QVariant(date->toMSecsSinceEpoch()) : QVariant();
}

std::optional<QDateTime> dateFrom(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(value.toLongLong(), Qt::UTC);
}

QVariant urlValue(const std::optional<QUrl>& url)
{
    return url ? QVariant(url->toString(QUrl::FullyEncoded)) : QVariant();
}

std::optional<QUrl> urlFrom(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return QUrl::fromEncoded(value.toString().toUtf8());
}

template <typename T> QVariant optionalValue(const std::optional<T>& value)
{
    return value ? QVariant::fromValue(*value) : QVariant();
}

std::optional<qint64> idFrom(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toLongLong();
}

ShakeItem readItem(const QSqlQuery& q)
{
    ShakeItem item;
    item.id = q.value(0).toLongLong();
    item.source = urlFrom(q.value(1));
    item.createdDate = QDateTime::fromMSecsSinceEpoch(q.value(2).toLongLong(), Qt::UTC);
    item.scheduledDate = dateFrom(q.value(3));
    item.completedDate = dateFrom(q.value(4));
    item.faviconId = idFrom(q.value(5));
    item.qorvConfigId = idFrom(q.value(6));
    if (!q.value(7).isNull()) {
        ShakeConfig config;
        config.id = q.value(7).toLongLong();
        config.running = q.value(8).toBool();
        config.starred = q.value(9).toBool();
        if (!q.value(10).isNull())
            config.downloadDelay = q.value(10).toInt();
        item.config = config;
    }
    if (!q.value(11).isNull()) {
        ShakeItemInfo info;
        info.id = q.value(11).toLongLong();
        info.title = q.value(12).toString();
        info.location = urlFrom(q.value(13));
        if (!q.value(14).isNull())
            info.error = q.value(14).toString();
        info.thumbnail = urlFrom(q.value(15));
        info.duration = idFrom(q.value(16));
        info.bytes = idFrom(q.value(17));
        if (!q.value(18).isNull())
            info.badge = q.value(18).toString();
        if (!q.value(19).isNull())
            info.height = q.value(19).toInt();
        if (!q.value(20).isNull())
            info.unavailableHeight = q.value(20).toInt();
        item.info = info;
    }
    return item;
}

struct Clause
{
    QString sql;
    QVariantList values;
};

// The filters and the search as WHERE terms over ShakeItem i. An item without the record a term
// looks at counts as not matching it.
Clause whereFor(const ItemQuery& query)
{
    QStringList terms;
    QVariantList values;
    switch (query.filter) {
    case SidebarItemType::all:
        break;
    case SidebarItemType::running:
        terms += RunningPredicate;
        break;
    case SidebarItemType::stopped:
        terms += QStringLiteral("i.completedDate IS NULL AND i.scheduledDate IS NULL"
                                " AND +i.id NOT IN (SELECT item FROM ShakeConfig WHERE running = 1)");
        break;
    case SidebarItemType::failed:
        terms += QStringLiteral("+i.id IN (SELECT item FROM ShakeItemInfo WHERE error IS NOT NULL)");
        break;
    case SidebarItemType::starred:
        terms += QStringLiteral("+i.id IN (SELECT item FROM ShakeConfig WHERE starred = 1)");
        break;
    case SidebarItemType::premieres:
        terms += QStringLiteral("i.scheduledDate IS NOT NULL");
        break;
    }
    const QString folded = searchFold(query.searchText.trimmed());
    if (!folded.isEmpty()) {
        terms += QStringLiteral("+i.id IN (SELECT item FROM ShakeItemInfo WHERE instr(titleFolded, ?) > 0)");
        values += folded;
    }
    if (terms.isEmpty())
        return {};
    return {QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND ")), values};
}

} // namespace

std::optional<qint64> Store::insertOneItem(const ShakeItem& item)
{
    if (!item.source || !ShakeItem::isAcceptedSource(*item.source)) {
        fail(tr("only http and https addresses can be added"));
        return std::nullopt;
    }
    QSqlDatabase db = database();
    std::optional<qint64> faviconId = item.faviconId;
    if (!faviconId) {
        if (const std::optional<QUrl> site = item.siteURL()) {
            QSqlQuery lookup(db);
            lookup.prepare(QStringLiteral("SELECT id FROM Favicon WHERE url = ?"));
            lookup.addBindValue(siteKey(*site));
            if (!lookup.exec()) {
                fail(lookup);
                return std::nullopt;
            }
            if (lookup.next())
                faviconId = lookup.value(0).toLongLong();
        }
    }
    QSqlQuery q(db);
    q.prepare(
        QStringLiteral("INSERT INTO ShakeItem (source, createdDate, scheduledDate, completedDate, favicon,"
                       " qorvConfig) VALUES (?, ?, ?, ?, ?, ?)"));
    const QDateTime created = item.createdDate.isValid() ? item.createdDate : QDateTime::currentDateTimeUtc();
    q.addBindValue(urlValue(item.source));
    q.addBindValue(created.toMSecsSinceEpoch());
    q.addBindValue(dateValue(item.scheduledDate));
    q.addBindValue(dateValue(item.completedDate));
    q.addBindValue(optionalValue(faviconId));
    q.addBindValue(optionalValue(item.qorvConfigId));
    if (!q.exec()) {
        fail(q);
        return std::nullopt;
    }
    const qint64 id = q.lastInsertId().toLongLong();
    if (!writeRecords(id, item))
        return std::nullopt;
    return id;
}

bool Store::writeRecords(qint64 itemId, const ShakeItem& item)
{
    QSqlQuery q(database());
    if (item.config) {
        q.prepare(QStringLiteral(
            "INSERT INTO ShakeConfig (item, running, starred, downloadDelay) VALUES (?, ?, ?, ?)"
            " ON CONFLICT(item) DO UPDATE SET running = excluded.running,"
            " starred = excluded.starred, downloadDelay = excluded.downloadDelay"));
        q.addBindValue(itemId);
        q.addBindValue(item.config->running ? 1 : 0);
        q.addBindValue(item.config->starred ? 1 : 0);
        q.addBindValue(optionalValue(item.config->downloadDelay));
    } else {
        q.prepare(QStringLiteral("DELETE FROM ShakeConfig WHERE item = ?"));
        q.addBindValue(itemId);
    }
    if (!q.exec())
        return fail(q);

    if (item.info) {
        // A log that was not read stays as stored.
        const QString logUpdate = item.info->log ? QStringLiteral(" log = excluded.log,") : QString();
        q.prepare(
            QStringLiteral("INSERT INTO ShakeItemInfo (item, title, titleFolded, location, log, error,"
                           " thumbnail, duration, bytes, badge, height, unavailableHeight)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
                           " ON CONFLICT(item) DO UPDATE SET title = excluded.title,"
                           " titleFolded = excluded.titleFolded, location = excluded.location,") +
            logUpdate +
            QStringLiteral(" error = excluded.error, thumbnail = excluded.thumbnail,"
                           " duration = excluded.duration, bytes = excluded.bytes, badge = excluded.badge,"
                           " height = excluded.height, unavailableHeight = excluded.unavailableHeight"));
        q.addBindValue(itemId);
        q.addBindValue(textValue(item.info->title));
        q.addBindValue(searchFold(item.info->title));
        q.addBindValue(urlValue(item.info->location));
        q.addBindValue(textValue(item.info->log.value_or(QString())));
        q.addBindValue(optionalValue(item.info->error));
        q.addBindValue(urlValue(item.info->thumbnail));
        q.addBindValue(optionalValue(item.info->duration));
        q.addBindValue(optionalValue(item.info->bytes));
        q.addBindValue(optionalValue(item.info->badge));
        q.addBindValue(optionalValue(item.info->height));
        q.addBindValue(optionalValue(item.info->unavailableHeight));
    } else {
        q.prepare(QStringLiteral("DELETE FROM ShakeItemInfo WHERE item = ?"));
        q.addBindValue(itemId);
    }
    return q.exec() || fail(q);
}

std::optional<QList<qint64>> Store::insertEach(const QList<ShakeItem>& items, std::optional<qint64> configId)
{
    QList<qint64> ids;
    ids.reserve(items.size());
    for (ShakeItem item : items) {
        if (configId)
            item.qorvConfigId = configId;
        const std::optional<qint64> id = insertOneItem(item);
        if (!id)
            return std::nullopt;
        ids += *id;
    }
    return ids;
}

std::optional<QList<qint64>> Store::insertItems(const QList<ShakeItem>& items)
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    const std::optional<QList<qint64>> ids = insertEach(items, std::nullopt);
    if (!ids || !transaction.commit())
        return std::nullopt;
    return ids;
}

std::optional<QList<qint64>> Store::insertItems(const QList<ShakeItem>& items,
                                                const Engine::QorvConfig& config)
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    const std::optional<qint64> configId = writeQorvConfig(config);
    if (!configId)
        return std::nullopt;
    const std::optional<QList<qint64>> ids = insertEach(items, configId);
    if (!ids || !transaction.commit())
        return std::nullopt;
    return ids;
}

QList<ShakeItem> Store::selectItems(const QString& where, const QVariantList& values, const QString& order,
                                    int offset, int limit) const
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    QString sql = ItemColumns + where + order;
    if (limit >= 0 || offset > 0)
        sql += QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit).arg(std::max(offset, 0));
    if (!q.prepare(sql)) {
        fail(q);
        return QList<ShakeItem>();
    }
    for (const QVariant& value : values)
        q.addBindValue(value);
    if (!q.exec()) {
        fail(q);
        return QList<ShakeItem>();
    }
    QList<ShakeItem> items;
    while (q.next())
        items += readItem(q);
    return items;
}

std::optional<ShakeItem> Store::item(qint64 id) const
{
    const QList<ShakeItem> found = selectItems(QStringLiteral(" WHERE i.id = ?"), {id}, QString(), 0, -1);
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

std::optional<QString> Store::itemLog(qint64 id) const
{
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT log FROM ShakeItemInfo WHERE item = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        fail(q);
        return std::nullopt;
    }
    return q.next() ? q.value(0).toString() : QString();
}

bool Store::writeItem(const ShakeItem& item)
{
    if (!item.source || !ShakeItem::isAcceptedSource(*item.source))
        return fail(tr("only http and https addresses can be stored"));
    QSqlQuery q(database());
    q.prepare(QStringLiteral("UPDATE ShakeItem SET source = ?, createdDate = ?, scheduledDate = ?,"
                             " completedDate = ?, favicon = ?, qorvConfig = ? WHERE id = ?"));
    q.addBindValue(urlValue(item.source));
    q.addBindValue(item.createdDate.toMSecsSinceEpoch());
    q.addBindValue(dateValue(item.scheduledDate));
    q.addBindValue(dateValue(item.completedDate));
    q.addBindValue(optionalValue(item.faviconId));
    q.addBindValue(optionalValue(item.qorvConfigId));
    q.addBindValue(item.id);
    if (!q.exec())
        return fail(q);
    if (q.numRowsAffected() != 1)
        return fail(tr("item %1 no longer exists").arg(item.id));
    return writeRecords(item.id, item);
}

bool Store::save(const ShakeItem& item)
{
    TransactionGuard transaction(*this);
    return transaction.begun() && writeItem(item) && transaction.commit();
}

bool Store::update(qint64 id, const std::function<void(ShakeItem&)>& change)
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return false;
    std::optional<ShakeItem> found = item(id);
    if (!found)
        return fail(tr("item %1 no longer exists").arg(id));
    change(*found);
    found->id = id;
    return writeItem(*found) && transaction.commit();
}

bool Store::deleteItems(const QList<qint64>& ids)
{
    TransactionGuard transaction(*this);
    return transaction.begun() && deleteEach(ids) && transaction.commit();
}

bool Store::deleteEach(const QList<qint64>& ids)
{
    QSqlQuery q(database());
    QSet<qint64> configIds;
    q.prepare(QStringLiteral("SELECT qorvConfig FROM ShakeItem WHERE id = ? AND qorvConfig IS NOT NULL"));
    for (const qint64 id : ids) {
        q.addBindValue(id);
        if (!q.exec())
            return fail(q);
        if (q.next())
            configIds.insert(q.value(0).toLongLong());
    }
    q.prepare(QStringLiteral("DELETE FROM ShakeItem WHERE id = ?"));
    for (const qint64 id : ids) {
        q.addBindValue(id);
        if (!q.exec())
            return fail(q);
    }
    // An option set belongs to the items added with it; with the last of them it goes too.
    q.prepare(QStringLiteral(
        "DELETE FROM QorvConfig WHERE id = ? AND NOT EXISTS (SELECT 1 FROM ShakeItem WHERE qorvConfig = ?)"));
    for (const qint64 configId : std::as_const(configIds)) {
        q.addBindValue(configId);
        q.addBindValue(configId);
        if (!q.exec())
            return fail(q);
    }
    return true;
}

bool Store::startItems(const QList<qint64>& ids)
{
    return execIds(QStringLiteral("UPDATE ShakeItem SET scheduledDate = NULL WHERE id = ?;"
                                  "UPDATE ShakeConfig SET running = 1 WHERE item = ?;"
                                  "UPDATE ShakeItemInfo SET error = NULL WHERE item = ?"),
                   ids);
}

bool Store::stopItems(const QList<qint64>& ids)
{
    return execIds(QStringLiteral("UPDATE ShakeItem SET scheduledDate = NULL WHERE id = ?;"
                                  "UPDATE ShakeConfig SET running = 0 WHERE item = ?"),
                   ids);
}

bool Store::toggleStar(const QList<qint64>& ids)
{
    return execIds(QStringLiteral("UPDATE ShakeConfig SET starred = 1 - starred WHERE item = ?"), ids);
}

int Store::clearStaleRunning()
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return -1;
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("UPDATE ShakeItem SET scheduledDate = NULL"
                               " WHERE id IN (SELECT item FROM ShakeConfig WHERE running = 1)"))) {
        fail(q);
        return -1;
    }
    if (!q.exec(QStringLiteral("UPDATE ShakeConfig SET running = 0 WHERE running = 1"))) {
        fail(q);
        return -1;
    }
    const int cleared = q.numRowsAffected();
    if (!transaction.commit())
        return -1;
    return cleared;
}

QList<ShakeItem> Store::items(const ItemQuery& query, int offset, int limit) const
{
    const Clause where = whereFor(query);
    return selectItems(where.sql, where.values, NewestFirst, offset, limit);
}

// Counts without a search read the records' partial indexes alone: every record belongs to an
// existing item (foreign key), so no join with the items is needed. These are what the sidebar
// asks for on every change.
QString Store::filterCountSql(SidebarItemType type)
{
    switch (type) {
    case SidebarItemType::all:
        return QStringLiteral("SELECT count(*) FROM ShakeItem");
    case SidebarItemType::running:
        return QStringLiteral("SELECT count(*) FROM ShakeConfig WHERE running = 1");
    case SidebarItemType::stopped:
        // The items with neither date, read from their covering index, minus the running ones.
        return QStringLiteral("SELECT count(*) FROM ShakeItem i") + whereFor(ItemQuery::sidebar(type)).sql;
    case SidebarItemType::failed:
        return QStringLiteral("SELECT count(*) FROM ShakeItemInfo WHERE error IS NOT NULL");
    case SidebarItemType::starred:
        return QStringLiteral("SELECT count(*) FROM ShakeConfig WHERE starred = 1");
    case SidebarItemType::premieres:
        return QStringLiteral("SELECT count(*) FROM ShakeItem WHERE scheduledDate IS NOT NULL");
    }
    return QString();
}

int Store::count(const ItemQuery& query) const
{
    const Clause where = whereFor(query);
    QSqlQuery q(database());
    q.setForwardOnly(true);
    const QString sql = where.values.isEmpty()
                            ? filterCountSql(query.filter)
                            : QStringLiteral("SELECT count(*) FROM ShakeItem i") + where.sql;
    if (!q.prepare(sql)) {
        fail(q);
        return -1;
    }
    for (const QVariant& value : where.values)
        q.addBindValue(value);
    if (!q.exec() || !q.next()) {
        fail(q);
        return -1;
    }
    return q.value(0).toInt();
}

QList<ShakeItem> Store::runningItems() const
{
    // Few and all wanted: looked up by id.
    return selectItems(QStringLiteral(" WHERE i.id IN (SELECT item FROM ShakeConfig WHERE running = 1)"), {},
                       NewestFirst, 0, -1);
}

QList<ShakeItem> Store::scheduledItems() const
{
    return selectItems(QStringLiteral(" WHERE i.scheduledDate IS NOT NULL"), {},
                       QStringLiteral(" ORDER BY i.scheduledDate, i.id"), 0, -1);
}

QList<ShakeItem> Store::dueItems(const QDateTime& now) const
{
    // Asked once a second: the partial index answers without reading the waiting items.
    return selectItems(QStringLiteral(" WHERE i.scheduledDate IS NOT NULL AND i.scheduledDate <= ?"),
                       {dateValue(now)}, QStringLiteral(" ORDER BY i.scheduledDate, i.id"), 0, -1);
}
} // namespace Library
