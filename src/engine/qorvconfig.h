#pragma once

#include "qorvconfigitem.h"
#include "qorvvideoresolution.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace Engine {

// A named set of yt-dlp options, each switched on or off. Only switched-on options reach the
// command line. Options keep the order in which they were first added.
class QorvConfig
{
public:
    QorvConfig() = default;
    QorvConfig(QString name, const QList<QorvConfigItem>& items);

    // The set a new download gets: "Default", saving into `outputLocation`, plus the options of
    // `resolution` when one is preferred.
    static QorvConfig makeDefault(const QUrl& outputLocation,
                                  const std::optional<QorvVideoResolution>& resolution);

    const QString& name() const { return m_name; }
    void setName(QString name) { m_name = std::move(name); }

    const QList<QPair<QorvConfigItem, bool>>& itemDic() const { return m_items; }
    // Assigning a flag adds the option when it is missing.
    void setItem(const QorvConfigItem& item, bool enabled);
    std::optional<bool> flag(const QorvConfigItem& item) const;

    QList<QorvConfigItem> enabledItems() const;
    // The arguments of the switched-on options, in order, each as the tool gets it.
    QStringList arguments() const;
    bool hasSaveTo() const;
    // Adds a switched-on saveTo of `folder` unless the set has one already, even a switched-off one.
    void ensureSaveTo(const QUrl& folder);

    // Stored form of itemDic: a flat JSON list alternating an encoded option and its flag.
    QByteArray encodedItems() const;
    // Accepts exactly that shape; anything else gives nothing.
    static std::optional<QList<QPair<QorvConfigItem, bool>>> decodeItems(const QByteArray& json);
    void setItemDic(QList<QPair<QorvConfigItem, bool>> items) { m_items = std::move(items); }

private:
    QString m_name;
    QList<QPair<QorvConfigItem, bool>> m_items;
};

} // namespace Engine
