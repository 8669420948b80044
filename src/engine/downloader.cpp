#include "downloader.h"

#include "commandrunner.h"
#include "downloaderoutputparser.h"
#include "engine/enginekeys.h"
#include "failureclassification.h"
#include "logging.h"
#include "loginenvironment.h"
#include "preferences.h"
#include "processresult.h"
#include "shellquote.h"
#include "toolfeatures.h"
#include "toolpath.h"

#include <utility>

namespace Engine {

namespace {
constexpr int ToolNiceness = 10;
// After the per-run prefix; progress reports follow it with a space.
const QLatin1String TitleTag(":title ");
const QLatin1String FileTag(":file ");
const QLatin1String DurationTag(":duration ");
const QLatin1String ThumbnailTag(":thumbnail ");
const QLatin1String HeightTag(":height ");

// The tool prints NA for a field it does not know.
std::optional<QString> printedValue(QStringView text)
{
    const QString value = text.trimmed().toString();
    if (value.isEmpty() || value == QLatin1String("NA"))
        return std::nullopt;
    return value;
}
const QLatin1String FinishedTag(" finished ");
} // namespace

Downloader::Downloader(QString address, QStringList arguments, Preferences& preferences,
                       TimePhraseParser* timePhraseParser, Clock now, QObject* parent)
    : QObject(parent), m_id(QUuid::createUuid()), m_address(std::move(address)),
      m_arguments(std::move(arguments)), m_preferences(preferences), m_timePhraseParser(timePhraseParser),
      m_now(std::move(now)),
      // Unique per run, so no text the tool prints (a title, a description) can pass for progress.
      m_progressPrefix(QStringLiteral("[veltqorv-progress-%1]").arg(m_id.toString(QUuid::Id128).left(16)))
{
    m_progressFlush.setSingleShot(true);
    m_progressFlush.setInterval(0);
    connect(&m_progressFlush, &QTimer::timeout, this, &Downloader::flushProgress);
}

Downloader::~Downloader()
{
    qCDebug(lcDownloader) << "Downloader deinit!";
}

std::optional<QString> Downloader::toolAddress(const QString& address, QString* refusal)
{
    const auto refuse = [refusal](const QString& reason) {
        if (refusal)
            *refusal = reason;
        return std::nullopt;
    };
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return refuse(tr("The address is empty."));
    // The tool would take it for an option, whatever stands before it.
    if (trimmed.startsWith(QLatin1Char('-')))
        return refuse(tr("The address \"%1\" begins with \"-\" and is not a web address.").arg(trimmed));
    const QUrl url(trimmed, QUrl::TolerantMode);
    if (!url.isValid())
        return refuse(tr("The address \"%1\" is not a valid web address.").arg(trimmed));
    return url.toString(QUrl::FullyEncoded);
}

QStringList Downloader::toolArguments(const QStringList& options, const QString& progressPrefix,
                                      const QString& toolAddress, bool printsAtStages)
{
    QStringList arguments = options;
    // --newline puts every progress report on a line of its own, readable as it comes.
    arguments << QStringLiteral("--newline") << QStringLiteral("--progress-template")
              << DownloaderProgress::progressTemplate(progressPrefix);
    // The title, length and picture as the site gives them, and the file as it ends up after
    // merging, extracting and moving. --print makes the tool quiet, so progress is asked for again.
    if (printsAtStages) {
        arguments << QStringLiteral("--progress");
        const auto print = [&](const char* stage, QLatin1String tag, const char* field) {
            arguments << QStringLiteral("--print")
                      << QLatin1String(stage) + progressPrefix + tag + QLatin1String(field);
        };
        print("before_dl:", TitleTag, "%(title)s");
        print("before_dl:", DurationTag, "%(duration)s");
        print("before_dl:", ThumbnailTag, "%(thumbnail)s");
        print("after_move:", HeightTag, "%(height)s");
        print("after_move:", FileTag, "%(filepath)s");
    }
    arguments << QStringLiteral("--") << toolAddress;
    return arguments;
}

QString Downloader::quotedCommandLine(const QString& program, const QStringList& arguments)
{
    QStringList words{shellWord(program)};
    for (const QString& argument : arguments)
        words.append(shellWord(argument));
    return words.join(QLatin1Char(' '));
}

void Downloader::start()
{
    if (m_started || m_status != DownloaderStatus::ready) {
        qCWarning(lcDownloader) << "A download run is started once; ignored.";
        return;
    }
    m_started = true;

    QString refusal;
    const std::optional<QString> argument = toolAddress(m_address, &refusal);
    if (!argument) {
        fail(DownloaderProcessError::addressRefused(refusal), refusal);
        return;
    }
    m_toolAddress = *argument;
    LoginEnvironment::instance().follow(m_preferences);
    LoginEnvironment::instance().request(
        this, [this](const QProcessEnvironment& environment) { onEnvironment(environment); });
}

void Downloader::onEnvironment(const QProcessEnvironment& environment)
{
    m_environment = environment;
    ToolPath::resolveBin(m_preferences, false, this,
                         [this](const std::optional<QString>& path) { onBinResolved(path); });
}

void Downloader::stop()
{
    if (!m_started || m_status == DownloaderStatus::failed || m_status == DownloaderStatus::completed)
        return;
    m_stopRequested = true;
    // Without a runner the tool lookup is still under way; its answer ends the run.
    if (m_runner)
        m_runner->terminate();
}

void Downloader::onBinResolved(const std::optional<QString>& path)
{
    if (m_stopRequested) {
        fail(DownloaderProcessError::processTerminated(), {});
        return;
    }
    if (!path) {
        fail(DownloaderProcessError::downloaderBinNotFound(), tr("yt-dlp not found!"));
        return;
    }
    m_bin = path;
    const std::optional<QString> runnable = ToolPath::runnableBin(*path, m_environment);
    if (!runnable) {
        fail(DownloaderProcessError::downloaderBinNotFound(),
             tr("yt-dlp not found at %1").arg(path->trimmed()));
        return;
    }
    const QString bin = *runnable;
    ToolFeatures::probe(bin, m_environment, this, [this, bin](const ToolFeatures& features) {
        launch(bin, features.printsAtStages());
    });
}

void Downloader::launch(const QString& bin, bool printsAtStages)
{
    if (m_stopRequested) {
        fail(DownloaderProcessError::processTerminated(), {});
        return;
    }
    setStatus(DownloaderStatus::running);

    const QStringList arguments = toolArguments(m_arguments, m_progressPrefix, m_toolAddress, printsAtStages);
    qCDebug(lcDownloader).noquote() << "cmd arguments:" << quotedCommandLine(bin, arguments);
    m_runner = new CommandRunner(this);
    m_runner->setRetainedLimit(m_retainedLimit);
    // The log below is the one copy of the output.
    m_runner->setKeepsOutput(false);
    // Hundreds of tools printing progress would otherwise leave the window no CPU to answer with.
    m_runner->setNiceness(ToolNiceness);
    connect(m_runner, &CommandRunner::outputLine, this, &Downloader::onOutputLine);
    connect(m_runner, &CommandRunner::finished, this, &Downloader::onRunnerFinished);
    m_runner->start(bin, arguments, m_environment);
}

void Downloader::onOutputLine(const QString& line)
{
    if (line.startsWith(m_progressPrefix)) {
        const QStringView rest = QStringView(line).mid(m_progressPrefix.size());
        if (rest.startsWith(TitleTag)) {
            m_titlePrinted = true;
            setTitle(rest.mid(TitleTag.size()).toString());
            return;
        }
        if (rest.startsWith(DurationTag)) {
            bool ok = false;
            const double seconds =
                printedValue(rest.mid(DurationTag.size())).value_or(QString()).toDouble(&ok);
            m_tempResult.setDuration(ok && seconds >= 0 ? std::optional(qRound64(seconds)) : std::nullopt);
            return;
        }
        if (rest.startsWith(ThumbnailTag)) {
            // Sites may name it relative to the page.
            const std::optional<QString> text = printedValue(rest.mid(ThumbnailTag.size()));
            const QUrl thumbnail = text ? QUrl(m_toolAddress).resolved(QUrl(*text)) : QUrl();
            const QString scheme = thumbnail.scheme();
            m_tempResult.setThumbnail(
                thumbnail.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
                    ? std::optional(thumbnail)
                    : std::nullopt);
            return;
        }
        if (rest.startsWith(HeightTag)) {
            bool ok = false;
            const int height = printedValue(rest.mid(HeightTag.size())).value_or(QString()).toInt(&ok);
            m_tempResult.setHeight(ok && height > 0 ? std::optional(height) : std::nullopt);
            return;
        }
        if (rest.startsWith(FileTag)) {
            flushProgress();
            m_filePrinted = true;
            setLocation(DownloaderOutputParser::fileLocation(rest.mid(FileTag.size()).toString()));
            return;
        }
        // Only the newest report of a burst is shown; reading each would cost a busy tool's
        // window its responsiveness.
        ++m_progressLineCount;
        m_pendingProgress = line;
        // A file's last report is never folded into the next one's first, and with the tool
        // quiet it is the only sign that a new file begins.
        if (rest.startsWith(FinishedTag)) {
            flushProgress();
            m_filePercent.reset();
            return;
        }
        if (!m_progressFlush.isActive())
            m_progressFlush.start();
        return;
    }
    // A report belongs to the file named before it.
    flushProgress();
    qCDebug(lcDownloader).noquote() << line;
    appendToLog(line);

    DownloaderOutputParser::Found found{m_tempResult.title(), m_tempResult.location()};
    DownloaderOutputParser::apply(line, found);
    if (!m_filePrinted)
        setLocation(found.location);
    if (!m_titlePrinted && found.title)
        setTitle(*found.title);
}

void Downloader::setLocation(const std::optional<QUrl>& location)
{
    if (location == m_tempResult.location())
        return;
    m_tempResult.setLocation(location);
    // A new file: its progress starts from nothing.
    m_filePercent.reset();
    if (location)
        Q_EMIT locationChanged(*location);
}

void Downloader::setTitle(const QString& title)
{
    if (title == m_tempResult.title())
        return;
    m_tempResult.setTitle(title);
    Q_EMIT titleChanged(title);
}

void Downloader::flushProgress()
{
    m_progressFlush.stop();
    if (const QString line = std::exchange(m_pendingProgress, {}); !line.isEmpty())
        onProgressLine(QStringView(line).mid(m_progressPrefix.size()));
}

void Downloader::onProgressLine(QStringView fields)
{
    std::optional<DownloaderProgress> report = DownloaderProgress::parse(fields);
    if (!report)
        return;
    // Estimates of the size grow as fragments arrive; a bar that runs backwards helps nobody.
    if (report->percent() && m_filePercent && *report->percent() < *m_filePercent)
        report->setPercent(m_filePercent);
    if (report->percent())
        m_filePercent = report->percent();
    Q_EMIT progress(*report);
}

void Downloader::appendToLog(const QString& line)
{
    if (m_retainedLimit < 0) {
        m_logLines.append(line);
        return;
    }
    m_logLines.append(line);
    m_logSize += line.size() + 1;
    // Drop the oldest lines; the oldest one kept may lose its beginning, so that the log holds
    // exactly the newest part.
    while (m_logSize > m_retainedLimit && !m_logLines.isEmpty()) {
        const qsizetype excess = m_logSize - m_retainedLimit;
        QString& oldest = m_logLines.first();
        if (oldest.size() + 1 <= excess) {
            m_logSize -= oldest.size() + 1;
            m_logLines.removeFirst();
        } else {
            oldest.remove(0, excess);
            m_logSize -= excess;
        }
    }
}

void Downloader::onRunnerFinished(const ProcessResult& processResult)
{
    flushProgress();
    if (processResult.kind() == ProcessResult::Kind::Output) {
        DownloaderResult outcome = m_tempResult;
        outcome.setStatus(DownloaderStatus::completed);
        outcome.setOutputLog(m_logLines.join(QLatin1Char('\n')).trimmed());
        qCDebug(lcDownloader).noquote() << "Downloaded:" << outcome.title().value_or(QString());
        finish(std::move(outcome));
        return;
    }
    qCDebug(lcDownloader) << "downloader terminated!";
    if (m_stopRequested) {
        fail(DownloaderProcessError::processTerminated(), {});
        return;
    }
    if (processResult.kind() == ProcessResult::Kind::LaunchFailure) {
        const QString reason = tr("yt-dlp could not be started: %1").arg(processResult.text());
        fail(DownloaderProcessError::downloadFailed(reason), reason);
        return;
    }

    qCInfo(lcDownloader).noquote() << processResult.text();
    FailureClassification::Context context;
    context.parser = m_timePhraseParser;
    context.delaySeconds = m_downloadDelay;
    context.delayHours = m_preferences.value(Engine::Keys::downloadDelay);
    context.now = m_now ? m_now() : QDateTime::currentDateTimeUtc();
    const DownloaderProcessError error =
        FailureClassification::failureForExit(processResult.text(), processResult.exitStatus(), context);
    const QString errorText = processResult.text().trimmed();
    fail(error, errorText.isEmpty() ? error.text() : errorText);
}

void Downloader::fail(const DownloaderProcessError& error, const QString& errorText)
{
    DownloaderResult outcome = m_tempResult;
    outcome.setStatus(DownloaderStatus::failed);
    outcome.setOutputLog(m_logLines.join(QLatin1Char('\n')).trimmed());
    outcome.setError(errorText);
    outcome.setProcessError(error);
    finish(std::move(outcome));
}

void Downloader::finish(DownloaderResult outcome)
{
    m_result = std::move(outcome);
    m_logLines.clear();
    m_logSize = 0;
    setStatus(m_result.status());
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT finished(m_result); }, Qt::QueuedConnection);
}

void Downloader::setStatus(DownloaderStatus status)
{
    if (status == m_status)
        return;
    m_status = status;
    Q_EMIT statusChanged(status);
}

} // namespace Engine
