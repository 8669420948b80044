#include "app/list/shakelistitemrow.h"

#include "app/application.h"

#include <QLocale>

namespace App {

ShakeListItemRow ShakeListItemRow::make(const Library::ShakeItem& item, const QDateTime& now,
                                        const std::optional<Engine::DownloaderProgress>& progress)
{
    ShakeListItemRow row;
    const QString title = item.info ? item.info->title.trimmed() : QString();
    row.title = !title.isEmpty() ? title : (item.source ? item.source->toDisplayString() : QString());
    if (item.createdDate.isValid())
        row.createdText = QStringLiteral("Created on: ") + formatDate(item.createdDate);
    row.running = item.isRunning();
    row.starred = item.isStarred();
    row.errorText = item.errorMessage();
    row.scheduled = item.scheduledDate.has_value();

    // One state symbol: what the user most needs to know first.
    if (row.running) {
        row.stateSymbol = QStringLiteral("arrowshape.down.fill");
        row.stateHelp = QStringLiteral("Downloading");
    } else if (item.completedDate) {
        row.stateSymbol = QStringLiteral("checkmark.circle");
        row.stateHelp = QStringLiteral("Completed");
    } else if (row.scheduled) {
        row.stateSymbol = QStringLiteral("calendar.badge.clock");
        row.stateHelp = QStringLiteral("Scheduled");
    } else {
        row.stateSymbol = QStringLiteral("stop.circle.fill");
        row.stateHelp = QStringLiteral("Stopped");
    }

    if (item.completedDate) {
        row.completedText = QStringLiteral("Completed on: ") + formatDate(*item.completedDate);
        if (item.info && item.info->location && item.info->location->isLocalFile())
            row.filePath = item.info->location->toLocalFile();
    }
    if (item.info) {
        row.badge = item.info->badge.value_or(QString());
        if (item.info->duration)
            row.durationText = formatDuration(*item.info->duration);
        if (item.info->bytes)
            row.sizeText = QLocale().formattedDataSize(*item.info->bytes, 1, QLocale::DataSizeSIFormat);
        // The nearest quality may lie above the one asked for, so an unknown one is not called lower.
        if (item.info->unavailableHeight)
            row.qualityNote = QStringLiteral("%1p was not available; downloaded %2")
                                  .arg(*item.info->unavailableHeight)
                                  .arg(item.info->height ? QStringLiteral("%1p").arg(*item.info->height)
                                                         : QStringLiteral("another quality"));
    }
    if (item.scheduledDate && *item.scheduledDate > now)
        row.retryText = QStringLiteral("Automatically retry ") + relativeDate(*item.scheduledDate, now);
    if (row.running && progress) {
        row.progress = progress;
        row.progressText = formatProgress(*progress);
    }
    return row;
}

QString ShakeListItemRow::formatDate(const QDateTime& date)
{
    return QLocale().toString(date.toLocalTime(), QLocale::ShortFormat);
}

QString ShakeListItemRow::relativeDate(const QDateTime& date, const QDateTime& now)
{
    const qint64 seconds = now.secsTo(date);
    const qint64 magnitude = std::abs(seconds);
    struct Unit
    {
        qint64 seconds;
        const char* singular;
        const char* plural;
    };
    static constexpr Unit units[] = {
        {7 * 86400, "week", "weeks"}, {86400, "day", "days"},   {3600, "hour", "hours"},
        {60, "minute", "minutes"},    {1, "second", "seconds"},
    };
    qint64 count = 0;
    const Unit* unit = &units[4];
    for (const Unit& candidate : units) {
        if (magnitude >= candidate.seconds) {
            unit = &candidate;
            count = magnitude / candidate.seconds;
            break;
        }
    }
    const QString amount =
        QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? unit->singular : unit->plural));
    return seconds >= 0 ? QStringLiteral("in ") + amount : amount + QStringLiteral(" ago");
}

QString ShakeListItemRow::formatDuration(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds % 3600) / 60;
    const qint64 rest = seconds % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(rest, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
}

QString ShakeListItemRow::formatProgress(const Engine::DownloaderProgress& progress)
{
    QStringList parts;
    const QLocale locale;
    if (progress.percent())
        parts << QStringLiteral("%1%").arg(locale.toString(*progress.percent(), 'f', 1));
    if (progress.downloadedBytes() && progress.totalBytes())
        parts << QStringLiteral("%1 of %2")
                     .arg(locale.formattedDataSize(*progress.downloadedBytes()),
                          locale.formattedDataSize(*progress.totalBytes()));
    if (progress.speed())
        parts << locale.formattedDataSize(static_cast<qint64>(*progress.speed())) + QStringLiteral("/s");
    if (progress.eta())
        parts << formatDuration(*progress.eta()) + QStringLiteral(" left");
    return parts.join(QStringLiteral(" · "));
}

std::optional<QString> ShakeListItemRow::errorExplanation(const QString& errorText)
{
    if (!errorText.contains(QLatin1String("PermissionError"), Qt::CaseInsensitive) ||
        !errorText.contains(QLatin1String("cookies"), Qt::CaseInsensitive))
        return std::nullopt;
    // Browsers keep their cookies in the user's profile; a sandboxed browser (Flatpak, Snap) keeps
    // them where other programs may not read.
    return QStringLiteral("⚠️ **") + QStringLiteral("File access") +
           QStringLiteral("** required to read and use cookies for downloading, please allow **") +
           Application::name() +
           QStringLiteral("** to read the browser's profile folder (a browser installed as **") +
           QStringLiteral("Flatpak or Snap") +
           QStringLiteral(
               "** keeps it out of reach).\n"
               "Or remove cookies related options from configuration of command line tool yt-dlp.");
}

} // namespace App
