#include "downloaderprogress.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace Engine {

namespace {
// Raw numbers rather than the tool's formatted strings: no units, padding or locale to undo.
// A field the tool does not know prints as NA.
const QLatin1String Fields("%(progress.status)s %(progress.downloaded_bytes)s %(progress.total_bytes)s "
                           "%(progress.total_bytes_estimate)s %(progress.speed)s %(progress.eta)s "
                           "%(progress.fragment_index)s %(progress.fragment_count)s");
constexpr int FieldCount = 8;

std::optional<double> number(QStringView field)
{
    if (field == u"NA" || field == u"None")
        return std::nullopt;
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

std::optional<qint64> whole(QStringView field)
{
    const std::optional<double> value = number(field);
    if (!value || *value > 9.0e18)
        return std::nullopt;
    return static_cast<qint64>(std::llround(*value));
}
} // namespace

QString DownloaderProgress::progressTemplate(const QString& prefix)
{
    return QStringLiteral("download:") + prefix + QLatin1Char(' ') + Fields;
}

std::optional<DownloaderProgress> DownloaderProgress::parse(QStringView fields)
{
    const QList<QStringView> parts = fields.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != FieldCount)
        return std::nullopt;
    const QStringView status = parts.at(0);
    if (status != u"downloading" && status != u"finished" && status != u"error")
        return std::nullopt;

    DownloaderProgress progress;
    progress.m_fileFinished = status == u"finished";
    progress.m_downloadedBytes = whole(parts.at(1));
    progress.m_totalBytes = whole(parts.at(2));
    if (!progress.m_totalBytes)
        progress.m_totalBytes = whole(parts.at(3));
    progress.m_speed = number(parts.at(4));
    progress.m_eta = whole(parts.at(5));
    // A finished report of an already present file carries the size in total only.
    if (progress.m_fileFinished && !progress.m_downloadedBytes)
        progress.m_downloadedBytes = progress.m_totalBytes;

    const std::optional<qint64> fragmentIndex = whole(parts.at(6));
    const std::optional<qint64> fragmentCount = whole(parts.at(7));
    if (progress.m_fileFinished)
        progress.m_percent = 100.0;
    else if (progress.m_downloadedBytes && progress.m_totalBytes && *progress.m_totalBytes > 0)
        progress.m_percent = 100.0 * static_cast<double>(*progress.m_downloadedBytes) /
                             static_cast<double>(*progress.m_totalBytes);
    else if (fragmentIndex && fragmentCount && *fragmentCount > 0)
        progress.m_percent =
            100.0 * static_cast<double>(*fragmentIndex) / static_cast<double>(*fragmentCount);
    if (progress.m_percent)
        progress.m_percent = std::clamp(*progress.m_percent, 0.0, 100.0);
    return progress;
}

} // namespace Engine
