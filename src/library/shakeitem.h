#pragma once

#include "shakeconfig.h"
#include "shakeiteminfo.h"

#include <QDateTime>
#include <QUrl>

#include <optional>

namespace Library {

// One download as stored, with its two owned records. The item's state is read from its fields
// (running flag, completion date, error text, scheduled date); there is no separate state.
// Related option set and site icon are referred to by row id.
class ShakeItem
{
public:
    // createdDate is left invalid; create() stamps it.
    ShakeItem() = default;
    // A new item created now, with the records a new download gets.
    static ShakeItem create(const QUrl& source, std::optional<qint64> qorvConfigId = std::nullopt);

    // Row id, the persistent identifier; 0 until stored.
    qint64 id = 0;
    std::optional<ShakeConfig> config;
    std::optional<ShakeItemInfo> info;
    std::optional<qint64> faviconId;
    std::optional<QUrl> source;
    QDateTime createdDate;
    std::optional<QDateTime> scheduledDate;
    std::optional<QDateTime> completedDate;
    std::optional<qint64> qorvConfigId;

    bool isCompleted() const { return completedDate.has_value(); }
    bool isRunning() const { return config && config->running; }
    bool isStarred() const { return config && config->starred; }
    // The error text without surrounding white space; empty when there is none.
    QString errorMessage() const;
    // scheme://host of the source, the key of the site's icon.
    std::optional<QUrl> siteURL() const;

    static std::optional<QUrl> siteURL(const QUrl& source);
    // Only http and https pages with a host become items.
    static bool isAcceptedSource(const QUrl& source);

    // Identity is the stored row, whatever the fields hold.
    bool operator==(const ShakeItem& other) const { return id == other.id; }
};

inline size_t qHash(const ShakeItem& item, size_t seed = 0)
{
    return ::qHash(item.id, seed);
}

} // namespace Library
