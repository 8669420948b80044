#pragma once

#include "httpfetch.h"

#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <optional>

namespace Library {

class Store;

// Settles the site icon of started items. An item without an icon is linked to the stored icon
// of its site, or the site's icon is looked up and stored: with its bytes when one of the
// candidates loads, without when none does, so that the site is not asked again for every item.
// Independent of the download: it only reports, by finished(), and a failure never reaches a
// download. One request per site at a time; items of a site under way wait for its answer.
class FaviconFetcher : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        int timeoutMs = 10000;
        qint64 maxPageBytes = 2 * 1024 * 1024;
        qint64 maxIconBytes = 512 * 1024;
    };

    explicit FaviconFetcher(Store& store, QObject* parent = nullptr);

    void setLimits(const Limits& limits) { m_limits = limits; }
    const Limits& limits() const { return m_limits; }

    // With `force`, the site is asked again even when the item has an icon.
    void refresh(qint64 itemId, bool force = false);
    // Sites being looked up now.
    int pendingCount() const { return static_cast<int>(m_pending.size()); }

Q_SIGNALS:
    // The item's icon is settled. `faviconId` is the icon record now linked to it, 0 when there is
    // none: the item is gone, has no site, or the record could not be stored.
    void finished(qint64 itemId, qint64 faviconId);

private:
    struct Pending
    {
        QUrl site;
        QList<qint64> itemIds;
        QList<QUrl> candidates;
    };

    void tryNextCandidate(const QString& key);
    void settle(const QString& key, const std::optional<QByteArray>& data);

    Store& m_store;
    // A child, so that it goes after this object's destroyed(), which abandons the requests
    // under way without calling back into a half-destroyed fetcher.
    QNetworkAccessManager* m_network;
    Limits m_limits;
    QHash<QString, Pending> m_pending;
};

} // namespace Library
