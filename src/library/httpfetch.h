#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;

namespace Library {

// One GET made with the application's identity, bounded in time and size. Only http and https
// are fetched, redirects included; anything else fails at once without touching the network or
// a file. The result is delivered later on the event loop, never during get().
class HttpFetch
{
public:
    struct Limits
    {
        // The whole exchange, not only silence: a server that trickles bytes is cut off too.
        int timeoutMs = 10000;
        qint64 maxBytes = 1024 * 1024;
    };

    struct Result
    {
        // HTTP status; 0 when no response arrived.
        int status = 0;
        QByteArray body;
        // Why the fetch failed; empty when a response arrived within the limits.
        QString error;

        bool succeeded() const { return error.isEmpty() && status >= 200 && status <= 299; }
    };

    // "VeltQorv 1.0.0(1)"
    static QByteArray userAgent();
    static bool isFetchable(const QUrl& url);

    // `done` runs once, unless `context` is destroyed first (the request is then abandoned).
    static void get(QNetworkAccessManager& network, const QUrl& url, const Limits& limits, QObject* context,
                    std::function<void(const Result&)> done);
};

} // namespace Library
