#pragma once

#include "httpfetch.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;

namespace Library {

// Finds the icon addresses a site names: reads the icon links in its home page's head and orders
// them, largest first, with the site's /favicon.ico last.
class FaviconDownloader
{
public:
    enum class Error
    {
        feedHomepageUnavailable,
        invalidServerResponse,
        faviconNotFound,
    };

    struct Result
    {
        QList<QUrl> candidates;
        // Set when the home page gave nothing to read; candidates are then empty.
        std::optional<Error> error;
        // What went wrong on the way, for the log.
        QString detail;
    };

    // scheme://host of `url`, with its port when it names one, since that is where the site
    // answers.
    static std::optional<QUrl> homepage(const QUrl& url);
    // The home page's /favicon.ico.
    static std::optional<QUrl> defaultFaviconURL(const QUrl& url);
    // Candidates named by `html`, the page at `page`, in the order to try them, then the default.
    // Only http(s) addresses are kept: a page cannot make us read a local file or another scheme.
    static QList<QUrl> parse(const QString& html, const QUrl& page);

    // Fetches the home page of `url` and parses it.
    static void download(QNetworkAccessManager& network, const QUrl& url, const HttpFetch::Limits& limits,
                         QObject* context, std::function<void(const Result&)> done);
};

} // namespace Library
