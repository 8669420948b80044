#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace Engine {

// What the tool's JSON (-J) says about an address before anything is downloaded.
struct VideoMetadata
{
    struct Quality
    {
        int height = 0;
        // The largest of that height, with the best separate audio where the picture has none.
        std::optional<qint64> bytes;
        bool operator==(const Quality&) const = default;
    };

    QString id;
    QString title;
    QString uploader;
    QUrl thumbnail;
    std::optional<qint64> durationSeconds;
    // Highest first, each height once.
    QList<Quality> qualities;
    // Containers of the video formats, as the site has them.
    QStringList containers;
    QStringList subtitles;
    QStringList automaticCaptions;
    // A playlist, a channel or a page of several videos.
    bool isList = false;

    // Nothing, with the reason in `error`, when `json` is not one JSON object.
    static std::optional<VideoMetadata> fromJson(const QByteArray& json, QString* error = nullptr);

    Q_DECLARE_TR_FUNCTIONS(VideoMetadata)
};

} // namespace Engine

Q_DECLARE_METATYPE(Engine::VideoMetadata)
