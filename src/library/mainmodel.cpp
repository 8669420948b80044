#include "mainmodel.h"

#include "faviconfetcher.h"
#include "presetlist.h"
#include "shakeitemdownloaderactor.h"
#include "store.h"
#include "thumbnailcache.h"

#include "capture/linkdetector.h"
#include "engine/downloadchoice.h"
#include "engine/logging.h"
#include "engine/orphansweeper.h"
#include "engine/preferences.h"
#include "engine/toolpath.h"
#include "library/librarykeys.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace Library {

namespace {
constexpr int SchedulerIntervalMs = 1000;
constexpr qint64 StoreAlertIntervalSeconds = 60;
constexpr qint64 LaunchBudgetMs = 8;
// Rows redraw at most this often while tools report progress, however fast they do.
constexpr int ProgressIntervalMs = 100;
} // namespace

MainModel::MainModel(Store& store, Engine::Preferences& preferences, Engine::TimePhraseParser* parser,
                     Notifier* notifier, QObject* parent)
    : QObject(parent), m_store(store), m_preferences(preferences), m_parser(parser), m_notifier(notifier)
{
    m_favicons = new FaviconFetcher(m_store, this);
    m_thumbnails = new ThumbnailCache(ThumbnailCache::defaultFolder(), ThumbnailCache::DefaultCapBytes, this);
    m_scheduler.setInterval(SchedulerIntervalMs);
    connect(&m_scheduler, &QTimer::timeout, this, &MainModel::startDue);
    m_shutdownTimer.setSingleShot(true);
    connect(&m_shutdownTimer, &QTimer::timeout, this, [this] {
        if (auto done = std::exchange(m_shutdownDone, nullptr))
            done();
    });
    connect(&m_store, &Store::changed, this, &MainModel::refreshRunningCount);
    m_launchTimer.setSingleShot(true);
    m_launchTimer.setInterval(0);
    connect(&m_launchTimer, &QTimer::timeout, this, &MainModel::launchQueued);
    m_undoTimer.setSingleShot(true);
    m_undoTimer.setInterval(UndoWindowMs);
    connect(&m_undoTimer, &QTimer::timeout, this, [this] {
        m_removed = {};
        Q_EMIT undoRemoveExpired();
    });
    m_progressTimer.setSingleShot(true);
    m_progressTimer.setInterval(ProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &MainModel::emitPendingProgress);
}

MainModel::~MainModel()
{
    // A run still alive is killed with its process group as its downloader goes.
    const QHash<qint64, Run> runs = std::exchange(m_runs, {});
    for (const Run& run : runs) {
        run.actor->disconnect(this);
        delete run.actor;
    }
}

QDateTime MainModel::now() const
{
    return m_now ? m_now() : QDateTime::currentDateTimeUtc();
}

void MainModel::startUp()
{
    // Tools a killed predecessor left running would still be writing our files.
    const QString scope = QFileInfo(m_store.path()).absoluteFilePath();
    Engine::OrphanSweeper::markChildren(scope);
    const int swept = Engine::OrphanSweeper::sweep(scope);
    if (swept > 0)
        qCInfo(Engine::lcMain) << "ended" << swept << "tool processes left by an earlier run";
    const int cleared = m_store.clearStaleRunning();
    if (cleared > 0)
        qCInfo(Engine::lcMain) << "cleared the running flag of" << cleared << "items left by an earlier run";
    Engine::ToolPath::discover(m_preferences, this);
    refreshRunningCount();
    m_scheduler.start();
    qCDebug(Engine::lcMain) << "start-up done";
}

QList<qint64> MainModel::add(const QList<QUrl>& urls, const std::optional<Engine::QorvConfig>& config)
{
    QList<ShakeItem> items;
    for (const QUrl& url : urls) {
        if (ShakeItem::isAcceptedSource(url))
            items.append(ShakeItem::create(url));
        else
            qCWarning(Engine::lcMain).noquote()
                << "refused an address that is not http(s):" << url.toString();
    }
    if (items.isEmpty())
        return {};

    const QUrl outputLocation = m_preferences.value(Library::Keys::defaultOutputLocation);
    Engine::QorvConfig options;
    if (config) {
        options = *config;
        options.ensureSaveTo(outputLocation);
    } else if (const std::optional<DownloadPreset> preset = PresetList(m_preferences).defaultPreset()) {
        options = preset->config(outputLocation);
    } else {
        options = Engine::QorvConfig::makeDefault(outputLocation,
                                                  m_preferences.value(Library::Keys::defaultResolution));
    }
    const QString badge = Engine::DownloadChoice::badgeOf(options.enabledItems());
    for (ShakeItem& item : items)
        item.info->badge = badge;
    const std::optional<QList<qint64>> ids = m_store.insertItems(items, options);
    if (!ids) {
        reportStoreFailure("adding downloads");
        return {};
    }
    start(*ids);
    return *ids;
}

