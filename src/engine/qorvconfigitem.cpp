#include "qorvconfigitem.h"

#include <QHashFunctions>
#include <QJsonValue>
#include <QStringList>

#include <array>

namespace Engine {

namespace {
using Case = QorvConfigItem::Case;

struct CaseInfo
{
    Case kind;
    const char* name;
    const char* flag;
    bool hasText;
};

constexpr std::array<CaseInfo, 10> Cases{{
    {Case::raw, "raw", "", true},
    {Case::format, "format", "-f", true},
    {Case::formatSort, "formatSort", "-S", true},
    {Case::cookiesFromBrowser, "cookiesFromBrowser", "--cookies-from-browser", true},
    {Case::liveFromStart, "liveFromStart", "--live-from-start", false},
    {Case::skipUnavailableFragments, "skipUnavailableFragments", "--skip-unavailable-fragments", false},
    {Case::mergeOutputFormat, "mergeOutputFormat", "--merge-output-format", true},
    {Case::saveTo, "saveTo", "-P", true},
    {Case::outputTemplate, "outputTemplate", "-o", true},
    {Case::ignoreConfig, "ignoreConfig", "--ignore-config", false},
}};

const CaseInfo& infoOf(Case c)
{
    return Cases[static_cast<size_t>(c)];
}
} // namespace

QorvConfigItem QorvConfigItem::raw(QString key, std::optional<QString> value)
{
    return QorvConfigItem(Case::raw, std::move(key), std::move(value));
}

QorvConfigItem QorvConfigItem::saveTo(const QUrl& folder)
{
    return QorvConfigItem(Case::saveTo, folder.toString(QUrl::FullyEncoded));
}

QUrl QorvConfigItem::folder() const
{
    return m_case == Case::saveTo ? QUrl(m_text) : QUrl();
}

QStringList QorvConfigItem::tokens() const
{
    const CaseInfo& info = infoOf(m_case);
    QStringList tokens;
    if (m_case == Case::raw) {
        tokens.append(m_text);
        if (m_value)
            tokens.append(*m_value);
        return tokens;
    }
    tokens.append(QLatin1String(info.flag));
    if (m_case == Case::saveTo)
        tokens.append(folder().toLocalFile());
    else if (info.hasText)
        tokens.append(m_text);
    return tokens;
}

QJsonObject QorvConfigItem::toJson() const
{
    const CaseInfo& info = infoOf(m_case);
    QJsonObject payload;
    if (m_case == Case::raw) {
        payload.insert(QStringLiteral("key"), m_text);
        if (m_value)
            payload.insert(QStringLiteral("value"), *m_value);
    } else if (info.hasText) {
        payload.insert(QStringLiteral("_0"), m_text);
    }
    return QJsonObject{{QLatin1String(info.name), payload}};
}

std::optional<QorvConfigItem> QorvConfigItem::fromJson(const QJsonValue& json)
{
    const QJsonObject object = json.toObject();
    if (object.size() != 1)
        return std::nullopt;
    const QString name = object.begin().key();
    const QJsonValue payloadValue = object.begin().value();
    if (!payloadValue.isObject())
        return std::nullopt;
    const QJsonObject payload = payloadValue.toObject();
    for (const CaseInfo& info : Cases) {
        if (name != QLatin1String(info.name))
            continue;
        if (info.kind == Case::raw) {
            const QJsonValue key = payload.value(QStringLiteral("key"));
            const QJsonValue value = payload.value(QStringLiteral("value"));
            if (!key.isString() || payload.size() > 2 || (!value.isUndefined() && !value.isString()) ||
                (payload.size() == 2 && value.isUndefined()))
                return std::nullopt;
            return raw(key.toString(),
                       value.isString() ? std::optional<QString>(value.toString()) : std::nullopt);
        }
        if (!info.hasText)
            return payload.isEmpty() ? std::optional<QorvConfigItem>(QorvConfigItem(info.kind, {}))
                                     : std::nullopt;
        const QJsonValue text = payload.value(QStringLiteral("_0"));
        if (!text.isString() || payload.size() != 1)
            return std::nullopt;
        return QorvConfigItem(info.kind, text.toString());
    }
    return std::nullopt;
}

size_t qHash(const QorvConfigItem& item, size_t seed)
{
    return qHashMulti(seed, static_cast<int>(item.kind()), item.text(), item.rawValue().has_value(),
                      item.rawValue().value_or(QString()));
}

} // namespace Engine
