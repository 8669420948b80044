#include "failureclassification.h"

#include "timephraseparser.h"

#include <QStringList>

namespace Engine {

namespace {
const QLatin1String ErrorPrefix("error:");

// The ERROR: lines of the text, one per line, in order.
QString errorLines(const QString& text)
{
    QStringList lines;
    const QStringList all = text.split(QLatin1Char('\n'));
    for (const QString& line : all) {
        if (line.trimmed().startsWith(ErrorPrefix, Qt::CaseInsensitive))
            lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

// The time phrase follows the keyword closely; the natural-language parser runs on the window's
// thread and takes seconds over a huge text.
constexpr qsizetype MaxExcerpt = 1000;

// From the keyword's first occurrence, at most MaxExcerpt characters; nothing when it does not occur.
std::optional<QString> excerptFrom(const QString& text, QLatin1String keyword)
{
    const qsizetype at = text.indexOf(keyword, 0, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    return text.mid(at, MaxExcerpt);
}
} // namespace

std::optional<DownloaderProcessError> FailureClassification::classify(const QString& errorText,
                                                                      const Context& context)
{
    const QString errors = errorLines(errorText);
    // A crash prints a traceback with no ERROR: line; its last line still names the exception.
    const QString plainKinds = errors.isEmpty() ? errorText : errors;

    if (const std::optional<QString> excerpt = excerptFrom(errors, QLatin1String("Premiere")))
        return DownloaderProcessError::premieresVideo(computeStartDate(*excerpt, context));
    if (const std::optional<QString> excerpt = excerptFrom(errors, QLatin1String("LIVE EVENT")))
        return DownloaderProcessError::liveEvent(computeStartDate(*excerpt, context));
    if (plainKinds.contains(QLatin1String("Video unavailable"), Qt::CaseInsensitive))
        return DownloaderProcessError::videoUnavailable(errorText);
    // The tool words a refused write as "[Errno 13] Permission denied"; a crash as PermissionError.
    if (plainKinds.contains(QLatin1String("PermissionError"), Qt::CaseInsensitive) ||
        plainKinds.contains(QLatin1String("Permission denied"), Qt::CaseInsensitive))
        return DownloaderProcessError::permissionError(errorText);
    if (errors.contains(QLatin1String("Requested format is not available"), Qt::CaseInsensitive))
        return DownloaderProcessError::formatUnavailable(errorText);
    if (!errors.isEmpty())
        return DownloaderProcessError::downloadFailed(errorText);
    return std::nullopt;
}

DownloaderProcessError FailureClassification::failureForExit(const QString& errorText, int exitStatus,
                                                             const Context& context)
{
    if (std::optional<DownloaderProcessError> recognised = classify(errorText, context))
        return *recognised;
    const QString trimmed = errorText.trimmed();
    if (!trimmed.isEmpty())
        return DownloaderProcessError::downloadFailed(errorText);
    return DownloaderProcessError::downloadFailed(exitStatus >= 0 ? tr("exit status %1").arg(exitStatus)
                                                                  : tr("killed by a signal"));
}

QDateTime FailureClassification::computeStartDate(const QString& excerpt, const Context& context)
{
    const QDateTime now = context.now.isValid() ? context.now : QDateTime::currentDateTimeUtc();
    const QDateTime earliest = now.addSecs(MinimumRetrySeconds);

    const std::optional<QDateTime> stated =
        context.parser ? context.parser->parseDate(excerpt, now) : std::nullopt;
    if (!stated || !stated->isValid())
        return earliest;

    const qint64 interval = now.secsTo(*stated);
    QDateTime start;
    if (context.delaySeconds)
        start = stated->addSecs(*context.delaySeconds);
    else if (context.delayHours)
        start = stated->addSecs(static_cast<qint64>(*context.delayHours) * 3600);
    else if (interval <= 60)
        start = now.addSecs(interval);
    else
        // A stated start is rounded ("in 3 days"); looking again half-way catches an earlier one.
        start = now.addSecs(interval / 2);
    return std::max(start, earliest);
}

} // namespace Engine
