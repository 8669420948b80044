#include "store.h"

#include "transactionguard.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace Library {

std::optional<RemovedItems> Store::takeItems(const QList<qint64>& ids)
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    RemovedItems removed;
    for (const qint64 id : ids) {
        std::optional<ShakeItem> item = this->item(id);
        if (!item)
            continue;
        if (item->info) {
            const std::optional<QString> log = itemLog(id);
            if (!log)
                return std::nullopt;
            item->info->log = *log;
        }
        if (item->qorvConfigId && !removed.optionSets.contains(*item->qorvConfigId)) {
            const std::optional<StoredQorvConfig> set = qorvConfig(*item->qorvConfigId);
            if (!set)
                return std::nullopt;
            removed.optionSets.insert(set->id, set->config);
        }
        removed.items.append(*item);
    }
    if (!deleteEach(ids) || !transaction.commit())
        return std::nullopt;
    return removed;
}

std::optional<QList<qint64>> Store::restoreItems(const RemovedItems& removed)
{
    TransactionGuard transaction(*this);
    if (!transaction.begun())
        return std::nullopt;
    QSqlQuery exists(database());
    exists.prepare(QStringLiteral("SELECT 1 FROM QorvConfig WHERE id = ?"));
    // Old option-set id -> the one the items now use.
    QHash<qint64, qint64> setIds;
    QList<qint64> ids;
    for (ShakeItem item : removed.items) {
        if (const std::optional<qint64> old = item.qorvConfigId; old && !setIds.contains(*old)) {
            exists.addBindValue(*old);
            if (!exists.exec()) {
                fail(exists);
                return std::nullopt;
            }
            // Still there when another item shares it.
            std::optional<qint64> now = exists.next() ? std::optional(*old) : std::nullopt;
            if (!now && removed.optionSets.contains(*old))
                now = writeQorvConfig(removed.optionSets.value(*old));
            if (!now)
                return std::nullopt;
            setIds.insert(*old, *now);
        }
        if (item.qorvConfigId)
            item.qorvConfigId = setIds.value(*item.qorvConfigId);
        if (item.config)
            item.config->running = false;
        // The site's icon is linked again by address; the old link may be gone.
        item.faviconId.reset();
        const std::optional<qint64> id = insertOneItem(item);
        if (!id)
            return std::nullopt;
        ids += *id;
    }
    if (!transaction.commit())
        return std::nullopt;
    return ids;
}

} // namespace Library
