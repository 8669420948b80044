#pragma once

#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace Engine {

// One yt-dlp option. Equality and hashing cover the case and the whole payload, so two
// `format` options with different texts are different options.
class QorvConfigItem
{
public:
    // Declared order is significant: it is the order of the case discriminators.
    enum class Case
    {
        raw,
        format,
        formatSort,
        cookiesFromBrowser,
        liveFromStart,
        skipUnavailableFragments,
        mergeOutputFormat,
        saveTo,
        outputTemplate,
        ignoreConfig,
    };

    static QorvConfigItem raw(QString key, std::optional<QString> value = std::nullopt);
    static QorvConfigItem format(QString text) { return QorvConfigItem(Case::format, std::move(text)); }
    static QorvConfigItem formatSort(QString text)
    {
        return QorvConfigItem(Case::formatSort, std::move(text));
    }
    static QorvConfigItem cookiesFromBrowser(QString b)
    {
        return QorvConfigItem(Case::cookiesFromBrowser, std::move(b));
    }
    static QorvConfigItem liveFromStart() { return QorvConfigItem(Case::liveFromStart, {}); }
    static QorvConfigItem skipUnavailableFragments()
    {
        return QorvConfigItem(Case::skipUnavailableFragments, {});
    }
    static QorvConfigItem mergeOutputFormat(QString f)
    {
        return QorvConfigItem(Case::mergeOutputFormat, std::move(f));
    }
    static QorvConfigItem saveTo(const QUrl& folder);
    static QorvConfigItem outputTemplate(QString t)
    {
        return QorvConfigItem(Case::outputTemplate, std::move(t));
    }
    static QorvConfigItem ignoreConfig() { return QorvConfigItem(Case::ignoreConfig, {}); }

    Case kind() const { return m_case; }
    // The raw option's key, or the single text payload (for saveTo: the folder's URL text).
    const QString& text() const { return m_text; }
    const std::optional<QString>& rawValue() const { return m_value; }
    QUrl folder() const;

    // The option's arguments as the tool gets them, one each, unquoted.
    QStringList tokens() const;

    // Keyed form: {"<case>": {"_0": payload}} or {"raw": {"key": k, "value": v}}.
    QJsonObject toJson() const;
    static std::optional<QorvConfigItem> fromJson(const QJsonValue& json);

    bool operator==(const QorvConfigItem&) const = default;

private:
    QorvConfigItem(Case c, QString text, std::optional<QString> value = std::nullopt)
        : m_case(c), m_text(std::move(text)), m_value(std::move(value))
    {
    }

    Case m_case;
    QString m_text;
    std::optional<QString> m_value;
};

size_t qHash(const QorvConfigItem& item, size_t seed = 0);

} // namespace Engine
