#pragma once

#include "downloaderprogress.h"
#include "downloaderresult.h"
#include "downloaderstatus.h"

#include <QDateTime>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QUuid>

#include <functional>
#include <optional>

namespace Engine {

class CommandRunner;
class Preferences;
class ProcessResult;
class TimePhraseParser;

// One download of one page address by yt-dlp: finds the tool, starts it in the user's login
// environment (LoginEnvironment) with no shell in between,
// follows its output for the title, length, picture, saved file and progress, and ends with one
// `finished` carrying the classified outcome. Each run uses a new Downloader.
class Downloader : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // The newest part of the output kept as the run's log (characters); every line is still
    // parsed. It is the one copy of the output: the runner keeps none.
    static constexpr qsizetype DefaultRetainedLimit = 256 * 1024;

    // `arguments` are the options of the item's option set (QorvConfig::arguments()), one each.
    // `timePhraseParser` (may be null, must outlive the run) reads the start of a premiere or a
    // live event; `now` (default: the system clock) is the moment the start is measured from.
    Downloader(QString address, QStringList arguments, Preferences& preferences,
               TimePhraseParser* timePhraseParser, Clock now = {}, QObject* parent = nullptr);
    // A tool still running is killed with its process group.
    ~Downloader() override;

    // The item's own delay past the announced start of a premiere or live event, in seconds; it
    // wins over the preference downloadDelay (hours).
    void setDownloadDelay(std::optional<int> seconds) { m_downloadDelay = seconds; }
    void setRetainedLimit(qsizetype bytes) { m_retainedLimit = bytes; }

    const QUuid& id() const { return m_id; }
    // As given; what reaches the tool is built from the trimmed text.
    const QString& address() const { return m_address; }
    const QStringList& arguments() const { return m_arguments; }
    std::optional<int> downloadDelay() const { return m_downloadDelay; }
    // The tool path as found, once the run has looked it up.
    const std::optional<QString>& bin() const { return m_bin; }
    DownloaderStatus status() const { return m_status; }
    // Title, length, picture and file seen so far while the tool runs.
    const DownloaderResult& tempResult() const { return m_tempResult; }
    // The outcome, once finished has been emitted.
    const DownloaderResult& result() const { return m_result; }
    // Progress lines read so far in this run.
    qint64 progressLineCount() const { return m_progressLineCount; }

    // What the tool is given for `address`: the trimmed text as a URL in encoded form, or
    // nothing when it must not run, with the reason in `refusal`.
    static std::optional<QString> toolAddress(const QString& address, QString* refusal = nullptr);
    // What the tool is started with after its path: the options, the progress options (and,
    // for a tool that prints at stages, the title and final file), "--", the address.
    static QStringList toolArguments(const QStringList& options, const QString& progressPrefix,
                                     const QString& toolAddress, bool printsAtStages = false);
    // `program` and `arguments` as one line a POSIX shell reads back into exactly them.
    static QString quotedCommandLine(const QString& program, const QStringList& arguments);

public Q_SLOTS:
    // Starts the run from `ready`; `finished` follows exactly once, also when the address is
    // refused or the tool cannot be found or started. Ignored in any other status.
    void start();
    // Stops the tool and everything it started; the run then finishes as processTerminated.
    void stop();

Q_SIGNALS:
    void statusChanged(Engine::DownloaderStatus status);
    void titleChanged(const QString& title);
    void locationChanged(const QUrl& location);
    // The newest report of each burst of output. Per file: the percentage starts again with
    // each new file the tool writes, and never runs backwards within one.
    void progress(const Engine::DownloaderProgress& progress);
    // Queued: never emitted from inside start() or stop().
    void finished(const Engine::DownloaderResult& result);

private:
    void onEnvironment(const QProcessEnvironment& environment);
    void onBinResolved(const std::optional<QString>& path);
    void launch(const QString& bin, bool printsAtStages);
    void setTitle(const QString& title);
    void setLocation(const std::optional<QUrl>& location);
    void onOutputLine(const QString& line);
    void onProgressLine(QStringView fields);
    void flushProgress();
    void onRunnerFinished(const ProcessResult& processResult);
    void appendToLog(const QString& line);
    void fail(const DownloaderProcessError& error, const QString& errorText);
    void finish(DownloaderResult result);
    void setStatus(DownloaderStatus status);

    const QUuid m_id;
    const QString m_address;
    const QStringList m_arguments;
    Preferences& m_preferences;
    TimePhraseParser* m_timePhraseParser;
    Clock m_now;
    QProcessEnvironment m_environment;
    std::optional<int> m_downloadDelay;
    qsizetype m_retainedLimit = DefaultRetainedLimit;
    QString m_toolAddress;
    QString m_progressPrefix;

    std::optional<QString> m_bin;
    DownloaderStatus m_status = DownloaderStatus::ready;
    DownloaderResult m_tempResult;
    DownloaderResult m_result;
    CommandRunner* m_runner = nullptr;
    QStringList m_logLines;
    qsizetype m_logSize = 0;
    std::optional<double> m_filePercent;
    qint64 m_progressLineCount = 0;
    QString m_pendingProgress;
    QTimer m_progressFlush;
    bool m_started = false;
    // Once the tool has printed these itself, its other lines no longer name them.
    bool m_titlePrinted = false;
    bool m_filePrinted = false;
    bool m_stopRequested = false;
};

} // namespace Engine
