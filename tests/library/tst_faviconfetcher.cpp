#include "library/favicondownloader.h"
#include "library/faviconfetcher.h"
#include "library/store.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
        // The first line is "Serving HTTP on 127.0.0.1 port <port>".
        if (!QTest::qWaitFor([this] { return m_process.canReadLine(); }, 10000))
            return;
        m_port = m_process.readLine().trimmed().split(' ').last().toUShort();
    }
    ~IconSite()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

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

QJsonObject page(const QString& links)
{
    return {{QStringLiteral("type"), QStringLiteral("text/html; charset=utf-8")},
            {QStringLiteral("body"), QStringLiteral("<html><head><title>t</title>\n") + links +
                                         QStringLiteral("\n</head><body>hello</body></html>")}};
}

QJsonObject route(const char* key, const QJsonValue& value)
{
    return {{QString::fromLatin1(key), value}};
}

} // namespace

class TestFaviconFetcher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<FaviconFetcher> m_fetcher;
    std::unique_ptr<QSignalSpy> m_finished;

    qint64 addItem(const QUrl& source)
    {
        const auto ids = m_store->insertItems({ShakeItem::create(source)});
        return ids ? ids->first() : 0;
    }

    // The icon record the fetcher settled on for the item, 0 for none.
    qint64 settle(qint64 itemId, bool force = false)
    {
        const qsizetype before = m_finished->count();
        m_fetcher->refresh(itemId, force);
        if (!QTest::qWaitFor([&] { return m_finished->count() > before; }, 20000))
            return -1;
        const QList<QVariant> last = m_finished->last();
        return last.at(0).toLongLong() == itemId ? last.at(1).toLongLong() : -1;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<Store>();
        QVERIFY2(m_store->open(m_dir->filePath(QStringLiteral("db.store"))),
                 qPrintable(m_store->errorMessage()));
        m_fetcher = std::make_unique<FaviconFetcher>(*m_store);
        m_fetcher->setLimits({.timeoutMs = 1500, .maxPageBytes = 64 * 1024, .maxIconBytes = 16 * 1024});
        m_finished = std::make_unique<QSignalSpy>(m_fetcher.get(), &FaviconFetcher::finished);
    }
    void cleanup()
    {
        m_finished.reset();
        m_fetcher.reset();
        m_store.reset();
        m_dir.reset();
    }

    void addresses()
    {
        const QUrl source(QStringLiteral("https://me:pw@www.example.com:8443/a/b?c=d#e"));
        QCOMPARE(ShakeItem::siteURL(source), std::optional(QUrl(QStringLiteral("https://www.example.com"))));
        QCOMPARE(FaviconDownloader::homepage(source),
                 std::optional(QUrl(QStringLiteral("https://www.example.com:8443"))));
        QCOMPARE(FaviconDownloader::defaultFaviconURL(source),
                 std::optional(QUrl(QStringLiteral("https://www.example.com:8443/favicon.ico"))));
        QVERIFY(!FaviconDownloader::homepage(QUrl::fromLocalFile(QStringLiteral("/tmp/a.html"))));
    }

    // Candidates of a page at https://site.example/blog/post; the site's /favicon.ico comes last.
    void parse_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("upper case, relative to the page, address order without sizes")
            << QStringLiteral(
                   "<head><LINK REL=\"ICON\" HREF=\"i.png\"><link rel=icon href='../up.png'></head>")
            << QStringList{QStringLiteral("https://site.example/up.png"),
                           QStringLiteral("https://site.example/blog/i.png")};
        QTest::newRow("larger first, shortcut icon in two words")
            << QStringLiteral("<head><link rel=\"shortcut icon\" href=\"/i-32x32.png\">\n"
                              "<link rel=\"apple-touch-icon\" href=\"/i-180x180.png\"></head>")
            << QStringList{QStringLiteral("https://site.example/i-180x180.png"),
                           QStringLiteral("https://site.example/i-32x32.png")};
        QTest::newRow("other hosts, equals signs in the value")
            << QStringLiteral("<head><link rel='icon' href='https://cdn.example/x/i.png?v=1=2'>"
                              "<link rel=icon href=\"//cdn.example/x.ico\"/></head>")
            << QStringList{QStringLiteral("https://cdn.example/x.ico"),
                           QStringLiteral("https://cdn.example/x/i.png?v=1=2")};
        QTest::newRow("no head: whole page") << QStringLiteral("<link rel=icon href=/n.png><p>x</p>")
                                             << QStringList{QStringLiteral("https://site.example/n.png")};
        QTest::newRow("dropped: stylesheet, favicon.ico, local file, outside the head")
            << QStringLiteral(
                   "<head><link rel=\"stylesheet\" href=\"/s.css\"><link rel=icon href=/img/favicon.ico>"
                   "<link rel=icon href=\"file:///dev/zero\"></head><link rel=icon href=/body.png>")
            << QStringList{};
    }

    void parse()
    {
        QFETCH(QString, html);
        QFETCH(QStringList, expected);
        QList<QUrl> urls;
        for (const QString& text : expected + QStringList{QStringLiteral("https://site.example/favicon.ico")})
            urls += QUrl(text);
        QCOMPARE(FaviconDownloader::parse(html, QUrl(QStringLiteral("https://site.example/blog/post"))),
                 urls);
    }

    // What the site is asked, in order, and what is stored: a record without data when nothing loads.
    void fetch_data()
    {
        QTest::addColumn<QJsonObject>("routes");
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<QVariant>("expectedData"); // QByteArray, or invalid for a record without data

        const QJsonObject ico{{QStringLiteral("type"), QStringLiteral("image/png")},
                              {QStringLiteral("body"), QStringLiteral("ICO")}};
        const QString home = QStringLiteral("/");
        const QString fallback = QStringLiteral("/favicon.ico");

        QTest::newRow("icon link") << QJsonObject{{home, page(QStringLiteral("<link rel=icon href=/i.png>"))},
                                                  {QStringLiteral("/i.png"), ico}}
                                   << QStringList{home, QStringLiteral("/i.png")}
                                   << QVariant(QByteArray("ICO"));
        // Missing (a.png), too large and too slow icons are passed over; a redirect on the site is followed.
        QTest::newRow("failing icons, then a redirected fallback")
            << QJsonObject{{home, page(QStringLiteral("<link rel=icon href=/a.png><link rel=icon href=/b.png>"
                                                      "<link rel=icon href=/c.png>"))},
                           {QStringLiteral("/b.png"), route("size", 3000000)},
                           {QStringLiteral("/c.png"),
                            QJsonObject{{QStringLiteral("size"), 2000}, {QStringLiteral("rate"), 100}}},
                           {fallback, QJsonObject{{QStringLiteral("status"), 301},
                                                  {QStringLiteral("location"), QStringLiteral("/real.ico")}}},
                           {QStringLiteral("/real.ico"), ico}}
            << QStringList{home,
                           QStringLiteral("/a.png"),
                           QStringLiteral("/b.png"),
                           QStringLiteral("/c.png"),
                           fallback,
                           QStringLiteral("/real.ico")}
            << QVariant(QByteArray("ICO"));
        QTest::newRow("redirect to a local file not followed")
            << QJsonObject{{home, page(QString())},
                           {fallback, QJsonObject{{QStringLiteral("status"), 302},
                                                  {QStringLiteral("location"),
                                                   QStringLiteral("file:///etc/hostname")}}}}
            << QStringList{home, fallback} << QVariant();
        // A home page that cannot be read gives no candidates at all.
        QTest::newRow("home page 404") << QJsonObject{{fallback, ico}} << QStringList{home} << QVariant();
        QTest::newRow("home page not UTF-8")
            << QJsonObject{{home,
                            QJsonObject{{QStringLiteral("body"), QStringLiteral("<html>caf\u00e9</html>")},
                                        {QStringLiteral("encoding"), QStringLiteral("latin-1")}}},
                           {fallback, ico}}
            << QStringList{home} << QVariant();
        QTest::newRow("home page too large") << QJsonObject{{home, route("size", 3000000)}, {fallback, ico}}
                                             << QStringList{home} << QVariant();
        QTest::newRow("home page too slow")
            << QJsonObject{{home, QJsonObject{{QStringLiteral("size"), 2000}, {QStringLiteral("rate"), 100}}},
                           {fallback, ico}}
            << QStringList{home} << QVariant();
    }

    void fetch()
    {
        QFETCH(QJsonObject, routes);
        QFETCH(QStringList, requests);
        QFETCH(QVariant, expectedData);

        IconSite site(routes);
        const qint64 itemId = addItem(site.url(QStringLiteral("/watch?v=1")));
        QVERIFY(itemId > 0);
        const qint64 faviconId = settle(itemId);
        QVERIFY(faviconId > 0);
        QCOMPARE(m_fetcher->pendingCount(), 0);

        const std::optional<Favicon> icon = m_store->favicon(faviconId);
        QVERIFY(icon);
        QCOMPARE(icon->url, QUrl(QStringLiteral("http://127.0.0.1")));
        QCOMPARE(icon->data.has_value(), expectedData.isValid());
        if (expectedData.isValid())
            QCOMPARE(*icon->data, expectedData.toByteArray());
        QCOMPARE(m_store->item(itemId)->faviconId, std::optional(faviconId));

        QTRY_COMPARE(site.seen(), requests);
        for (const QString& agent : site.seen(QStringLiteral("GET"), 1))
            QCOMPARE(agent, QStringLiteral("VeltQorv 1.0.0(1)"));
    }

    void itemsOfOneSiteShareOneRequest()
    {
        IconSite site({{QStringLiteral("/"), page(QString())},
                       {QStringLiteral("/favicon.ico"), route("body", QStringLiteral("ICO"))}});
        const qint64 first = addItem(site.url(QStringLiteral("/a")));
        const qint64 second = addItem(site.url(QStringLiteral("/b")));
        m_fetcher->refresh(first);
        m_fetcher->refresh(second);
        QTRY_COMPARE_WITH_TIMEOUT(m_finished->count(), 2, 20000);
        const qint64 faviconId = m_finished->at(0).at(1).toLongLong();
        QVERIFY(faviconId > 0);
        QCOMPARE(m_finished->at(1).at(1).toLongLong(), faviconId);
        QCOMPARE(m_store->faviconItemIds(faviconId), (QList<qint64>{first, second}));

        // An item of a known site is settled from the store, without asking the site again.
        QCOMPARE(settle(addItem(site.url(QStringLiteral("/c")))), faviconId);
        QTRY_COMPARE(site.seen(), QStringList({QStringLiteral("/"), QStringLiteral("/favicon.ico")}));
    }

    void forceAsksAgain()
    {
        IconSite site({{QStringLiteral("/"), page(QString())},
                       {QStringLiteral("/favicon.ico"), route("body", QStringLiteral("NEW"))}});
        const qint64 itemId = addItem(site.url(QStringLiteral("/a")));
        const auto old =
            m_store->storeFavicon(QUrl(QStringLiteral("http://127.0.0.1")), std::nullopt, itemId);
        QVERIFY(old);
        QCOMPARE(settle(itemId, true), *old);
        QCOMPARE(m_store->favicon(*old)->data, std::optional(QByteArray("NEW")));
    }

    void destroyedWhileFetching()
    {
        IconSite site({{QStringLiteral("/"),
                        QJsonObject{{QStringLiteral("size"), 100}, {QStringLiteral("rate"), 10}}}});
        const qint64 itemId = addItem(site.url(QStringLiteral("/a")));
        m_fetcher->refresh(itemId);
        QTRY_VERIFY_WITH_TIMEOUT(site.seen().contains(QStringLiteral("/")), 10000);
        m_finished.reset();
        m_fetcher.reset();
        // The request goes with the fetcher instead of calling back into it when the page is in.
        QTRY_VERIFY_WITH_TIMEOUT(site.seen(QStringLiteral("ABORTED")).contains(QStringLiteral("/")), 10000);
        QVERIFY(!m_store->item(itemId)->faviconId);
    }

    void noSiteToAsk()
    {
        QCOMPARE(settle(424242), 0);
        // Nothing listens on port 9 of 127.0.0.1 in a test environment.
        const qint64 faviconId = settle(addItem(QUrl(QStringLiteral("http://127.0.0.1:9/v"))));
        QVERIFY(faviconId > 0);
        QVERIFY(!m_store->favicon(faviconId)->data);
    }
};

QTEST_GUILESS_MAIN(TestFaviconFetcher)
#include "tst_faviconfetcher.moc"
