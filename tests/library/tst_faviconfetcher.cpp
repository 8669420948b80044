#include "library/favicondownloader.h"
#include "library/faviconfetcher.h"
#include "library/store.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Library;

namespace {

// tests/library/iconsite.py on a free port, answering as its routes say.
class IconSite
{
public:
    explicit IconSite(const QJsonObject& routes)
    {
        QFile file(m_dir.filePath(QStringLiteral("routes.json")));
        if (file.open(QIODevice::WriteOnly))
            file.write(QJsonDocument(routes).toJson());
        file.close();
        m_process.start(QStringLiteral("python3"), {QStringLiteral("-u"), QFINDTESTDATA("iconsite.py"),
                                                    QStringLiteral("--routes"), file.fileName()});
        static const QRegularExpression serving(QStringLiteral("Serving HTTP on \\S+ port (\\d+)"));
        while (m_port == 0 && m_process.waitForReadyRead(10000)) {
            m_output += m_process.readAllStandardOutput();
            const QRegularExpressionMatch match = serving.match(QString::fromUtf8(m_output));
            if (match.hasMatch())
                m_port = match.captured(1).toUShort();
        }
        m_output.clear();
    }
    ~IconSite()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    quint16 port() const { return m_port; }
    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
    }

    // Field `field` (0: the path, 1: the User-Agent) of each line the site printed with `word`
    // so far: "GET <path> <User-Agent>" for a request, "ABORTED <path>" for a client that hung
    // up before the whole body was sent.
    QStringList seen(const QString& word = QStringLiteral("GET"), int field = 0)
    {
        m_output += m_process.readAllStandardOutput();
        QStringList found;
        for (const QString& line : QString::fromUtf8(m_output).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.section(QLatin1Char(' '), 0, 0) == word)
                found +=
                    field == 0 ? line.section(QLatin1Char(' '), 1, 1) : line.section(QLatin1Char(' '), 2);
        }
        return found;
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArray m_output;
    quint16 m_port = 0;
};

QJsonObject page(const QString& html)
{
    return {{QStringLiteral("type"), QStringLiteral("text/html; charset=utf-8")},
            {QStringLiteral("body"), html}};
}

QJsonObject bytes(const QString& text)
{
    return {{QStringLiteral("type"), QStringLiteral("image/png")}, {QStringLiteral("body"), text}};
}

QString head(const QString& links)
{
    return QStringLiteral("<!DOCTYPE html><html><head><title>t</title>\n") + links +
           QStringLiteral("\n</head><body>hello</body></html>");
}

QList<QUrl> urls(const QStringList& texts)
{
    QList<QUrl> list;
    for (const QString& text : texts)
        list += QUrl(text);
    return list;
}

} // namespace

