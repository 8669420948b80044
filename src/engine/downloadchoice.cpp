#include "downloadchoice.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace Engine {

namespace {

template <typename Enum, std::size_t N> struct Names
{
    std::array<std::pair<Enum, QLatin1String>, N> entries;

    QLatin1String of(Enum value) const
    {
        for (const auto& [v, name] : entries)
            if (v == value)
                return name;
        return entries.front().second;
    }
    Enum from(const QString& text, Enum fallback) const
    {
        for (const auto& [v, name] : entries)
            if (text == name)
                return v;
        return fallback;
    }
};

constexpr Names<DownloadChoice::Container, 4> Containers{{{
    {DownloadChoice::Container::asSite, QLatin1String("site")},
    {DownloadChoice::Container::mp4, QLatin1String("mp4")},
    {DownloadChoice::Container::mkv, QLatin1String("mkv")},
    {DownloadChoice::Container::webm, QLatin1String("webm")},
}}};

constexpr Names<DownloadChoice::AudioFormat, 5> AudioFormats{{{
    {DownloadChoice::AudioFormat::best, QLatin1String("best")},
    {DownloadChoice::AudioFormat::mp3, QLatin1String("mp3")},
    {DownloadChoice::AudioFormat::m4a, QLatin1String("m4a")},
    {DownloadChoice::AudioFormat::opus, QLatin1String("opus")},
    {DownloadChoice::AudioFormat::flac, QLatin1String("flac")},
}}};

constexpr Names<DownloadChoice::SponsorAction, 3> SponsorActions{{{
    {DownloadChoice::SponsorAction::none, QLatin1String("none")},
    {DownloadChoice::SponsorAction::remove, QLatin1String("remove")},
    {DownloadChoice::SponsorAction::mark, QLatin1String("mark")},
}}};

QStringList stringsOf(const QJsonValue& value)
{
    QStringList strings;
    for (const QJsonValue& entry : value.toArray())
        if (entry.isString() && !entry.toString().trimmed().isEmpty())
            strings.append(entry.toString().trimmed());
    return strings;
}

QorvConfigItem flag(const char* name)
{
    return QorvConfigItem::raw(QString::fromLatin1(name));
}

QorvConfigItem option(const char* name, const QString& value)
{
    return QorvConfigItem::raw(QString::fromLatin1(name), value);
}

const QString BestFormat = QStringLiteral("bv*+ba/b");

QString cappedFormat(const QString& height)
{
    return QStringLiteral("bv*[height<=%1]+ba/b[height<=%1]").arg(height);
}

// The value of the last switched-on option named by one of `names` (typed or raw), if any.
std::optional<QString> valueOf(const QList<QorvConfigItem>& items, QorvConfigItem::Case kind,
                               std::initializer_list<const char*> names)
{
    std::optional<QString> value;
    for (const QorvConfigItem& item : items) {
        if (item.kind() == kind && kind != QorvConfigItem::Case::raw)
            value = item.text();
        else if (item.kind() == QorvConfigItem::Case::raw &&
                 std::any_of(names.begin(), names.end(),
                             [&item](const char* name) { return item.text() == QLatin1String(name); }))
            value = item.rawValue().value_or(QString());
    }
    return value;
}

} // namespace

