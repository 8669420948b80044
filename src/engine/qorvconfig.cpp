#include "qorvconfig.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace Engine {

QorvConfig::QorvConfig(QString name, const QList<QorvConfigItem>& items) : m_name(std::move(name))
{
    for (const QorvConfigItem& item : items)
        setItem(item, true);
}

QorvConfig QorvConfig::makeDefault(const QUrl& outputLocation,
                                   const std::optional<QorvVideoResolution>& resolution)
{
    QorvConfig config(QStringLiteral("Default"), {QorvConfigItem::saveTo(outputLocation)});
    if (resolution) {
        for (const QorvConfigItem& item : resolution->configItems())
            config.setItem(item, true);
    }
    return config;
}

void QorvConfig::setItem(const QorvConfigItem& item, bool enabled)
{
    for (auto& entry : m_items) {
        if (entry.first == item) {
            entry.second = enabled;
            return;
        }
    }
    m_items.append({item, enabled});
}

std::optional<bool> QorvConfig::flag(const QorvConfigItem& item) const
{
    for (const auto& entry : m_items) {
        if (entry.first == item)
            return entry.second;
    }
    return std::nullopt;
}

QList<QorvConfigItem> QorvConfig::enabledItems() const
{
    QList<QorvConfigItem> items;
    for (const auto& [item, enabled] : m_items) {
        if (enabled)
            items << item;
    }
    return items;
}

QStringList QorvConfig::arguments() const
{
    QStringList tokens;
    for (const QorvConfigItem& item : enabledItems())
        tokens += item.tokens();
    return tokens;
}

bool QorvConfig::hasSaveTo() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const auto& entry) { return entry.first.kind() == QorvConfigItem::Case::saveTo; });
}

void QorvConfig::ensureSaveTo(const QUrl& folder)
{
    if (!hasSaveTo())
        setItem(QorvConfigItem::saveTo(folder), true);
}

QByteArray QorvConfig::encodedItems() const
{
    QJsonArray list;
    for (const auto& [item, enabled] : m_items) {
        list.append(item.toJson());
        list.append(enabled);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

std::optional<QList<QPair<QorvConfigItem, bool>>> QorvConfig::decodeItems(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    const QJsonArray list = document.array();
    if (list.size() % 2 != 0)
        return std::nullopt;
    QorvConfig decoded;
    for (qsizetype i = 0; i < list.size(); i += 2) {
        const std::optional<QorvConfigItem> item = QorvConfigItem::fromJson(list.at(i));
        if (!item || !list.at(i + 1).isBool())
            return std::nullopt;
        decoded.setItem(*item, list.at(i + 1).toBool());
    }
    return decoded.m_items;
}

} // namespace Engine
