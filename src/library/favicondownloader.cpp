#include "favicondownloader.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTimer>

#include <array>

namespace Library {

namespace {

struct IconLink
{
    QString rel;
    QString type;
    QString href;
};

const std::array<QLatin1String, 5> AcceptedRelations = {
    QLatin1String("apple-touch-icon"),
    QLatin1String("shortcut icon"),
    QLatin1String("shortcut"),
    QLatin1String("icon"),
    QLatin1String("apple-touch-icon-precomposed"),
};

QString strip(QString text, const QString& characters)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && characters.contains(text.at(begin)))
        ++begin;
    while (end > begin && characters.contains(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// The value inside its quotes, or an unquoted one without the slash of a self-closing tag. The
// slashes that start a value are its own: "//cdn/x.ico" and "/x.ico" are different addresses.
QString attributeValue(const QString& raw)
{
    if (raw.startsWith(QLatin1Char('"')) || raw.startsWith(QLatin1Char('\''))) {
        const qsizetype close = raw.indexOf(raw.front(), 1);
        return raw.mid(1, close < 0 ? -1 : close - 1);
    }
    return raw.endsWith(QLatin1Char('/')) ? raw.chopped(1) : raw;
}

IconLink readLink(const QString& tag)
{
    static const QRegularExpression whitespace(QStringLiteral("\\s+"));
    IconLink link;
    const QStringList pieces = strip(tag, QStringLiteral("<>")).split(whitespace, Qt::SkipEmptyParts);
    for (const QString& piece : pieces) {
        if (!piece.contains(QLatin1Char('=')))
            continue;
        QStringList parts = piece.split(QLatin1Char('='));
        if (parts.size() < 2)
            continue;
        const QString key = strip(parts.takeFirst(), QStringLiteral("'\"/")).toLower();
        const QString value = attributeValue(parts.join(QLatin1Char('=')));
        if (key == QLatin1String("rel"))
            link.rel = value;
        else if (key == QLatin1String("type"))
            link.type = value;
        else if (key == QLatin1String("href"))
            link.href = value;
    }
    return link;
}

std::optional<int> sizeOf(const IconLink& link)
{
    static const QRegularExpression size(QStringLiteral("(\\d+)x(\\d+)"));
    const QRegularExpressionMatch match = size.match(link.href);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

// Larger icons first; links without a size in their address in address order. The relation is
// not a total order, so the sort is one that stays in bounds whatever the comparison says.
void sortBySize(QList<IconLink>& links)
{
    auto before = [](const IconLink& a, const IconLink& b) {
        const std::optional<int> sa = sizeOf(a);
        const std::optional<int> sb = sizeOf(b);
        if (sa && sb)
            return *sa > *sb;
        return a.href < b.href;
    };
    for (qsizetype i = 1; i < links.size(); ++i) {
        for (qsizetype j = i; j > 0 && before(links[j], links[j - 1]); --j)
            links.swapItemsAt(j, j - 1);
    }
}

} // namespace

std::optional<QUrl> FaviconDownloader::homepage(const QUrl& url)
{
    if (url.scheme().isEmpty() || url.host().isEmpty())
        return std::nullopt;
    QUrl home;
    home.setScheme(url.scheme());
    home.setHost(url.host());
    home.setPort(url.port());
    if (!home.isValid())
        return std::nullopt;
    return home;
}

std::optional<QUrl> FaviconDownloader::defaultFaviconURL(const QUrl& url)
{
    std::optional<QUrl> icon = homepage(url);
    if (icon)
        icon->setPath(QStringLiteral("/favicon.ico"));
    return icon;
}

QList<QUrl> FaviconDownloader::parse(const QString& html, const QUrl& page)
{
    static const QRegularExpression head(QStringLiteral("<head>.+?</head>"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression linkTag(QStringLiteral("<link.*?>"),
                                            QRegularExpression::CaseInsensitiveOption);

    const QRegularExpressionMatch headMatch = head.match(html);
    const QString section = headMatch.hasMatch() ? headMatch.captured(0) : html;

    QList<IconLink> links;
    QRegularExpressionMatchIterator tags = linkTag.globalMatch(section);
    while (tags.hasNext())
        links += readLink(tags.next().captured(0));
    sortBySize(links);

    QList<QUrl> candidates;
    for (const IconLink& link : std::as_const(links)) {
        if (link.href.contains(QLatin1String("favicon.ico")))
            continue;
        const QString rel = link.rel.toLower();
        if (std::find(AcceptedRelations.begin(), AcceptedRelations.end(), rel) == AcceptedRelations.end())
            continue;
        // Scheme-relative (//cdn/x.ico) and page-relative links are relative to the page.
        const QUrl resolved = page.resolved(QUrl(QUrl::fromPercentEncoding(link.href.toUtf8())));
        if (resolved.isValid())
            candidates += resolved;
    }
    if (const std::optional<QUrl> fallback = defaultFaviconURL(page))
        candidates += *fallback;

    QList<QUrl> fetchable;
    QSet<QUrl> seen;
    for (const QUrl& candidate : std::as_const(candidates)) {
        if (HttpFetch::isFetchable(candidate) && !seen.contains(candidate)) {
            seen.insert(candidate);
            fetchable += candidate;
        }
    }
    return fetchable;
}

void FaviconDownloader::download(QNetworkAccessManager& network, const QUrl& url,
                                 const HttpFetch::Limits& limits, QObject* context,
                                 std::function<void(const Result&)> done)
{
    const std::optional<QUrl> home = homepage(url);
    if (!home || !HttpFetch::isFetchable(*home)) {
        QTimer::singleShot(0, context, [done = std::move(done)] {
            done(Result{.candidates = {}, .error = Error::feedHomepageUnavailable, .detail = {}});
        });
        return;
    }
    HttpFetch::get(network, *home, limits, context,
                   [home = *home, done = std::move(done)](const HttpFetch::Result& page) {
                       if (!page.succeeded()) {
                           done(Result{.candidates = {},
                                       .error = Error::invalidServerResponse,
                                       .detail = page.error.isEmpty()
                                                     ? QStringLiteral("HTTP status %1").arg(page.status)
                                                     : page.error});
                           return;
                       }
                       QStringDecoder decoder(QStringDecoder::Utf8);
                       const QString html = decoder.decode(page.body);
                       if (decoder.hasError()) {
                           done(Result{.candidates = {},
                                       .error = Error::invalidServerResponse,
                                       .detail = QStringLiteral("not UTF-8")});
                           return;
                       }
                       done(Result{.candidates = parse(html, home), .error = std::nullopt, .detail = {}});
                   });
}

} // namespace Library