QList<QorvConfigItem> DownloadChoice::configItems() const
{
    QList<QorvConfigItem> items;
    if (audioOnly) {
        items << QorvConfigItem::format(QStringLiteral("ba/b")) << flag("-x");
        if (audioFormat != AudioFormat::best)
            items << option("--audio-format", AudioFormats.of(audioFormat));
        if (audioFormat != AudioFormat::flac)
            items << option("--audio-quality", QString::number(std::clamp(audioQuality, 0, 10)));
    } else {
        const QString height = maxHeight ? QString::number(*maxHeight) : QString();
        items << QorvConfigItem::format(maxHeight ? cappedFormat(height) : BestFormat);
        QString sort = maxHeight ? QStringLiteral("res:") + height : QStringLiteral("res");
        // Streams the container holds as they are, so merging needs no re-encoding.
        if (container == Container::mp4)
            sort += QStringLiteral(",ext:mp4:m4a");
        else if (container == Container::webm)
            sort += QStringLiteral(",ext:webm:webm");
        items << QorvConfigItem::formatSort(sort);
        if (container != Container::asSite) {
            const QString ext = Containers.of(container);
            // Merged files and single ones alike; what cannot be remuxed stays as it came.
            items << QorvConfigItem::mergeOutputFormat(ext) << option("--remux-video", ext);
        }
    }
    if (!subtitleLanguages.isEmpty()) {
        // Asked to write them as well, the tool keeps the files after embedding. An audio file
        // holds no subtitles.
        items << flag(embedSubtitles && !audioOnly ? "--embed-subs" : "--write-subs")
              << option("--sub-langs", subtitleLanguages.join(QLatin1Char(',')));
        if (automaticCaptions)
            items << flag("--write-auto-subs");
    }
    if (embedThumbnail)
        items << flag("--embed-thumbnail");
    if (embedMetadata)
        items << flag("--embed-metadata") << flag("--embed-chapters");
    if (sponsorAction != SponsorAction::none && !sponsorCategories.isEmpty())
        items << option(sponsorAction == SponsorAction::remove ? "--sponsorblock-remove"
                                                               : "--sponsorblock-mark",
                        sponsorCategories.join(QLatin1Char(',')));
    return items;
}

std::optional<DownloadChoice::AudioFormat> DownloadChoice::audioFormatNamed(const QString& name)
{
    for (const auto& [format, text] : AudioFormats.entries)
        if (name == text)
            return format;
    return std::nullopt;
}

QString DownloadChoice::badge() const
{
    if (audioOnly)
        //: Badge of an audio-only download in the best format the site has
        return audioFormat == AudioFormat::best ? tr("Audio")
                                                : QString(AudioFormats.of(audioFormat)).toUpper();
    //: Badge: a video height in pixels, as in 1080p
    const QString quality = maxHeight ? tr("%1p").arg(*maxHeight)
                                      //: Badge: the best quality the site offers
                                      : tr("Best");
    if (container == Container::asSite)
        return quality;
    //: Badge: the quality and the container, as in 1080p · MKV
    return tr("%1 · %2").arg(quality, QString(Containers.of(container)).toUpper());
}

QString DownloadChoice::badgeOf(const QList<QorvConfigItem>& items)
{
    const bool audio = std::any_of(items.begin(), items.end(), [](const QorvConfigItem& item) {
        return item.kind() == QorvConfigItem::Case::raw &&
               (item.text() == QLatin1String("-x") || item.text() == QLatin1String("--extract-audio"));
    });
    if (audio) {
        const QString format =
            valueOf(items, QorvConfigItem::Case::raw, {"--audio-format"}).value_or(QString());
        //: Badge of an audio-only download in the best format the site has
        return format.isEmpty() || format == QLatin1String("best") ? tr("Audio") : format.toUpper();
    }
    const std::optional<QString> format = valueOf(items, QorvConfigItem::Case::format, {"-f", "--format"});
    QString quality;
    if (!format || *format == BestFormat)
        //: Badge: the best quality the site offers
        quality = tr("Best");
    else if (const std::optional<int> height = cappedHeight(items))
        //: Badge: a video height in pixels, as in 1080p
        quality = tr("%1p").arg(*height);
    else
        //: Badge: a format chosen by hand
        quality = tr("Custom");
    // A remux to several containers ("aac>m4a/mkv") names none.
    static const QRegularExpression plainWord(QStringLiteral("^[a-z0-9]+$"));
    std::optional<QString> container =
        valueOf(items, QorvConfigItem::Case::mergeOutputFormat, {"--merge-output-format"});
    if (!container)
        container = valueOf(items, QorvConfigItem::Case::raw, {"--remux-video"});
    if (!container || !plainWord.match(*container).hasMatch())
        return quality;
    //: Badge: the quality and the container, as in 1080p · MKV
    return tr("%1 · %2").arg(quality, container->toUpper());
}