class TestFaviconFetcher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Store> m_store;

    qint64 addItem(const QUrl& source)
    {
        const auto ids = m_store->insertItems({ShakeItem::create(source)});
        return ids ? ids->first() : 0;
    }

    static FaviconFetcher::Limits quickLimits()
    {
        return {.timeoutMs = 1500, .maxPageBytes = 64 * 1024, .maxIconBytes = 16 * 1024};
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<Store>();
        QVERIFY2(m_store->open(m_dir->filePath(QStringLiteral("db.store"))),
                 qPrintable(m_store->errorMessage()));
    }
    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void addresses_data()
    {
        QTest::addColumn<QUrl>("source");
        QTest::addColumn<QUrl>("site");
        QTest::addColumn<QUrl>("homepage");
        QTest::addColumn<QUrl>("defaultIcon");
        QTest::newRow("port, path and query")
            << QUrl(QStringLiteral("https://www.example.com:8443/a/b?c=d#e"))
            << QUrl(QStringLiteral("https://www.example.com"))
            << QUrl(QStringLiteral("https://www.example.com:8443"))
            << QUrl(QStringLiteral("https://www.example.com:8443/favicon.ico"));
        QTest::newRow("user part dropped")
            << QUrl(QStringLiteral("http://me:pw@example.org/x"))
            << QUrl(QStringLiteral("http://example.org")) << QUrl(QStringLiteral("http://example.org"))
            << QUrl(QStringLiteral("http://example.org/favicon.ico"));
        QTest::newRow("file address")
            << QUrl::fromLocalFile(QStringLiteral("/tmp/a.html")) << QUrl() << QUrl() << QUrl();
        QTest::newRow("bare string") << QUrl(QStringLiteral("example.com")) << QUrl() << QUrl() << QUrl();
    }

    void addresses()
    {
        QFETCH(QUrl, source);
        QFETCH(QUrl, site);
        QFETCH(QUrl, homepage);
        QFETCH(QUrl, defaultIcon);
        QCOMPARE(ShakeItem::siteURL(source).value_or(QUrl()), site);
        QCOMPARE(FaviconDownloader::homepage(source).value_or(QUrl()), homepage);
        QCOMPARE(FaviconDownloader::defaultFaviconURL(source).value_or(QUrl()), defaultIcon);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QStringList>("expected");
        const QString ico = QStringLiteral("https://site.example/favicon.ico");

        QTest::newRow("relative icon, upper-case tag and relation")
            << head(QStringLiteral("<LINK REL=\"ICON\" HREF=\"/static/i.png\">"))
            << QStringList{QStringLiteral("https://site.example/static/i.png"), ico};
        QTest::newRow("larger first")
            << head(QStringLiteral("<link rel=\"icon\" href=\"/i-32x32.png\">\n"
                                   "<link rel=\"apple-touch-icon\" href=\"/i-180x180.png\">"))
            << QStringList{QStringLiteral("https://site.example/i-180x180.png"),
                           QStringLiteral("https://site.example/i-32x32.png"), ico};
        QTest::newRow("full address on another host, equals signs in the value")
            << head(QStringLiteral("<link rel='icon' href='https://cdn.example/x/i.png?v=1=2'>"))
            << QStringList{QStringLiteral("https://cdn.example/x/i.png?v=1=2"), ico};
        QTest::newRow("stylesheet ignored")
            << head(QStringLiteral("<link rel=\"stylesheet\" href=\"/s.css\">")) << QStringList{ico};
        QTest::newRow("shortcut icon in two words")
            << head(QStringLiteral("<link rel=\"shortcut icon\" href=\"/s.png\">"))
            << QStringList{QStringLiteral("https://site.example/s.png"), ico};
        QTest::newRow("no head: whole page")
            << QStringLiteral("<link rel=icon href=/n.png><p>x</p>")
            << QStringList{QStringLiteral("https://site.example/n.png"), ico};
        QTest::newRow("links outside the head ignored")
            << head(QString()) + QStringLiteral("<link rel=icon href=/body.png>") << QStringList{ico};
        QTest::newRow("named favicon.ico dropped, default kept")
            << head(QStringLiteral("<link rel=icon href=/img/favicon.ico>")) << QStringList{ico};
        QTest::newRow("local file, data and script addresses dropped")
            << head(QStringLiteral("<link rel=icon href=\"file:///dev/zero\">"
                                   "<link rel=icon href=\"data:image/png;base64,AAAA\">"
                                   "<link rel=icon href=\"javascript:alert(1)\">"
                                   "<link rel=icon href=\"ftp://site.example/i.png\">"))
            << QStringList{ico};
        QTest::newRow("scheme-relative on another host")
            << head(QStringLiteral("<link rel=icon href=\"//cdn.example/x.ico\"/>"))
            << QStringList{QStringLiteral("https://cdn.example/x.ico"), ico};
    }

    void parse()
    {
        QFETCH(QString, html);
        QFETCH(QStringList, expected);
        QCOMPARE(FaviconDownloader::parse(html, QUrl(QStringLiteral("https://site.example"))),
                 urls(expected));
    }

    void linksResolvedAgainstThePage()
    {
        const QList<QUrl> found = FaviconDownloader::parse(
            head(QStringLiteral("<link rel=icon href=i.png><link rel=icon href='../up.png'>"
                                "<link rel=icon href=//cdn.example/c.png>")),
            QUrl(QStringLiteral("http://127.0.0.1:8123/blog/post")));
        // Without sizes, in the order of the addresses as written.
        QCOMPARE(found, urls({QStringLiteral("http://127.0.0.1:8123/up.png"),
                              QStringLiteral("http://cdn.example/c.png"),
                              QStringLiteral("http://127.0.0.1:8123/blog/i.png"),
                              QStringLiteral("http://127.0.0.1:8123/favicon.ico")}));
    }

    void fetch_data()
    {
        QTest::addColumn<QJsonObject>("routes");
        QTest::addColumn<QVariant>("expectedData"); // QByteArray, or invalid for a record without data
        QTest::addColumn<QStringList>("notRequested");

        const QJsonObject icon32 = bytes(QStringLiteral("PNG-32"));
        const QJsonObject fallback = bytes(QStringLiteral("ICO"));
        const QJsonObject missing{{QStringLiteral("status"), 404}};

        QTest::newRow("icon link")
            << QJsonObject{{QStringLiteral("/"),
                            page(head(QStringLiteral("<link rel=icon href=/s/i-32x32.png>")))},
                           {QStringLiteral("/s/i-32x32.png"), icon32},
                           {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant(QByteArray("PNG-32")) << QStringList{QStringLiteral("/favicon.ico")};
        QTest::newRow("fallback favicon.ico") << QJsonObject{{QStringLiteral("/"), page(head(QString()))},
                                                             {QStringLiteral("/favicon.ico"), fallback}}
                                              << QVariant(QByteArray("ICO")) << QStringList{};
        QTest::newRow("missing icon, then fallback")
            << QJsonObject{{QStringLiteral("/"),
                            page(head(QStringLiteral("<link rel=icon href=/gone.png>")))},
                           {QStringLiteral("/gone.png"), missing},
                           {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant(QByteArray("ICO")) << QStringList{};
        QTest::newRow("nothing loads")
            << QJsonObject{{QStringLiteral("/"),
                            page(head(QStringLiteral("<link rel=icon href=/gone.png>")))}}
            << QVariant() << QStringList{};
        QTest::newRow("home page 404: no candidates at all")
            << QJsonObject{{QStringLiteral("/"), missing}, {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant() << QStringList{QStringLiteral("/favicon.ico")};
        QTest::newRow("home page not UTF-8")
            << QJsonObject{{QStringLiteral("/"),
                            QJsonObject{{QStringLiteral("body"), QStringLiteral("<html>caf\u00e9</html>")},
                                        {QStringLiteral("encoding"), QStringLiteral("latin-1")}}},
                           {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant() << QStringList{QStringLiteral("/favicon.ico")};
        QTest::newRow("oversized icon refused")
            << QJsonObject{{QStringLiteral("/"),
                            page(head(QStringLiteral("<link rel=icon href=/huge.png>")))},
                           {QStringLiteral("/huge.png"), QJsonObject{{QStringLiteral("size"), 3000000}}},
                           {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant(QByteArray("ICO")) << QStringList{};
        // The page has limits of its own.
        QTest::newRow("oversized home page refused")
            << QJsonObject{{QStringLiteral("/"), QJsonObject{{QStringLiteral("size"), 3000000}}},
                           {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant() << QStringList{QStringLiteral("/favicon.ico")};
        QTest::newRow("slow home page cut off")
            << QJsonObject{{QStringLiteral("/"),
                            QJsonObject{
                                {QStringLiteral("body"), head(QString()) + QString(2000, QLatin1Char(' '))},
                                {QStringLiteral("rate"), 100}}},
                           {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant() << QStringList{QStringLiteral("/favicon.ico")};
        QTest::newRow("slow icon cut off, next one used")
            << QJsonObject{{QStringLiteral("/"),
                            page(head(QStringLiteral("<link rel=icon href=/slow.png>")))},
                           {QStringLiteral("/slow.png"),
                            QJsonObject{{QStringLiteral("size"), 2000}, {QStringLiteral("rate"), 100}}},
                           {QStringLiteral("/favicon.ico"), fallback}}
            << QVariant(QByteArray("ICO")) << QStringList{};
        QTest::newRow("redirect to a local file not followed")
            << QJsonObject{{QStringLiteral("/"), page(head(QString()))},
                           {QStringLiteral("/favicon.ico"),
                            QJsonObject{
                                {QStringLiteral("status"), 302},
                                {QStringLiteral("location"), QStringLiteral("file:///etc/hostname")}}}}
            << QVariant() << QStringList{};
        QTest::newRow("redirect on the site followed")
            << QJsonObject{{QStringLiteral("/"), page(head(QString()))},
                           {QStringLiteral("/favicon.ico"),
                            QJsonObject{{QStringLiteral("status"), 301},
                                        {QStringLiteral("location"), QStringLiteral("/real.ico")}}},
                           {QStringLiteral("/real.ico"), fallback}}
            << QVariant(QByteArray("ICO")) << QStringList{};
    }

    void fetch()
    {
        QFETCH(QJsonObject, routes);
        QFETCH(QVariant, expectedData);
        QFETCH(QStringList, notRequested);

        IconSite site(routes);
        QVERIFY(site.port() != 0);
        const qint64 itemId = addItem(site.url(QStringLiteral("/watch?v=1")));
        QVERIFY(itemId > 0);

        FaviconFetcher fetcher(*m_store);
        fetcher.setLimits(quickLimits());
        QSignalSpy finished(&fetcher, &FaviconFetcher::finished);
        fetcher.refresh(itemId);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(finished.first().at(0).toLongLong(), itemId);
        const qint64 faviconId = finished.first().at(1).toLongLong();
        QVERIFY(faviconId > 0);
        QCOMPARE(fetcher.pendingCount(), 0);

        const std::optional<Favicon> icon = m_store->favicon(faviconId);
        QVERIFY(icon);
        QCOMPARE(icon->url, QUrl(QStringLiteral("http://127.0.0.1")));
        QCOMPARE(icon->data.has_value(), expectedData.isValid());
        if (expectedData.isValid())
            QCOMPARE(*icon->data, expectedData.toByteArray());
        QCOMPARE(m_store->item(itemId)->faviconId, std::optional(faviconId));

        QCOMPARE(site.seen().value(0), QStringLiteral("/"));
        for (const QString& agent : site.seen(QStringLiteral("GET"), 1))
            QCOMPARE(agent, QStringLiteral("VeltQorv 1.0.0(1)"));
        for (const QString& path : notRequested)
            QVERIFY2(!site.seen().contains(path), qPrintable(path));
    }

    void itemsOfOneSiteShareOneRequest()
    {
        IconSite site({{QStringLiteral("/"), page(head(QString()))},
                       {QStringLiteral("/favicon.ico"), bytes(QStringLiteral("ICO"))}});
        const qint64 first = addItem(site.url(QStringLiteral("/a")));
        const qint64 second = addItem(site.url(QStringLiteral("/b")));
        FaviconFetcher fetcher(*m_store);
        fetcher.setLimits(quickLimits());
        QSignalSpy finished(&fetcher, &FaviconFetcher::finished);
        fetcher.refresh(first);
        fetcher.refresh(second);
        QCOMPARE(fetcher.pendingCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 20000);
        const qint64 faviconId = finished.at(0).at(1).toLongLong();
        QVERIFY(faviconId > 0);
        QCOMPARE(finished.at(1).at(1).toLongLong(), faviconId);
        QCOMPARE(m_store->faviconItemIds(faviconId), (QList<qint64>{first, second}));
        QCOMPARE(site.seen(), QStringList({QStringLiteral("/"), QStringLiteral("/favicon.ico")}));

        // A later item of the site is linked from the store, without asking the site again.
        const qint64 third = addItem(site.url(QStringLiteral("/c")));
        QCOMPARE(m_store->item(third)->faviconId, std::optional(faviconId));
        fetcher.refresh(third);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 20000);
        QCOMPARE(finished.at(2).at(1).toLongLong(), faviconId);
        QCOMPARE(site.seen().size(), 2);
    }

    void forceAsksAgain()
    {
        IconSite site({{QStringLiteral("/"), page(head(QString()))},
                       {QStringLiteral("/favicon.ico"), bytes(QStringLiteral("NEW"))}});
        const qint64 itemId = addItem(site.url(QStringLiteral("/a")));
        const auto old =
            m_store->storeFavicon(QUrl(QStringLiteral("http://127.0.0.1")), std::nullopt, itemId);
        QVERIFY(old);
        FaviconFetcher fetcher(*m_store);
        fetcher.setLimits(quickLimits());
        QSignalSpy finished(&fetcher, &FaviconFetcher::finished);
        fetcher.refresh(itemId, true);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(finished.first().at(1).toLongLong(), *old);
        QCOMPARE(m_store->favicon(*old)->data, std::optional(QByteArray("NEW")));
    }

    void destroyedWhileFetching()
    {
        IconSite site({{QStringLiteral("/"), QJsonObject{{QStringLiteral("body"), head(QString())},
                                                         {QStringLiteral("rate"), 10}}}});
        const qint64 itemId = addItem(site.url(QStringLiteral("/a")));
        auto fetcher = std::make_unique<FaviconFetcher>(*m_store);
        fetcher->refresh(itemId);
        QTRY_VERIFY_WITH_TIMEOUT(site.seen().contains(QStringLiteral("/")), 10000);
        fetcher.reset();
        // The request goes with the fetcher instead of calling back into it when the page is in.
        QTRY_VERIFY_WITH_TIMEOUT(site.seen(QStringLiteral("ABORTED")).contains(QStringLiteral("/")), 10000);
        QVERIFY(!m_store->item(itemId)->faviconId);
    }

    void nothingToFetch()
    {
        FaviconFetcher fetcher(*m_store);
        QSignalSpy finished(&fetcher, &FaviconFetcher::finished);
        fetcher.refresh(424242);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first().at(1).toLongLong(), 0);
    }

    void unreachableSiteStillGetsARecord()
    {
        // Nothing listens on port 9 of 127.0.0.1 in a test environment.
        const qint64 itemId = addItem(QUrl(QStringLiteral("http://127.0.0.1:9/v")));
        FaviconFetcher fetcher(*m_store);
        fetcher.setLimits(quickLimits());
        QSignalSpy finished(&fetcher, &FaviconFetcher::finished);
        fetcher.refresh(itemId);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        const std::optional<Favicon> icon = m_store->favicon(finished.first().at(1).toLongLong());
        QVERIFY(icon);
        QVERIFY(!icon->data);
    }
};

QTEST_GUILESS_MAIN(TestFaviconFetcher)
#include "tst_faviconfetcher.moc"
