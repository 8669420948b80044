#pragma once

#include "engine/downloaderprogress.h"
#include "engine/qorvconfig.h"
#include "library/removeditems.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

namespace Engine {
class Preferences;
class TimePhraseParser;
} // namespace Engine

namespace Library {

class FaviconFetcher;
class Notifier;
class ShakeItemDownloaderActor;
class Store;
class ThumbnailCache;

// The application model: the one place through which downloads are added, started, stopped,
// starred and deleted. It owns the registry of runs in this process (item id -> its coordinator),
// so a stop always reaches the process that really runs, and the once-a-second scheduler that
// restarts premieres and live events when due, whether or not a window is open.
class MainModel : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    MainModel(Store& store, Engine::Preferences& preferences, Engine::TimePhraseParser* parser,
              Notifier* notifier, QObject* parent = nullptr);
    ~MainModel() override;

    Store& store() { return m_store; }
    Engine::Preferences& preferences() { return m_preferences; }
    // The pictures of the items, fetched as their runs end.
    ThumbnailCache& thumbnails() { return *m_thumbnails; }
    // Replaces the clock (tests); the default is the current UTC time.
    void setClock(Clock clock) { m_now = std::move(clock); }

    // Start-up: clears running flags left by an earlier process, looks the tool up when its path
    // is missing or stale, and starts the scheduler.
    void startUp();

    // Adds one item per address, all sharing one option set (the default set unless `config` is
    // given), and starts them. Addresses that are not http(s) are skipped. Returns the new ids.
    QList<qint64> add(const QList<QUrl>& urls,
                      const std::optional<Engine::QorvConfig>& config = std::nullopt);
    // Adds the text when it is exactly one valid address, else raises "No valid URL found in clipboard!".
    bool addFromClipboardText(const QString& text);

    // Marks items running and runs each; an item already running in this process is left alone.
    void start(const QList<qint64>& ids);
    // Starts the scheduled items whose date has come and that are not running.
    void startDue();
    // Clears the running flag and the schedule and ends the items' processes.
    void stop(const QList<qint64>& ids);
    // Stops every item marked running.
    void stopRunning();
    void toggleStar(const QList<qint64>& ids);
    enum class FileDisposal
    {
        keep,
        trash, // the desktop's trash
    };
    // Stops, then deletes the items with their records; with `trash`, their files go to the trash.
    // The delete can be undone for UndoWindowMs (undoRemove), then its items are forgotten.
    void remove(const QList<qint64>& ids, FileDisposal files = FileDisposal::keep);
    static constexpr int UndoWindowMs = 10000;
    bool canUndoRemove() const { return !m_removed.items.isEmpty(); }
    // Brings the items of the last delete back, stopped; their files stay where they are.
    void undoRemove();
    // Stops every run, then calls `done` once every process has ended or `waitMs` has passed
    // (quit). Runs still alive then are killed when the model is destroyed.
    void shutdown(int waitMs, std::function<void()> done);

    // True while a run of the item is alive in this process.
    bool isActive(qint64 id) const;
    int activeCount() const { return static_cast<int>(m_runs.size()); }
    // Items marked running in the store.
    int runningCount() const { return m_runningCount; }
    std::optional<Engine::DownloaderProgress> progress(qint64 id) const;

    QString searchTerm() const { return m_searchTerm; }
    void setSearchTerm(const QString& term);
    // Written by the list ("Found: N" during a search), shown by the main window.
    std::optional<QString> windowSubTitle() const { return m_windowSubTitle; }
    void setWindowSubTitle(const std::optional<QString>& subtitle);

    static QString noValidUrlMessage() { return tr("No valid URL found in clipboard!"); }
    static QString storeFailureMessage(const QString& reason)
    {
        return tr("The list of downloads could not be saved: %1").arg(reason);
    }

Q_SIGNALS:
    void runningCountChanged(int count);
    // A delete that can be undone took `count` items.
    void removed(int count);
    void undoRemoveExpired();
    void progressChanged(qint64 id);
    // A run of the item ended and its outcome is stored.
    void runFinished(qint64 id);
    void alertRaised(const QString& message);
    void searchTermChanged(const QString& term);
    void windowSubTitleChanged();

private:
    void launch(qint64 id);
    void launchQueued();
    void emitPendingProgress();
    void onRunFinished(qint64 id, quint64 token);
    void refreshRunningCount();
    void reportStoreFailure(const char* action);
    void checkShutdown();
    QDateTime now() const;

    Store& m_store;
    Engine::Preferences& m_preferences;
    Engine::TimePhraseParser* m_parser;
    Notifier* m_notifier;
    FaviconFetcher* m_favicons = nullptr;
    ThumbnailCache* m_thumbnails = nullptr;
    Clock m_now;
    QTimer m_scheduler;
    QDateTime m_lastStoreAlert;
    // One entry per item whose run is alive in this process.
    struct Run
    {
        ShakeItemDownloaderActor* actor = nullptr;
        quint64 token = 0;
        bool stopping = false;
        // Run again once the stopping run has ended, so two processes never write one file.
        bool restartPending = false;
        // False while it waits in the launch queue.
        bool launched = false;
    };
    QHash<qint64, Run> m_runs;
    QHash<qint64, Engine::DownloaderProgress> m_progress;
    QSet<qint64> m_progressPending;
    QTimer m_progressTimer;
    QList<qint64> m_launchQueue;
    QTimer m_launchTimer;
    quint64 m_nextToken = 1;
    int m_runningCount = 0;
    QString m_searchTerm;
    std::optional<QString> m_windowSubTitle;
    std::function<void()> m_shutdownDone;
    RemovedItems m_removed;
    QTimer m_undoTimer;
    QTimer m_shutdownTimer;
};

} // namespace Library
