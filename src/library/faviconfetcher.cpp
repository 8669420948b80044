#include "faviconfetcher.h"

#include "engine/logging.h"
#include "favicondownloader.h"
#include "store.h"

namespace Library {

FaviconFetcher::FaviconFetcher(Store& store, QObject* parent)
    : QObject(parent), m_store(store), m_network(new QNetworkAccessManager(this))
{
}

void FaviconFetcher::refresh(qint64 itemId, bool force)
{
    // Reported from the event loop, as for a fetch, so callers see one order of events.
    auto report = [this, itemId](qint64 faviconId) {
        QMetaObject::invokeMethod(
            this, [this, itemId, faviconId] { Q_EMIT finished(itemId, faviconId); }, Qt::QueuedConnection);
    };

    const std::optional<ShakeItem> item = m_store.item(itemId);
    if (!item)
        return report(0);
    if (!force && item->faviconId)
        return report(*item->faviconId);
    const std::optional<QUrl> site = item->siteURL();
    if (!site)
        return report(0);
    const QString key = site->toString();

    if (const auto found = m_pending.find(key); found != m_pending.end()) {
        if (!found->itemIds.contains(itemId))
            found->itemIds += itemId;
        return;
    }
    if (!force) {
        if (const std::optional<Favicon> known = m_store.faviconForSite(*site)) {
            if (!m_store.linkFavicon(itemId, known->id))
                return report(0);
            return report(known->id);
        }
    }

    m_pending.insert(key, Pending{.site = *site, .itemIds = {itemId}, .candidates = {}});
    const HttpFetch::Limits pageLimits{.timeoutMs = m_limits.timeoutMs, .maxBytes = m_limits.maxPageBytes};
    FaviconDownloader::download(*m_network, *item->source, pageLimits, this,
                                [this, key](const FaviconDownloader::Result& result) {
                                    if (result.error)
                                        qCDebug(Engine::lcMain, "no icon links for %s: %s",
                                                qUtf8Printable(key), qUtf8Printable(result.detail));
                                    m_pending[key].candidates = result.candidates;
                                    tryNextCandidate(key);
                                });
}

void FaviconFetcher::tryNextCandidate(const QString& key)
{
    Pending& pending = m_pending[key];
    if (pending.candidates.isEmpty())
        return settle(key, std::nullopt);
    const QUrl candidate = pending.candidates.takeFirst();
    const HttpFetch::Limits iconLimits{.timeoutMs = m_limits.timeoutMs, .maxBytes = m_limits.maxIconBytes};
    HttpFetch::get(*m_network, candidate, iconLimits, this, [this, key](const HttpFetch::Result& icon) {
        if (icon.succeeded() && !icon.body.isEmpty())
            settle(key, icon.body);
        else
            tryNextCandidate(key);
    });
}

void FaviconFetcher::settle(const QString& key, const std::optional<QByteArray>& data)
{
    const Pending pending = m_pending.take(key);
    qint64 faviconId = 0;
    const QList<qint64>& itemIds = pending.itemIds;
    if (const auto stored = m_store.storeFavicon(pending.site, data, itemIds.first())) {
        faviconId = *stored;
        qCDebug(Engine::lcMain, "favicon refreshed: %s", qUtf8Printable(key));
    } else {
        qCWarning(Engine::lcMain, "%s", qUtf8Printable(m_store.lastError()));
    }
    for (const qint64 itemId : itemIds) {
        qint64 linked = faviconId;
        if (linked != 0 && itemId != itemIds.first() && !m_store.linkFavicon(itemId, linked))
            linked = 0;
        Q_EMIT finished(itemId, linked);
    }
}

} // namespace Library
