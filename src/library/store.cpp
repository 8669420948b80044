#include "store.h"

#include "searchfold.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <atomic>

namespace Library {

namespace {

// Version 1: the entities and their delete rules.
const QStringList SchemaVersion1 = {
    QStringLiteral("CREATE TABLE QorvConfig ("
                   " id INTEGER PRIMARY KEY,"
                   " name TEXT NOT NULL DEFAULT '',"
                   " itemDic TEXT NOT NULL DEFAULT '[]')"),
    QStringLiteral("CREATE TABLE Favicon ("
                   " id INTEGER PRIMARY KEY,"
                   " url TEXT NOT NULL UNIQUE,"
                   " data BLOB)"),
    // An icon or option set that goes away leaves its items in place, without one.
    QStringLiteral("CREATE TABLE ShakeItem ("
                   " id INTEGER PRIMARY KEY,"
                   " source TEXT,"
                   " createdDate INTEGER NOT NULL,"
                   " scheduledDate INTEGER,"
                   " completedDate INTEGER,"
                   " favicon INTEGER REFERENCES Favicon(id) ON DELETE SET NULL,"
                   " qorvConfig INTEGER REFERENCES QorvConfig(id) ON DELETE SET NULL)"),
    // Owned records: at most one per item, deleted with it.
    QStringLiteral("CREATE TABLE ShakeConfig ("
                   " id INTEGER PRIMARY KEY,"
                   " item INTEGER NOT NULL UNIQUE REFERENCES ShakeItem(id) ON DELETE CASCADE,"
                   " running INTEGER NOT NULL DEFAULT 0,"
                   " starred INTEGER NOT NULL DEFAULT 0,"
                   " downloadDelay INTEGER)"),
    QStringLiteral("CREATE TABLE ShakeItemInfo ("
                   " id INTEGER PRIMARY KEY,"
                   " item INTEGER NOT NULL UNIQUE REFERENCES ShakeItem(id) ON DELETE CASCADE,"
                   " title TEXT NOT NULL DEFAULT '',"
                   " location TEXT,"
                   " log TEXT NOT NULL DEFAULT '',"
                   " error TEXT)"),
};

// Version 2: a folded title for search, and indexes for the list order and the filters. The
// partial indexes keep the filter counts proportional to the matching items, not to the table.
const QStringList SchemaVersion2 = {
    QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN titleFolded TEXT NOT NULL DEFAULT ''"),
    QStringLiteral("CREATE INDEX ShakeItem_createdDate ON ShakeItem(createdDate)"),
    QStringLiteral(
        "CREATE INDEX ShakeItem_scheduled ON ShakeItem(scheduledDate) WHERE scheduledDate IS NOT NULL"),
    // Covering, so that counting the items with neither date never reads the table.
    QStringLiteral("CREATE INDEX ShakeItem_open ON ShakeItem(createdDate, completedDate, scheduledDate)"
                   " WHERE completedDate IS NULL AND scheduledDate IS NULL"),
    QStringLiteral("CREATE INDEX ShakeItem_favicon ON ShakeItem(favicon)"),
    QStringLiteral("CREATE INDEX ShakeItem_qorvConfig ON ShakeItem(qorvConfig)"),
    QStringLiteral("CREATE INDEX ShakeConfig_running ON ShakeConfig(item) WHERE running = 1"),
    QStringLiteral("CREATE INDEX ShakeConfig_starred ON ShakeConfig(item) WHERE starred = 1"),
    QStringLiteral("CREATE INDEX ShakeItemInfo_failed ON ShakeItemInfo(item) WHERE error IS NOT NULL"),
};

const QString ItemColumns = QStringLiteral(
    "SELECT i.id, i.source, i.createdDate, i.scheduledDate, i.completedDate, i.favicon, i.qorvConfig,"
    " c.id, c.running, c.starred, c.downloadDelay, f.id, f.title, f.location, f.log, f.error"
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

// A null QString would be bound as NULL.
QString textValue(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
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

QString siteKey(const QUrl& site)
{
    const std::optional<QUrl> normalised = ShakeItem::siteURL(site);
    return normalised ? normalised->toString(QUrl::FullyEncoded) : QString();
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
        info.log = q.value(14).toString();
        if (!q.value(15).isNull())
            info.error = q.value(15).toString();
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

// Never empty, since an empty text means no problem to the caller.
QString sqlProblem(const QSqlQuery& query)
{
    const QString text = query.lastError().text().trimmed();
    return text.isEmpty() ? QStringLiteral("it cannot be read as a database") : text;
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("veltqorv-store-%1").arg(++counter);
}

} // namespace

// BEGIN IMMEDIATE takes the write lock at once, so a write never fails half-way on a lock
// upgrade. Rolled back unless committed.
class Store::Transaction
{
public:
    explicit Transaction(const Store& store) : m_store(store), m_db(store.database())
    {
        QSqlQuery begin(m_db);
        m_begun = begin.exec(QStringLiteral("BEGIN IMMEDIATE")) || store.fail(begin);
    }
    ~Transaction()
    {
        if (m_begun && !m_finished)
            QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return m_begun; }

    bool commit()
    {
        QSqlQuery commit(m_db);
        if (!commit.exec(QStringLiteral("COMMIT")))
            return m_store.fail(commit);
        m_finished = true;
        Q_EMIT const_cast<Store&>(m_store).changed();
        return true;
    }

private:
    const Store& m_store;
    QSqlDatabase m_db;
    bool m_begun = false;
    bool m_finished = false;
};

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
    m_errorMessage =
        QStringLiteral("The download library \u201c%1\u201d cannot be opened: %2. The file has been "
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
    m_open = false;
    return false;
}

bool Store::open(const QString& path)
{
    if (m_open)
        return fail(QStringLiteral("the store is open already"));
    m_path = path;
    m_errorMessage.clear();
    if (path.isEmpty())
        return refuseOpen(QStringLiteral("no file was named"));

    // Whatever SQLite would do with a file that is not ours, nothing may be written to it, so
    // the header is checked before SQLite sees the file.
    const QFileInfo info(path);
    if (info.exists()) {
        if (info.isDir())
            return refuseOpen(QStringLiteral("it is a folder"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return refuseOpen(QStringLiteral("it cannot be read (%1)").arg(file.errorString()));
        const QByteArray header = file.read(16);
        if (!header.isEmpty() && header != QByteArray("SQLite format 3\0", 16))
            return refuseOpen(QStringLiteral("it is not a database"));
        if (!info.isWritable())
            return refuseOpen(QStringLiteral("it cannot be written"));
    } else if (!QDir().mkpath(info.absolutePath())) {
        return refuseOpen(QStringLiteral("its folder cannot be created"));
    }

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

QString Store::configure()
{
    QSqlDatabase db = database();
    QSqlQuery q(db);

    // Read before anything is written: this also makes SQLite parse the schema, which fails
    // on a damaged file.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return sqlProblem(q);
    const int version = q.value(0).toInt();
    q.finish();
    if (version > schemaVersion)
        return QStringLiteral("it was made by a newer version of VeltQorv");
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
        return sqlProblem(q);
    const int objects = q.value(0).toInt();
    q.finish();
    if (version == 0 && objects > 0)
        return QStringLiteral("it is a database of another program");

    if (!q.exec(QStringLiteral("PRAGMA foreign_keys = ON")))
        return sqlProblem(q);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !q.next())
        return sqlProblem(q);
    q.finish();
    // With WAL this survives a crash of the process; only a power loss may drop the last commits.
    if (!q.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
        return sqlProblem(q);

    if (version < schemaVersion && !migrate(version))
        return QStringLiteral("its contents could not be upgraded (%1)").arg(m_lastError);
    return QString();
}

bool Store::migrate(int fromVersion)
{
    Transaction transaction(*this);
    if (!transaction.begun())
        return false;
    QSqlDatabase db = database();
    QSqlQuery q(db);
    auto run = [&](const QStringList& statements) {
        for (const QString& statement : statements) {
            if (!q.exec(statement))
                return fail(q);
        }
        return true;
    };
    if (fromVersion < 1 && !run(SchemaVersion1))
        return false;
    if (fromVersion < 2) {
        if (!run(SchemaVersion2))
            return false;
        QSqlQuery titles(db);
        if (!titles.exec(QStringLiteral("SELECT id, title FROM ShakeItemInfo")))
            return fail(titles);
        q.prepare(QStringLiteral("UPDATE ShakeItemInfo SET titleFolded = ? WHERE id = ?"));
        while (titles.next()) {
            q.addBindValue(searchFold(titles.value(1).toString()));
            q.addBindValue(titles.value(0));
            if (!q.exec())
                return fail(q);
        }
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion)))
        return fail(q);
    return transaction.commit();
}

// Items ----------------------------------------------------------------------------------------

std::optional<qint64> Store::insertOneItem(const ShakeItem& item)
{
    if (!item.source || !ShakeItem::isAcceptedSource(*item.source)) {
        fail(QStringLiteral("only http and https addresses can be added"));
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
        q.prepare(QStringLiteral("INSERT INTO ShakeItemInfo (item, title, titleFolded, location, log, error)"
                                 " VALUES (?, ?, ?, ?, ?, ?)"
                                 " ON CONFLICT(item) DO UPDATE SET title = excluded.title,"
                                 " titleFolded = excluded.titleFolded, location = excluded.location,"
                                 " log = excluded.log, error = excluded.error"));
        q.addBindValue(itemId);
        q.addBindValue(textValue(item.info->title));
        q.addBindValue(searchFold(item.info->title));
        q.addBindValue(urlValue(item.info->location));
        q.addBindValue(textValue(item.info->log));
        q.addBindValue(optionalValue(item.info->error));
    } else {
        q.prepare(QStringLiteral("DELETE FROM ShakeItemInfo WHERE item = ?"));
        q.addBindValue(itemId);
    }
    return q.exec() || fail(q);
}

std::optional<QList<qint64>> Store::insertItems(const QList<ShakeItem>& items)
{
    Transaction transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    QList<qint64> ids;
    ids.reserve(items.size());
    for (const ShakeItem& item : items) {
        const std::optional<qint64> id = insertOneItem(item);
        if (!id)
            return std::nullopt;
        ids += *id;
    }
    if (!transaction.commit())
        return std::nullopt;
    return ids;
}

std::optional<QList<qint64>> Store::insertItems(const QList<ShakeItem>& items,
                                                const Engine::QorvConfig& config)
{
    Transaction transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    const std::optional<qint64> configId = writeQorvConfig(config);
    if (!configId)
        return std::nullopt;
    QList<qint64> ids;
    ids.reserve(items.size());
    for (ShakeItem item : items) {
        item.qorvConfigId = configId;
        const std::optional<qint64> id = insertOneItem(item);
        if (!id)
            return std::nullopt;
        ids += *id;
    }
    if (!transaction.commit())
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

bool Store::writeItem(const ShakeItem& item)
{
    if (!item.source || !ShakeItem::isAcceptedSource(*item.source))
        return fail(QStringLiteral("only http and https addresses can be stored"));
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
        return fail(QStringLiteral("item %1 no longer exists").arg(item.id));
    return writeRecords(item.id, item);
}

bool Store::save(const ShakeItem& item)
{
    Transaction transaction(*this);
    return transaction.begun() && writeItem(item) && transaction.commit();
}

bool Store::update(qint64 id, const std::function<void(ShakeItem&)>& change)
{
    Transaction transaction(*this);
    if (!transaction.begun())
        return false;
    std::optional<ShakeItem> found = item(id);
    if (!found)
        return fail(QStringLiteral("item %1 no longer exists").arg(id));
    change(*found);
    found->id = id;
    return writeItem(*found) && transaction.commit();
}

bool Store::execIds(const QString& sql, const QList<qint64>& ids)
{
    Transaction transaction(*this);
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

bool Store::deleteItems(const QList<qint64>& ids)
{
    return execIds(QStringLiteral("DELETE FROM ShakeItem WHERE id = ?"), ids);
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
    Transaction transaction(*this);
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

// Option sets ------------------------------------------------------------------------------------

std::optional<qint64> Store::insertQorvConfig(const Engine::QorvConfig& config)
{
    Transaction transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    const std::optional<qint64> id = writeQorvConfig(config);
    if (!id || !transaction.commit())
        return std::nullopt;
    return id;
}

std::optional<qint64> Store::writeQorvConfig(const Engine::QorvConfig& config)
{
    QSqlQuery q(database());
    q.prepare(QStringLiteral("INSERT INTO QorvConfig (name, itemDic) VALUES (?, ?)"));
    q.addBindValue(textValue(config.name()));
    q.addBindValue(QString::fromUtf8(config.encodedItems()));
    if (!q.exec()) {
        fail(q);
        return std::nullopt;
    }
    return q.lastInsertId().toLongLong();
}

std::optional<StoredQorvConfig> Store::qorvConfig(qint64 id) const
{
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT name, itemDic FROM QorvConfig WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        fail(q);
        return std::nullopt;
    }
    if (!q.next()) {
        fail(QStringLiteral("option set %1 does not exist").arg(id));
        return std::nullopt;
    }
    const auto items = Engine::QorvConfig::decodeItems(q.value(1).toString().toUtf8());
    if (!items) {
        fail(QStringLiteral("option set %1 is unreadable").arg(id));
        return std::nullopt;
    }
    StoredQorvConfig stored;
    stored.id = id;
    stored.config.setName(q.value(0).toString());
    stored.config.setItemDic(*items);
    return stored;
}

bool Store::saveQorvConfig(const StoredQorvConfig& config)
{
    Transaction transaction(*this);
    if (!transaction.begun())
        return false;
    QSqlQuery q(database());
    q.prepare(QStringLiteral("UPDATE QorvConfig SET name = ?, itemDic = ? WHERE id = ?"));
    q.addBindValue(textValue(config.config.name()));
    q.addBindValue(QString::fromUtf8(config.config.encodedItems()));
    q.addBindValue(config.id);
    if (!q.exec())
        return fail(q);
    if (q.numRowsAffected() != 1)
        return fail(QStringLiteral("option set %1 does not exist").arg(config.id));
    return transaction.commit();
}

bool Store::deleteQorvConfig(qint64 id)
{
    return execIds(QStringLiteral("DELETE FROM QorvConfig WHERE id = ?"), {id});
}

// Site icons ---------------------------------------------------------------------------------------

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
        fail(QStringLiteral("a site icon needs a scheme and a host"));
        return std::nullopt;
    }
    Transaction transaction(*this);
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
    Transaction transaction(*this);
    if (!transaction.begun())
        return false;
    QSqlQuery q(database());
    q.prepare(QStringLiteral("UPDATE ShakeItem SET favicon = ? WHERE id = ?"));
    q.addBindValue(faviconId);
    q.addBindValue(itemId);
    if (!q.exec())
        return fail(q);
    if (q.numRowsAffected() != 1)
        return fail(QStringLiteral("item %1 no longer exists").arg(itemId));
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
