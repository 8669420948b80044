#pragma once

#include "engine/downloaderprogress.h"
#include "engine/downloaderresult.h"
#include "engine/qorvconfigitem.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <optional>

namespace Engine {
class Downloader;
class Preferences;
class TimePhraseParser;
} // namespace Engine

namespace Library {

class Notifier;
class Store;

// Runs one stored item through a Downloader and records the outcome. The item is fetched again
// by id before every write, since it may have changed or gone while the tool ran.
class ShakeItemDownloaderActor : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    ShakeItemDownloaderActor(qint64 itemId, Store& store, Engine::Preferences& preferences,
                             Engine::TimePhraseParser* parser, Clock now, QObject* parent = nullptr);
    ~ShakeItemDownloaderActor() override;

    qint64 itemId() const { return m_itemId; }
    Engine::Downloader* downloader() const { return m_downloader; }

    // Starts the run; finished() follows exactly once, also when the item cannot run (gone,
    // no address), so its running flag never stays behind. A run whose capped height does not
    // exist is run once more, for the nearest quality, before it finishes.
    void run();
    void stop();

    // Writes the outcome into the item in one transaction; false when the store could not be
    // written (an item deleted meanwhile needs nothing written).
    bool recordOutcome(Notifier* notifier) const;
    const Engine::DownloaderResult& result() const { return m_result; }

    // The title of the completion notification for a run that ended in `result`.
    static QString notificationTitle(const Engine::DownloaderResult* result);

Q_SIGNALS:
    void progress(qint64 itemId, const Engine::DownloaderProgress& progress);
    void finished(qint64 itemId);

private:
    void finishWithError(const QString& message);
    void launch(const QList<Engine::QorvConfigItem>& options);

    const qint64 m_itemId;
    Store& m_store;
    Engine::Preferences& m_preferences;
    Engine::TimePhraseParser* m_parser;
    Clock m_now;
    Engine::Downloader* m_downloader = nullptr;
    Engine::DownloaderResult m_result;
    std::optional<QUrl> m_source;
    QString m_address;
    std::optional<int> m_downloadDelay;
    // The switched-on options of the item's set.
    QList<Engine::QorvConfigItem> m_options;
    // Set once the run was started again for the nearest quality.
    std::optional<int> m_unavailableHeight;
};

} // namespace Library