std::optional<int> DownloadChoice::cappedHeight(const QList<QorvConfigItem>& items)
{
    static const QRegularExpression capped(
        QStringLiteral("^bv\\*\\[height<=(\\d+)\\]\\+ba/b\\[height<=\\1\\]$"));
    const std::optional<QString> format = valueOf(items, QorvConfigItem::Case::format, {"-f", "--format"});
    const QRegularExpressionMatch match = capped.match(format.value_or(QString()));
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int height = match.captured(1).toInt(&ok);
    return ok && height > 0 ? std::optional(height) : std::nullopt;
}

QList<QorvConfigItem> DownloadChoice::nearestQuality(const QList<QorvConfigItem>& items, int height)
{
    // The sort's first key decides; its other keys (the container's streams) still apply after it.
    QStringList sort{QStringLiteral("res:%1").arg(height)};
    QList<QorvConfigItem> relaxed;
    for (const QorvConfigItem& item : items) {
        if (item.kind() == QorvConfigItem::Case::formatSort) {
            for (const QString& key : item.text().split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (!key.startsWith(QLatin1String("res")))
                    sort << key;
        } else if (item.kind() != QorvConfigItem::Case::format) {
            relaxed << item;
        }
    }
    relaxed << QorvConfigItem::format(BestFormat) << QorvConfigItem::formatSort(sort.join(QLatin1Char(',')));
    return relaxed;
}

QJsonObject DownloadChoice::toJson() const
{
    QJsonObject json{
        {QStringLiteral("audioOnly"), audioOnly},
        {QStringLiteral("container"), QString(Containers.of(container))},
        {QStringLiteral("audioFormat"), QString(AudioFormats.of(audioFormat))},
        {QStringLiteral("audioQuality"), audioQuality},
        {QStringLiteral("subtitleLanguages"), QJsonArray::fromStringList(subtitleLanguages)},
        {QStringLiteral("automaticCaptions"), automaticCaptions},
        {QStringLiteral("embedSubtitles"), embedSubtitles},
        {QStringLiteral("embedThumbnail"), embedThumbnail},
        {QStringLiteral("embedMetadata"), embedMetadata},
        {QStringLiteral("sponsorAction"), QString(SponsorActions.of(sponsorAction))},
        {QStringLiteral("sponsorCategories"), QJsonArray::fromStringList(sponsorCategories)},
    };
    if (maxHeight)
        json.insert(QStringLiteral("maxHeight"), *maxHeight);
    return json;
}

DownloadChoice DownloadChoice::fromJson(const QJsonObject& json)
{
    const DownloadChoice defaults;
    DownloadChoice choice;
    const auto boolean = [&json](const char* key, bool fallback) {
        const QJsonValue value = json.value(QLatin1String(key));
        return value.isBool() ? value.toBool() : fallback;
    };
    choice.audioOnly = boolean("audioOnly", defaults.audioOnly);
    if (const int height = json.value(QStringLiteral("maxHeight")).toInt(0); height > 0)
        choice.maxHeight = height;
    choice.container =
        Containers.from(json.value(QStringLiteral("container")).toString(), defaults.container);
    choice.audioFormat =
        AudioFormats.from(json.value(QStringLiteral("audioFormat")).toString(), defaults.audioFormat);
    choice.audioQuality =
        std::clamp(json.value(QStringLiteral("audioQuality")).toInt(defaults.audioQuality), 0, 10);
    choice.subtitleLanguages = stringsOf(json.value(QStringLiteral("subtitleLanguages")));
    choice.automaticCaptions = boolean("automaticCaptions", defaults.automaticCaptions);
    choice.embedSubtitles = boolean("embedSubtitles", defaults.embedSubtitles);
    choice.embedThumbnail = boolean("embedThumbnail", defaults.embedThumbnail);
    choice.embedMetadata = boolean("embedMetadata", defaults.embedMetadata);
    choice.sponsorAction =
        SponsorActions.from(json.value(QStringLiteral("sponsorAction")).toString(), defaults.sponsorAction);
    choice.sponsorCategories = stringsOf(json.value(QStringLiteral("sponsorCategories")));
    return choice;
}

} // namespace Engine
