#include "httpfetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace Library {

namespace {
constexpr int MaxRedirects = 5;
}

QByteArray HttpFetch::userAgent()
{
    return QByteArrayLiteral("VeltQorv " VELTQORV_VERSION "(1)");
}

bool HttpFetch::isFetchable(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

void HttpFetch::get(QNetworkAccessManager& network, const QUrl& url, const Limits& limits, QObject* context,
                    std::function<void(const Result&)> done)
{
    if (!isFetchable(url)) {
        QTimer::singleShot(0, context, [done = std::move(done), url] {
            done(Result{.status = 0,
                        .body = {},
                        .error = QStringLiteral("not a web address: %1").arg(url.toString())});
        });
        return;
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    // Less safe redirects (https to http, or to any other scheme) are not followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    // Nothing of a visit is kept: no cookies sent or stored, no cache.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(limits.timeoutMs);

    QNetworkReply* reply = network.get(request);
    struct State
    {
        QByteArray body;
        QString abortReason;
        bool delivered = false;
    };
    auto state = std::make_shared<State>();
    QPointer<QObject> guard(context);
    auto finish = [reply, state, guard, done = std::move(done)] {
        if (state->delivered)
            return;
        state->delivered = true;
        Result result;
        result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.body = std::move(state->body);
        if (!state->abortReason.isEmpty())
            result.error = state->abortReason;
        else if (result.status == 0 && reply->error() != QNetworkReply::NoError)
            result.error = reply->errorString();
        reply->deleteLater();
        if (guard)
            done(result);
    };
    auto abortWith = [reply, state](const QString& reason) {
        if (state->abortReason.isEmpty())
            state->abortReason = reason;
        reply->abort();
    };

    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, limits, abortWith] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limits.maxBytes)
            abortWith(QStringLiteral("the answer is larger than %1 bytes").arg(limits.maxBytes));
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, state, limits, abortWith] {
        state->body += reply->readAll();
        if (state->body.size() > limits.maxBytes)
            abortWith(QStringLiteral("the answer is larger than %1 bytes").arg(limits.maxBytes));
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, state, finish] {
        if (state->abortReason.isEmpty() && reply->isOpen())
            state->body += reply->readAll();
        finish();
    });
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [limits, abortWith] {
        abortWith(QStringLiteral("no complete answer within %1 ms").arg(limits.timeoutMs));
    });
    deadline->start(limits.timeoutMs);
    // An abandoned request is not left running.
    if (context)
        QObject::connect(context, &QObject::destroyed, reply, [reply] { reply->abort(); });
}

} // namespace Library
