#include "videometadata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <algorithm>
#include <cmath>

namespace Engine {

namespace {

std::optional<qint64> bytesOf(const QJsonObject& format)
{
    for (const char* key : {"filesize", "filesize_approx"}) {
        const double value = format.value(QLatin1String(key)).toDouble(-1);
        if (value > 0 && std::isfinite(value))
            return static_cast<qint64>(value);
    }
    return std::nullopt;
}

bool lacks(const QJsonObject& format, const char* codec)
{
    return format.value(QLatin1String(codec)).toString() == QLatin1String("none");
}

QStringList languagesOf(const QJsonValue& tracks)
{
    QStringList languages = tracks.toObject().keys();
    // Chat replays are listed among subtitles but are no text to read along.
    languages.removeAll(QStringLiteral("live_chat"));
    return languages;
}

} // namespace

std::optional<VideoMetadata> VideoMetadata::fromJson(const QByteArray& json, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        if (error)
            *error = parseError.error == QJsonParseError::NoError ? tr("not a JSON object")
                                                                  : parseError.errorString();
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    VideoMetadata metadata;
    metadata.id = root.value(QStringLiteral("id")).toString();
    metadata.title = root.value(QStringLiteral("title")).toString();
    metadata.uploader = root.value(QStringLiteral("uploader")).toString();
    metadata.isList = root.value(QStringLiteral("_type")).toString() == QLatin1String("playlist");
    QString thumbnail = root.value(QStringLiteral("thumbnail")).toString();
    if (thumbnail.isEmpty()) {
        // Listed from worst to best.
        const QJsonArray thumbnails = root.value(QStringLiteral("thumbnails")).toArray();
        if (!thumbnails.isEmpty())
            thumbnail = thumbnails.last().toObject().value(QStringLiteral("url")).toString();
    }
    const QUrl thumbnailUrl(thumbnail);
    if (thumbnailUrl.scheme() == QLatin1String("https") || thumbnailUrl.scheme() == QLatin1String("http"))
        metadata.thumbnail = thumbnailUrl;
    if (const double duration = root.value(QStringLiteral("duration")).toDouble(-1);
        duration >= 0 && std::isfinite(duration))
        metadata.durationSeconds = std::llround(duration);

    const QJsonArray formats = root.value(QStringLiteral("formats")).toArray();
    std::optional<qint64> bestAudio;
    for (const QJsonValue& value : formats) {
        const QJsonObject format = value.toObject();
        if (lacks(format, "vcodec") && !lacks(format, "acodec")) {
            if (const std::optional<qint64> bytes = bytesOf(format))
                bestAudio = std::max(bestAudio.value_or(0), *bytes);
        }
    }
    QMap<int, std::optional<qint64>> byHeight;
    for (const QJsonValue& value : formats) {
        const QJsonObject format = value.toObject();
        const int height = format.value(QStringLiteral("height")).toInt(0);
        if (height <= 0 || lacks(format, "vcodec"))
            continue;
        std::optional<qint64> bytes = bytesOf(format);
        if (bytes && lacks(format, "acodec") && bestAudio)
            *bytes += *bestAudio;
        std::optional<qint64>& known = byHeight[height];
        if (bytes && (!known || *bytes > *known))
            known = bytes;
        const QString ext = format.value(QStringLiteral("ext")).toString();
        if (!ext.isEmpty() && !metadata.containers.contains(ext))
            metadata.containers.append(ext);
    }
    for (auto it = byHeight.constEnd(); it != byHeight.constBegin();) {
        --it;
        metadata.qualities.append({it.key(), it.value()});
    }
    metadata.subtitles = languagesOf(root.value(QStringLiteral("subtitles")));
    metadata.automaticCaptions = languagesOf(root.value(QStringLiteral("automatic_captions")));
    return metadata;
}

} // namespace Engine
