#pragma once

#include <QByteArray>
#include <QUrl>

#include <optional>

namespace Library {

// The icon of one site (scheme and host), shared by every item of that site. A site whose icon
// could not be loaded keeps a record without data, so that it is not fetched again for each item.
class Favicon
{
public:
    qint64 id = 0;
    QUrl url;
    std::optional<QByteArray> data;

    bool operator==(const Favicon&) const = default;
};

} // namespace Library
