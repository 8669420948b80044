#pragma once

#include "favicon.h"
#include "itemquery.h"
#include "removeditems.h"
#include "shakeitem.h"
#include "storedqorvconfig.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;
class QSqlDatabase;
class QSqlQuery;

namespace Library {

class TransactionGuard;

// The download library: items with their records, option sets and site icons in one SQLite
// file. Every write is one transaction, so a crash loses at most the write in flight; changed()
// follows each commit. Counts and pages are computed by SQLite, never over loaded rows.
// Main thread only. Failures are values: false / nullopt / -1, with lastError() saying why.
// One file per part: store.cpp (opening), storeschema.cpp, storeitems.cpp, storeoptionsets.cpp,
// storeicons.cpp; each write goes through a TransactionGuard.
class Store : public QObject
{
    Q_OBJECT
public:
    // The schema this build reads and writes (PRAGMA user_version); older files are migrated.
    static constexpr int schemaVersion = 3;

    explicit Store(QObject* parent = nullptr);
    ~Store() override;

    // $XDG_DATA_HOME/VeltQorv/db.store
    static QString defaultPath();

    // Opens or creates the store. A file that is not a store of ours, is newer than this build,
    // or is in use by another process (a lock file beside it) is refused and left exactly as it
    // was; errorMessage() then says why, in words fit for the user.
    bool open(const QString& path);
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    QString errorMessage() const { return m_errorMessage; }
    // Why the last read or write failed.
    QString lastError() const { return m_lastError; }
    // The QSqlDatabase connection name, for raw queries in tests and tools.
    QString connectionName() const { return m_connection; }

    // Items ------------------------------------------------------------------------------
    // Inserts items with their records in one transaction and returns their ids in order.
    // An item without a site icon is linked to the stored icon of its site, if there is one.
    // Refuses the whole batch when a source is not an http(s) address.
    std::optional<QList<qint64>> insertItems(const QList<ShakeItem>& items);
    // Same, storing `config` first and giving it to every item.
    std::optional<QList<qint64>> insertItems(const QList<ShakeItem>& items, const Engine::QorvConfig& config);

    // Items are read without their log, which may be large; itemLog reads it (empty when the
    // item has none, nullopt when the read failed).
    std::optional<ShakeItem> item(qint64 id) const;
    std::optional<QString> itemLog(qint64 id) const;
    // Writes every field of a stored item and its records; a record that is absent is deleted.
    bool save(const ShakeItem& item);
    // Fetches, changes and saves one item in a single transaction. False when the item is gone.
    bool update(qint64 id, const std::function<void(ShakeItem&)>& change);
    // Deletes items; their records go with them, and so does an option set no other item uses.
    // Site icons stay.
    bool deleteItems(const QList<qint64>& ids);
    // Deletes like deleteItems and returns the items as they were, logs and option sets included.
    std::optional<RemovedItems> takeItems(const QList<qint64>& ids);
    // Stores removed items again, stopped, under new ids; an option set that went with them is
    // stored anew.
    std::optional<QList<qint64>> restoreItems(const RemovedItems& removed);

    // Marks items running, clearing their error text and schedule.
    bool startItems(const QList<qint64>& ids);
    // Marks items not running and drops their schedule.
    bool stopItems(const QList<qint64>& ids);
    bool toggleStar(const QList<qint64>& ids);
    // Stops what an earlier process left marked running; returns how many, or -1.
    int clearStaleRunning();

    // Newest first (creation date, then id). limit < 0 fetches every match.
    QList<ShakeItem> items(const ItemQuery& query, int offset = 0, int limit = -1) const;
    int count(const ItemQuery& query) const;
    QList<ShakeItem> runningItems() const;
    // Items that carry a schedule, earliest first.
    QList<ShakeItem> scheduledItems() const;
    // Scheduled items whose date is not later than `now`, earliest first.
    QList<ShakeItem> dueItems(const QDateTime& now) const;

    // Option sets ---------------------------------------------------------------------------
    std::optional<qint64> insertQorvConfig(const Engine::QorvConfig& config);
    std::optional<StoredQorvConfig> qorvConfig(qint64 id) const;
    bool saveQorvConfig(const StoredQorvConfig& config);
    // Items that used the set keep existing without one.
    bool deleteQorvConfig(qint64 id);

    // Site icons ----------------------------------------------------------------------------
    std::optional<Favicon> favicon(qint64 id) const;
    std::optional<Favicon> faviconForSite(const QUrl& site) const;
    // Records the outcome of a fetch for `site` and links `itemId` (when it still exists) to it.
    // Sites are unique: a second record for a site updates the first, and data already stored
    // is not replaced by none.
    std::optional<qint64> storeFavicon(const QUrl& site, const std::optional<QByteArray>& data,
                                       std::optional<qint64> itemId = std::nullopt);
    bool linkFavicon(qint64 itemId, qint64 faviconId);
    // Items of the site keep existing without an icon.
    bool deleteFavicon(qint64 id);
    QList<qint64> faviconItemIds(qint64 faviconId) const;

Q_SIGNALS:
    // After every committed write.
    void changed();

private:
    friend class TransactionGuard;

    QSqlDatabase database() const;
    bool fail(const QSqlQuery& query) const;
    bool fail(const QString& message) const;
    bool refuseOpen(const QString& reason);
    // Empty when the file is ready for use, otherwise why not.
    QString configure();
    bool migrate(int fromVersion);
    QList<ShakeItem> selectItems(const QString& where, const QVariantList& values, const QString& order,
                                 int offset, int limit) const;
    bool writeItem(const ShakeItem& item);
    bool writeRecords(qint64 itemId, const ShakeItem& item);
    std::optional<qint64> insertOneItem(const ShakeItem& item);
    // Inside the caller's transaction; `configId`, when given, replaces each item's option set.
    std::optional<QList<qint64>> insertEach(const QList<ShakeItem>& items, std::optional<qint64> configId);
    // Inside a caller's transaction.
    bool deleteEach(const QList<qint64>& ids);
    // Inside a caller's transaction.
    std::optional<qint64> writeQorvConfig(const Engine::QorvConfig& config);
    // `column` is one of ours (id or url), never user text.
    std::optional<Favicon> selectFavicon(const QString& column, const QVariant& value) const;
    bool execIds(const QString& sql, const QList<qint64>& ids);
    static QString filterCountSql(SidebarItemType type);

    QString m_connection;
    QString m_path;
    QString m_errorMessage;
    mutable QString m_lastError;
    std::unique_ptr<QLockFile> m_lock;
    bool m_open = false;
};

} // namespace Library