bool MainModel::addFromClipboardText(const QString& text)
{
    const std::optional<QUrl> url = Capture::LinkDetector::validUrl(text);
    if (!url) {
        Q_EMIT alertRaised(noValidUrlMessage());
        return false;
    }
    // A store that cannot be written has said so already.
    return !add({*url}).isEmpty();
}

void MainModel::start(const QList<qint64>& ids)
{
    QList<qint64> toStart;
    for (const qint64 id : ids) {
        const auto run = m_runs.find(id);
        if (run == m_runs.end()) {
            toStart.append(id);
        } else if (run->stopping && !run->restartPending) {
            run->restartPending = true;
            toStart.append(id);
        }
        // A run that is alive and not stopping is left alone: one process per item.
    }
    if (toStart.isEmpty())
        return;
    if (!m_store.startItems(toStart))
        reportStoreFailure("marking downloads as running");
    for (const qint64 id : toStart) {
        if (!m_runs.contains(id))
            launch(id);
    }
}

void MainModel::launch(qint64 id)
{
    auto* actor = new ShakeItemDownloaderActor(id, m_store, m_preferences, m_parser, m_now, this);
    const quint64 token = m_nextToken++;
    m_runs.insert(id, Run{actor, token, false, false, false});
    connect(actor, &ShakeItemDownloaderActor::progress, this,
            [this](qint64 itemId, const Engine::DownloaderProgress& p) {
                m_progress.insert(itemId, p);
                m_progressPending.insert(itemId);
                if (!m_progressTimer.isActive())
                    m_progressTimer.start();
            });
    connect(actor, &ShakeItemDownloaderActor::finished, this,
            [this, token](qint64 itemId) { onRunFinished(itemId, token); });
    m_launchQueue.append(id);
    if (!m_launchTimer.isActive())
        m_launchTimer.start();
}

void MainModel::launchQueued()
{
    // Starting a process costs a fork; a few per turn keep the window responsive when hundreds
    // of downloads start at once.
    QElapsedTimer turn;
    turn.start();
    while (!m_launchQueue.isEmpty() && turn.elapsed() < LaunchBudgetMs) {
        const qint64 id = m_launchQueue.takeFirst();
        const auto run = m_runs.find(id);
        if (run == m_runs.end() || run->launched)
            continue;
        run->launched = true;
        // The icon is fetched beside the download; neither waits for the other.
        m_favicons->refresh(id);
        run->actor->run();
    }
    if (!m_launchQueue.isEmpty())
        m_launchTimer.start();
}

void MainModel::emitPendingProgress()
{
    const QSet<qint64> pending = std::exchange(m_progressPending, {});
    for (const qint64 id : pending)
        Q_EMIT progressChanged(id);
}

void MainModel::onRunFinished(qint64 id, quint64 token)
{
    const auto run = m_runs.find(id);
    if (run == m_runs.end() || run->token != token)
        return;
    ShakeItemDownloaderActor* actor = run->actor;
    const bool restart = run->restartPending;
    m_runs.erase(run);
    m_progress.remove(id);
    m_progressPending.remove(id);
    actor->deleteLater();
    if (restart) {
        // The outcome of the stopped run is superseded by the run the user asked for since.
        launch(id);
    } else {
        if (!actor->recordOutcome(m_notifier))
            reportStoreFailure("recording the outcome of a download");
        else if (const std::optional<ShakeItem> item = m_store.item(id);
                 item && item->info && item->info->thumbnail)
            m_thumbnails->fetch(*item->info->thumbnail);
        Q_EMIT runFinished(id);
    }
    Q_EMIT progressChanged(id);
    checkShutdown();
}

void MainModel::reportStoreFailure(const char* action)
{
    qCWarning(Engine::lcMain) << action << "failed:" << m_store.lastError();
    // A read-only or full disk fails every write; one alert says it for a while.
    const QDateTime at = now();
    if (m_lastStoreAlert.isValid() && m_lastStoreAlert.secsTo(at) < StoreAlertIntervalSeconds)
        return;
    m_lastStoreAlert = at;
    Q_EMIT alertRaised(storeFailureMessage(m_store.lastError()));
}

