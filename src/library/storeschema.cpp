#include "store.h"

#include "searchfold.h"
#include "transactionguard.h"

#include "engine/downloadchoice.h"
#include "engine/qorvconfig.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

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

// Version 3: what a run learned of the video, the badge of the choice an item was added with, and
// the quality a run took when the chosen one did not exist.
const QStringList SchemaVersion3 = {
    QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN thumbnail TEXT"),
    QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN duration INTEGER"),
    QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN bytes INTEGER"),
    QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN badge TEXT"),
    QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN height INTEGER"),
    QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN unavailableHeight INTEGER"),
};

// Never empty, since an empty text means no problem to the caller.
QString sqlProblem(const QSqlQuery& query)
{
    const QString text = query.lastError().text().trimmed();
    return text.isEmpty() ? QCoreApplication::translate("Store", "it cannot be read as a database") : text;
}

} // namespace

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
        return tr("it was made by a newer version of VeltQorv");
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
        return sqlProblem(q);
    const int objects = q.value(0).toInt();
    q.finish();
    if (version == 0 && objects > 0)
        return tr("it is a database of another program");

    if (!q.exec(QStringLiteral("PRAGMA foreign_keys = ON")))
        return sqlProblem(q);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !q.next())
        return sqlProblem(q);
    q.finish();
    // With WAL this survives a crash of the process; only a power loss may drop the last commits.
    if (!q.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
        return sqlProblem(q);

    if (version < schemaVersion && !migrate(version))
        return tr("its contents could not be upgraded (%1)").arg(m_lastError);
    return QString();
}

bool Store::migrate(int fromVersion)
{
    TransactionGuard transaction(*this);
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
    if (fromVersion < 3) {
        if (!run(SchemaVersion3))
            return false;
        // Items added before badges get theirs from the option set they still run with.
        QSqlQuery sets(db);
        if (!sets.exec(QStringLiteral("SELECT f.id, q.itemDic FROM ShakeItemInfo f JOIN ShakeItem i ON"
                                      " i.id = f.item LEFT JOIN QorvConfig q ON q.id = i.qorvConfig")))
            return fail(sets);
        q.prepare(QStringLiteral("UPDATE ShakeItemInfo SET badge = ? WHERE id = ?"));
        while (sets.next()) {
            Engine::QorvConfig config;
            if (!sets.value(1).isNull()) {
                const auto items = Engine::QorvConfig::decodeItems(sets.value(1).toByteArray());
                // A set that cannot be read runs with no options either; its badge is left unknown.
                if (!items)
                    continue;
                config.setItemDic(*items);
            }
            q.addBindValue(Engine::DownloadChoice::badgeOf(config.enabledItems()));
            q.addBindValue(sets.value(0));
            if (!q.exec())
                return fail(q);
        }
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion)))
        return fail(q);
    return transaction.commit();
}

} // namespace Library
