#include "library/favicondownloader.h"
#include "library/faviconfetcher.h"
#include "library/store.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Library;

namespace {

// tests/library/iconsite.py on a free port, answering as its routes (JSON text) say.
class IconSite
{
public:
    explicit IconSite(const char* routes)
    {
        m_process.start(QStringLiteral("python3"),
                        {QStringLiteral("-u"), QFINDTESTDATA("iconsite.py"), QString::fromUtf8(routes)});
        // The first line is "Serving HTTP on 127.0.0.1 port <port>".
        if (m_process.waitForReadyRead(10000))
            m_port = m_process.readLine().trimmed().split(' ').last().toUShort();
    }
    ~IconSite()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
    }

    // The rest of each line the site printed so far after `word`: "GET <path>", "AGENT <User-Agent>"
    // for each request, "ABORTED <path>" for a client that hung up before the whole body was sent.
    QStringList seen(const QString& word = QStringLiteral("GET"))
    {
        m_output += m_process.readAllStandardOutput();
        QStringList found;
        for (const QString& line : QString::fromUtf8(m_output).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.startsWith(word + QLatin1Char(' ')))
                found += line.mid(word.size() + 1);
        }
        return found;
    }

private:
    QProcess m_process;
    QByteArray m_output;
    quint16 m_port = 0;
};

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
    }

    // Candidates of a page at https://site.example/blog/post; the site's /favicon.ico comes last.
    void parse_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("larger first, then in address order; upper case, relative and other hosts")
            << QStringLiteral("<head><LINK REL=\"ICON\" HREF=\"i.png\"><link rel=icon href='../up.png'>"
                              "<link rel=\"shortcut icon\" href=\"/i-16x16.png\">"
                              "<link rel=\"apple-touch-icon\" href=\"/i-180x180.png\">"
                              "<link rel='icon' href='https://cdn.example/x/i.png?v=1=2'>"
                              "<link rel=icon href=\"//cdn.example/x.ico\"/></head>")
            << QStringList{QStringLiteral("https://site.example/up.png"),
                           QStringLiteral("https://cdn.example/x.ico"),
                           QStringLiteral("https://site.example/i-180x180.png"),
                           QStringLiteral("https://site.example/i-16x16.png"),
                           QStringLiteral("https://cdn.example/x/i.png?v=1=2"),
                           QStringLiteral("https://site.example/blog/i.png")};
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
        QTest::addColumn<QByteArray>("routes");
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<QByteArray>("expectedData"); // empty for a record without data

        // Missing (a.png), too large and too slow icons are passed over; a redirect on the site is
        // followed; the first icon that loads is kept.
        QTest::newRow("failing icons, then a redirected one")
            << QByteArray(
                   R"({"/": {"body": "<head><link rel=icon href=/a.png><link rel=icon href=/b.png>)"
                   R"(<link rel=icon href=/c.png><link rel=icon href=/d.png></head>"},)"
                   R"("/b.png": {"size": 3000000}, "/c.png": {"size": 2000, "rate": 100},)"
                   R"("/d.png": {"status": 301, "location": "/real.png"}, "/real.png": {"body": "ICO"},)"
                   R"("/favicon.ico": {"body": "ICO"}})")
            << QStringLiteral("/ /a.png /b.png /c.png /d.png /real.png").split(QLatin1Char(' '))
            << QByteArray("ICO");
        // A home page that cannot be read gives no candidates at all.
        const QStringList home{QStringLiteral("/")};
        QTest::newRow("home page not UTF-8")
            << QByteArray(
                   R"({"/": {"body": "<p>caf\u00e9</p>", "encoding": "latin-1"}, "/favicon.ico": {"body": "I"}})")
            << home << QByteArray();
        QTest::newRow("home page too large")
            << QByteArray(R"({"/": {"size": 3000000}, "/favicon.ico": {"body": "I"}})") << home
            << QByteArray();
        QTest::newRow("home page too slow")
            << QByteArray(R"({"/": {"size": 2000, "rate": 100}, "/favicon.ico": {"body": "I"}})") << home
            << QByteArray();
    }

    void fetch()
    {
        QFETCH(QByteArray, routes);
        QFETCH(QStringList, requests);
        QFETCH(QByteArray, expectedData);

        IconSite site(routes.constData());
        const qint64 itemId = addItem(site.url(QStringLiteral("/watch?v=1")));
        const qint64 faviconId = settle(itemId);
        QVERIFY(faviconId > 0);

        const std::optional<Favicon> icon = m_store->favicon(faviconId);
        QVERIFY(icon);
        QCOMPARE(icon->url, QUrl(QStringLiteral("http://127.0.0.1")));
        QCOMPARE(icon->data, expectedData.isEmpty() ? std::nullopt : std::optional(expectedData));
        QCOMPARE(m_store->item(itemId)->faviconId, std::optional(faviconId));

        QTRY_COMPARE(site.seen(), requests);
        QCOMPARE(site.seen(QStringLiteral("AGENT")),
                 QStringList(requests.size(), QStringLiteral("VeltQorv 1.0.0(1)")));
    }

    void itemsOfOneSiteShareOneRequest()
    {
        IconSite site(R"({"/": {"body": "<head></head>"}, "/favicon.ico": {"body": "ICO"}})");
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
        // Forced, it asks again and keeps the record.
        QCOMPARE(settle(first, true), faviconId);
        QTRY_COMPARE(site.seen().size(), 4);
    }

    void destroyedWhileFetching()
    {
        IconSite site(R"({"/": {"size": 100, "rate": 10}})");
        const qint64 itemId = addItem(site.url(QStringLiteral("/a")));
        m_fetcher->refresh(itemId);
        QTRY_VERIFY_WITH_TIMEOUT(site.seen().contains(QStringLiteral("/")), 10000);
        m_finished.reset();
        m_fetcher.reset();
        // The request goes with the fetcher instead of calling back into it when the page is in.
        QTRY_VERIFY_WITH_TIMEOUT(site.seen(QStringLiteral("ABORTED")).contains(QStringLiteral("/")), 10000);
        QVERIFY(!m_store->item(itemId)->faviconId);
    }

    void itemGone() { QCOMPARE(settle(424242), 0); }
};

QTEST_GUILESS_MAIN(TestFaviconFetcher)
#include "tst_faviconfetcher.moc"