void MainModel::startDue()
{
    QList<qint64> due;
    for (const ShakeItem& item : m_store.dueItems(now())) {
        if (!item.isRunning() && !m_runs.contains(item.id))
            due.append(item.id);
    }
    if (!due.isEmpty())
        start(due);
}

void MainModel::stop(const QList<qint64>& ids)
{
    if (!m_store.stopItems(ids))
        reportStoreFailure("stopping downloads");
    for (const qint64 id : ids) {
        const auto run = m_runs.find(id);
        if (run == m_runs.end())
            continue;
        if (!run->launched) {
            // Still waiting for its turn: nothing runs, and its record stays as it was.
            run->actor->deleteLater();
            m_runs.erase(run);
            Q_EMIT runFinished(id);
            Q_EMIT progressChanged(id);
            continue;
        }
        run->stopping = true;
        run->restartPending = false;
        run->actor->stop();
    }
    checkShutdown();
}

void MainModel::stopRunning()
{
    QList<qint64> ids = m_runs.keys();
    for (const ShakeItem& item : m_store.runningItems()) {
        if (!ids.contains(item.id))
            ids.append(item.id);
    }
    stop(ids);
}

void MainModel::toggleStar(const QList<qint64>& ids)
{
    if (!m_store.toggleStar(ids))
        reportStoreFailure("starring downloads");
}

void MainModel::remove(const QList<qint64>& ids, FileDisposal files)
{
    stop(ids);
    std::optional<RemovedItems> taken = m_store.takeItems(ids);
    if (!taken) {
        reportStoreFailure("deleting downloads");
        return;
    }
    if (files == FileDisposal::trash) {
        for (const ShakeItem& item : std::as_const(taken->items)) {
            const std::optional<QUrl> location = item.info ? item.info->location : std::nullopt;
            if (!location || !location->isLocalFile() || !QFileInfo::exists(location->toLocalFile()))
                continue;
            if (!QFile::moveToTrash(location->toLocalFile()))
                qCWarning(Engine::lcMain).noquote()
                    << "could not move to the trash:" << location->toLocalFile();
        }
    }
    if (taken->items.isEmpty())
        return;
    m_removed = std::move(*taken);
    m_undoTimer.start();
    Q_EMIT removed(static_cast<int>(m_removed.items.size()));
}

void MainModel::undoRemove()
{
    if (m_removed.items.isEmpty())
        return;
    m_undoTimer.stop();
    if (!m_store.restoreItems(std::exchange(m_removed, {})))
        reportStoreFailure("restoring deleted downloads");
}

void MainModel::shutdown(int waitMs, std::function<void()> done)
{
    m_scheduler.stop();
    m_shutdownDone = std::move(done);
    stopRunning();
    m_shutdownTimer.start(waitMs);
    checkShutdown();
}

void MainModel::checkShutdown()
{
    if (!m_shutdownDone || !m_runs.isEmpty())
        return;
    m_shutdownTimer.stop();
    // Let the outcome writes queued behind this one land first.
    QTimer::singleShot(0, this, [this] {
        if (auto done = std::exchange(m_shutdownDone, nullptr))
            done();
    });
}

bool MainModel::isActive(qint64 id) const
{
    return m_runs.contains(id);
}

std::optional<Engine::DownloaderProgress> MainModel::progress(qint64 id) const
{
    const auto it = m_progress.constFind(id);
    return it == m_progress.constEnd() ? std::nullopt : std::optional<Engine::DownloaderProgress>(*it);
}

void MainModel::setSearchTerm(const QString& term)
{
    if (term == m_searchTerm)
        return;
    m_searchTerm = term;
    Q_EMIT searchTermChanged(term);
}

void MainModel::setWindowSubTitle(const std::optional<QString>& subtitle)
{
    if (subtitle == m_windowSubTitle)
        return;
    m_windowSubTitle = subtitle;
    Q_EMIT windowSubTitleChanged();
}

void MainModel::refreshRunningCount()
{
    const int count = m_store.count(ItemQuery::sidebar(SidebarItemType::running));
    if (count < 0 || count == m_runningCount)
        return;
    m_runningCount = count;
    Q_EMIT runningCountChanged(count);
}

} // namespace Library
