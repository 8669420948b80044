#pragma once

#include "shakeitem.h"

#include <QString>
#include <QUrl>

#include <optional>

// Conversions between the store's columns and our values that more than one part of the store needs.
namespace Library {

// A null QString would be bound as NULL.
inline QString textValue(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// The key of a site's icon: the normalised site address, or empty for an address without one.
inline QString siteKey(const QUrl& site)
{
    const std::optional<QUrl> normalised = ShakeItem::siteURL(site);
    return normalised ? normalised->toString(QUrl::FullyEncoded) : QString();
}

} // namespace Library
