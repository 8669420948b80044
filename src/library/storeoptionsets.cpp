#include "store.h"

#include "storevalues.h"
#include "transactionguard.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace Library {

std::optional<qint64> Store::insertQorvConfig(const Engine::QorvConfig& config)
{
    TransactionGuard transaction(*this);
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
        fail(tr("option set %1 does not exist").arg(id));
        return std::nullopt;
    }
    const auto items = Engine::QorvConfig::decodeItems(q.value(1).toString().toUtf8());
    if (!items) {
        fail(tr("option set %1 is unreadable").arg(id));
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
    TransactionGuard transaction(*this);
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
        return fail(tr("option set %1 does not exist").arg(config.id));
    return transaction.commit();
}

bool Store::deleteQorvConfig(qint64 id)
{
    return execIds(QStringLiteral("DELETE FROM QorvConfig WHERE id = ?"), {id});
}
} // namespace Library
