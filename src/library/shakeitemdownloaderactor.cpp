#include "shakeitemdownloaderactor.h"

#include "notifier.h"
#include "store.h"

#include "engine/downloadchoice.h"
#include "engine/downloader.h"
#include "engine/logging.h"

#include <QFileInfo>
#include <QTimer>

namespace Library {

using Engine::DownloaderProcessError;
using Engine::DownloaderResult;
using Engine::DownloaderStatus;

ShakeItemDownloaderActor::ShakeItemDownloaderActor(qint64 itemId, Store& store,
                                                   Engine::Preferences& preferences,
                                                   Engine::TimePhraseParser* parser, Clock now,
                                                   QObject* parent)
    : QObject(parent), m_itemId(itemId), m_store(store), m_preferences(preferences), m_parser(parser),
      m_now(std::move(now))
{
}

ShakeItemDownloaderActor::~ShakeItemDownloaderActor() = default;

void ShakeItemDownloaderActor::run()
{
    const std::optional<ShakeItem> item = m_store.item(m_itemId);
    if (!item) {
        finishWithError(tr("The download is no longer in the library."));
        return;
    }
    m_source = item->source;
    if (!item->source) {
        finishWithError(tr("The download has no address."));
        return;
    }
    if (item->qorvConfigId) {
        if (const std::optional<StoredQorvConfig> config = m_store.qorvConfig(*item->qorvConfigId))
            m_options = config->config.enabledItems();
    }
    m_address = item->source->toString(QUrl::FullyEncoded);
    m_downloadDelay = item->config ? item->config->downloadDelay : std::nullopt;
    launch(m_options);
}

void ShakeItemDownloaderActor::launch(const QList<Engine::QorvConfigItem>& options)
{
    QStringList arguments;
    for (const Engine::QorvConfigItem& option : options)
        arguments += option.tokens();
    if (m_downloader)
        m_downloader->deleteLater();
    m_downloader = new Engine::Downloader(m_address, arguments, m_preferences, m_parser, m_now, this);
    m_downloader->setDownloadDelay(m_downloadDelay);
    connect(m_downloader, &Engine::Downloader::progress, this,
            [this](const Engine::DownloaderProgress& p) { Q_EMIT progress(m_itemId, p); });
    connect(m_downloader, &Engine::Downloader::finished, this, [this](const DownloaderResult& result) {
        const std::optional<DownloaderProcessError>& failure = result.processError();
        const std::optional<int> height = Engine::DownloadChoice::cappedHeight(m_options);
        // Once, with the nearest quality; the item's own options stay as the user chose them.
        if (!m_unavailableHeight && height && failure &&
            failure->kind() == DownloaderProcessError::Kind::formatUnavailable) {
            qCInfo(Engine::lcMain) << "no format of at most" << *height << "lines; taking the nearest one";
            m_unavailableHeight = height;
            launch(Engine::DownloadChoice::nearestQuality(m_options, *height));
            return;
        }
        m_result = result;
        Q_EMIT finished(m_itemId);
    });
    m_downloader->start();
}

void ShakeItemDownloaderActor::stop()
{
    if (m_downloader)
        m_downloader->stop();
}

void ShakeItemDownloaderActor::finishWithError(const QString& message)
{
    m_result.setStatus(DownloaderStatus::failed);
    m_result.setError(message);
    m_result.setProcessError(DownloaderProcessError::downloadFailed(message));
    // Callers connect after run() returns.
    QTimer::singleShot(0, this, [this] { Q_EMIT finished(m_itemId); });
}

bool ShakeItemDownloaderActor::recordOutcome(Notifier* notifier) const
{
    // Deleted while it ran: there is nothing to record, and nothing went wrong.
    if (!m_store.item(m_itemId))
        return true;
    const bool succeeded = m_result.status() == DownloaderStatus::completed;
    const DownloaderResult* interim = m_downloader ? &m_downloader->tempResult() : nullptr;
    const QDateTime now = m_now ? m_now() : QDateTime::currentDateTimeUtc();

    const bool written = m_store.update(m_itemId, [&](ShakeItem& item) {
        if (item.config)
            item.config->running = false;
        if (succeeded)
            item.completedDate = now;
        if (item.info) {
            // A failed run keeps what it learned before it failed.
            const DownloaderResult& seen = !succeeded && interim ? *interim : m_result;
            const auto learned = [&](const auto& field) {
                return field(m_result) ? field(m_result) : field(seen);
            };
            const std::optional<QUrl> location =
                learned([](const DownloaderResult& r) { return r.location(); });
            item.info->location = location;
            item.info->title =
                learned([](const DownloaderResult& r) { return r.title(); }).value_or(QString());
            item.info->duration = learned([](const DownloaderResult& r) { return r.duration(); });
            item.info->thumbnail = learned([](const DownloaderResult& r) { return r.thumbnail(); });
            item.info->bytes.reset();
            item.info->height = learned([](const DownloaderResult& r) { return r.height(); });
            // Said only of a run that got a file in the nearest quality.
            item.info->unavailableHeight = succeeded ? m_unavailableHeight : std::nullopt;
            if (succeeded) {
                if (location && location->isLocalFile()) {
                    const QFileInfo file(location->toLocalFile());
                    if (file.isFile())
                        item.info->bytes = file.size();
                }
                item.info->log = m_result.outputLog();
                item.info->error.reset();
            } else {
                const QString error = m_result.error().trimmed();
                item.info->error = error.isEmpty() ? std::nullopt : std::optional<QString>(m_result.error());
            }
        }
        const std::optional<DownloaderProcessError>& failure = m_result.processError();
        if (!succeeded && failure && failure->startDate())
            item.scheduledDate = failure->startDate();
    });
    if (!written) {
        qCWarning(Engine::lcMain) << "the outcome of a download could not be recorded:"
                                  << m_store.lastError();
        return false;
    }
    if (succeeded) {
        qCDebug(Engine::lcMain) << "Download completed.";
        if (notifier)
            notifier->post(notificationTitle(&m_result), m_source ? m_source->toString() : QString(), 1.0);
    }
    return true;
}

QString ShakeItemDownloaderActor::notificationTitle(const DownloaderResult* result)
{
    if (!result)
        return tr("Untitled");
    if (result->status() == DownloaderStatus::completed)
        return tr("✅ Downloaded");
    return QStringLiteral("VeltQorv");
}

} // namespace Library
