#include "shakeitem.h"

namespace Library {

ShakeItem ShakeItem::create(const QUrl& source, std::optional<qint64> qorvConfigId)
{
    ShakeItem item;
    item.config = ShakeConfig();
    item.info = ShakeItemInfo();
    item.source = source;
    item.createdDate = QDateTime::currentDateTimeUtc();
    item.qorvConfigId = qorvConfigId;
    return item;
}

QString ShakeItem::errorMessage() const
{
    if (!info || !info->error)
        return QString();
    return info->error->trimmed();
}

std::optional<QUrl> ShakeItem::siteURL() const
{
    return source ? siteURL(*source) : std::nullopt;
}

std::optional<QUrl> ShakeItem::siteURL(const QUrl& source)
{
    if (source.scheme().isEmpty() || source.host().isEmpty())
        return std::nullopt;
    QUrl site;
    site.setScheme(source.scheme());
    site.setHost(source.host());
    if (!site.isValid())
        return std::nullopt;
    return site;
}

bool ShakeItem::isAcceptedSource(const QUrl& source)
{
    const QString scheme = source.scheme().toLower();
    return source.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !source.host().isEmpty();
}

} // namespace Library
