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
        row.createdText = tr("Created on: %1").arg(formatDate(item.createdDate));
    row.running = item.isRunning();
    row.starred = item.isStarred();
    row.errorText = item.errorMessage();
    row.scheduled = item.scheduledDate.has_value();

    // One state symbol: what the user most needs to know first.
    if (row.running) {
        row.stateSymbol = QStringLiteral("arrowshape.down.fill");
        row.stateHelp = tr("Downloading");
    } else if (item.completedDate) {
        row.stateSymbol = QStringLiteral("checkmark.circle");
        row.stateHelp = tr("Completed");
    } else if (row.scheduled) {
        row.stateSymbol = QStringLiteral("calendar.badge.clock");
        row.stateHelp = tr("Scheduled");
    } else {
        row.stateSymbol = QStringLiteral("stop.circle.fill");
        row.stateHelp = tr("Stopped");
    }

    if (item.completedDate) {
        row.completedText = tr("Completed on: %1").arg(formatDate(*item.completedDate));
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
            row.qualityNote = item.info->height ? tr("%1p was not available; downloaded %2p")
                                                      .arg(*item.info->unavailableHeight)
                                                      .arg(*item.info->height)
                                                : tr("%1p was not available; downloaded another quality")
                                                      .arg(*item.info->unavailableHeight);
    }
    if (item.scheduledDate && *item.scheduledDate > now)
        //: %1 is a relative time such as "in 2 hours"
        row.retryText = tr("Automatically retry %1").arg(relativeDate(*item.scheduledDate, now));
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
    // The singulars stand apart so the English reads "1 hour" without an English translation.
    struct Unit
    {
        qint64 seconds;
        const char* aheadOne;
        const char* aheadMany;
        const char* pastOne;
        const char* pastMany;
    };
    static constexpr Unit units[] = {
        {7 * 86400, QT_TRANSLATE_NOOP("ShakeListItemRow", "in 1 week"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "in %n weeks"),
         QT_TRANSLATE_NOOP("ShakeListItemRow", "1 week ago"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "%n weeks ago")},
        {86400, QT_TRANSLATE_NOOP("ShakeListItemRow", "in 1 day"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "in %n days"),
         QT_TRANSLATE_NOOP("ShakeListItemRow", "1 day ago"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "%n days ago")},
        {3600, QT_TRANSLATE_NOOP("ShakeListItemRow", "in 1 hour"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "in %n hours"),
         QT_TRANSLATE_NOOP("ShakeListItemRow", "1 hour ago"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "%n hours ago")},
        {60, QT_TRANSLATE_NOOP("ShakeListItemRow", "in 1 minute"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "in %n minutes"),
         QT_TRANSLATE_NOOP("ShakeListItemRow", "1 minute ago"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "%n minutes ago")},
        {1, QT_TRANSLATE_NOOP("ShakeListItemRow", "in 1 second"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "in %n seconds"),
         QT_TRANSLATE_NOOP("ShakeListItemRow", "1 second ago"),
         QT_TRANSLATE_N_NOOP("ShakeListItemRow", "%n seconds ago")},
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
    if (count == 1)
        return tr(seconds >= 0 ? unit->aheadOne : unit->pastOne);
    return tr(seconds >= 0 ? unit->aheadMany : unit->pastMany, nullptr, int(count));
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
        //: Downloaded bytes of all bytes
        parts << tr("%1 of %2")
                     .arg(locale.formattedDataSize(*progress.downloadedBytes()),
                          locale.formattedDataSize(*progress.totalBytes()));
    if (progress.speed())
        parts << tr("%1/s").arg(locale.formattedDataSize(static_cast<qint64>(*progress.speed())));
    if (progress.eta())
        parts << tr("%1 left").arg(formatDuration(*progress.eta()));
    return parts.join(QStringLiteral(" · "));
}

std::optional<QString> ShakeListItemRow::errorExplanation(const QString& errorText)
{
    if (!errorText.contains(QLatin1String("PermissionError"), Qt::CaseInsensitive) ||
        !errorText.contains(QLatin1String("cookies"), Qt::CaseInsensitive))
        return std::nullopt;
    // Browsers keep their cookies in the user's profile; a sandboxed browser (Flatpak, Snap) keeps
    // them where other programs may not read.
    //: Markdown; %1 is the product name
    return tr("⚠️ **File access** required to read and use cookies for downloading, please allow **%1** "
              "to read the browser's profile folder (a browser installed as **Flatpak or Snap** keeps it "
              "out of reach).\n"
              "Or remove cookies related options from configuration of command line tool yt-dlp.")
        .arg(Application::name());
}

} // namespace App
