#pragma once

#include "qorvconfigitem.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Engine {

// What a user chose for one download: the video's quality and container or audio only, the
// subtitles, and what goes into the file besides. Turns into the tool's options.
struct DownloadChoice
{
    enum class Container
    {
        asSite,
        mp4,
        mkv,
        webm,
    };
    enum class AudioFormat
    {
        best,
        mp3,
        m4a,
        opus,
        flac,
    };
    enum class SponsorAction
    {
        none,
        remove,
        mark,
    };

    bool audioOnly = false;
    // Nothing: the best there is.
    std::optional<int> maxHeight;
    Container container = Container::asSite;
    AudioFormat audioFormat = AudioFormat::mp3;
    // The tool's VBR scale: 0 is best, 10 worst.
    int audioQuality = 2;
    QStringList subtitleLanguages;
    bool automaticCaptions = false;
    // Into the file, or beside it.
    bool embedSubtitles = true;
    bool embedThumbnail = false;
    // Metadata and chapters.
    bool embedMetadata = false;
    SponsorAction sponsorAction = SponsorAction::none;
    QStringList sponsorCategories;

    // Offered before a video's own qualities are known.
    static QList<int> genericHeights() { return {2160, 1080, 720, 480}; }

    QList<QorvConfigItem> configItems() const;
    // Short, for a row: "1080p · MKV", "MP3".
    QString badge() const;
    // The badge of whatever asked for `items` (switched-on options of an item's set: from a
    // choice, a resolution, or none): "Best" without a format, "Custom" for a format of its own.
    static QString badgeOf(const QList<QorvConfigItem>& items);
    // H of a format that caps the height, bv*[height<=H]+ba/b[height<=H].
    static std::optional<int> cappedHeight(const QList<QorvConfigItem>& items);
    // `items` asking for the quality nearest to `height` instead: the largest at most that high,
    // else the smallest above. The other options stay as they are.
    static QList<QorvConfigItem> nearestQuality(const QList<QorvConfigItem>& items, int height);

    QJsonObject toJson() const;
    // Unknown or missing values fall back to the defaults above.
    static DownloadChoice fromJson(const QJsonObject& json);
    // "mp3", "m4a", "opus", "flac" or "best"; nothing for any other text.
    static std::optional<AudioFormat> audioFormatNamed(const QString& name);

    bool operator==(const DownloadChoice&) const = default;

    Q_DECLARE_TR_FUNCTIONS(DownloadChoice)
};

} // namespace Engine
