#include "app/application.h"
#include "app/update/updatechecker.h"
#include "engine/preferences.h"
#include "support/localhttpserver.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using App::UpdateChecker;

namespace {

QByteArray appcast(const QList<QByteArray>& items)
{
    QByteArray feed =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
        "<channel><title>VeltQorv</title><link>https://veltqorv.org/</link>";
    for (const QByteArray& item : items)
        feed += "<item>" + item + "</item>";
    return feed + "</channel></rss>";
}

QByteArray item(const QByteArray& version, const QByteArray& build,
                const QByteArray& link = "https://veltqorv.org/r")
{
    return "<title>Version " + version + "</title><link>" + link + "</link><sparkle:version>" + build +
           "</sparkle:version><sparkle:shortVersionString>" + version + "</sparkle:shortVersionString>";
}

} // namespace

class TestUpdateChecker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationVersion(App::Application::version()); }

    void newestRelease_data()
    {
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("link");

        QTest::newRow("one item") << appcast({item("1.2.0", "7")}) << true << QStringLiteral("1.2.0")
                                  << QStringLiteral("7") << QStringLiteral("https://veltqorv.org/r");
        // Feeds are not always newest first; 1.10 is later than 1.9.
        QTest::newRow("newest by number, not order")
            << appcast(
                   {item("1.9.0", "9"), item("1.10.0", "10", "https://veltqorv.org/10"), item("1.2.0", "2")})
            << true << QStringLiteral("1.10.0") << QStringLiteral("10")
            << QStringLiteral("https://veltqorv.org/10");
        QTest::newRow("versions on the enclosure")
            << appcast(
                   {"<title>X</title><enclosure url=\"https://veltqorv.org/x.tar.gz\" sparkle:version=\"5\" "
                    "sparkle:shortVersionString=\"2.0.0\" length=\"1\" type=\"application/octet-stream\"/>"})
            << true << QStringLiteral("2.0.0") << QStringLiteral("5")
            << QStringLiteral("https://veltqorv.org/x.tar.gz");
        QTest::newRow("build only") << appcast({"<sparkle:version>3</sparkle:version>"}) << true << QString()
                                    << QStringLiteral("3") << QString();
        QTest::newRow("items without versions are skipped")
            << appcast({"<title>news</title>", item("1.1.0", "2")}) << true << QStringLiteral("1.1.0")
            << QStringLiteral("2") << QStringLiteral("https://veltqorv.org/r");
        QTest::newRow("no items") << appcast({}) << false << QString() << QString() << QString();
        QTest::newRow("not XML") << QByteArray("<html><body>Oops") << false << QString() << QString()
                                 << QString();
    }

    void newestRelease()
    {
        QFETCH(QByteArray, feed);
        QFETCH(bool, valid);
        QFETCH(QString, version);
        QFETCH(QString, build);
        QFETCH(QString, link);
        QString error;
        const std::optional<UpdateChecker::Release> release = UpdateChecker::newestRelease(feed, &error);
        QCOMPARE(release.has_value(), valid);
        QCOMPARE(error.isEmpty(), valid);
        if (!valid)
            return;
        QCOMPARE(release->version, version);
        QCOMPARE(release->build, build);
        QCOMPARE(release->link.toString(), link);
    }

    void isNewer_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("build");
        QTest::addColumn<bool>("newer");
        QTest::newRow("same") << QStringLiteral("1.0.0") << QStringLiteral("1") << false;
        QTest::newRow("patch") << QStringLiteral("1.0.1") << QStringLiteral("1") << true;
        QTest::newRow("older") << QStringLiteral("0.9.9") << QStringLiteral("9") << false;
        QTest::newRow("same version, later build") << QStringLiteral("1.0.0") << QStringLiteral("2") << true;
        QTest::newRow("trailing zero") << QStringLiteral("1.0") << QStringLiteral("1") << false;
        QTest::newRow("build only, later") << QString() << QStringLiteral("2") << true;
        QTest::newRow("build only, same") << QString() << QStringLiteral("1") << false;
    }

    void isNewer()
    {
        QFETCH(QString, version);
        QFETCH(QString, build);
        QFETCH(bool, newer);
        QCOMPARE(
            UpdateChecker::isNewer({version, build, {}, {}}, QStringLiteral("1.0.0"), QStringLiteral("1")),
            newer);
    }

    void check_data()
    {
        QTest::addColumn<QByteArray>("feed"); // empty: no feed file (404)
        QTest::addColumn<UpdateChecker::Outcome>("outcome");

        QTest::newRow("newer") << appcast({item("9.0.0", "90")}) << UpdateChecker::Outcome::UpdateAvailable;
        QTest::newRow("up to date") << appcast({item(App::Application::version().toUtf8(), "1")})
                                    << UpdateChecker::Outcome::UpToDate;
        QTest::newRow("missing feed") << QByteArray() << UpdateChecker::Outcome::Failed;
        QTest::newRow("garbage") << QByteArray("not a feed") << UpdateChecker::Outcome::Failed;
    }

    void check()
    {
        QFETCH(QByteArray, feed);
        QFETCH(UpdateChecker::Outcome, outcome);

        QTemporaryDir dir;
        if (!feed.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("appcast.xml")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(feed);
        }
        TestSupport::LocalHttpServer server(dir.path());
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        const QUrl feedUrl(server.url(QStringLiteral("appcast.xml")));

        Engine::Preferences preferences(dir.filePath(QStringLiteral("prefs.conf")));
        UpdateChecker checker(preferences);
        checker.setFeedUrl(feedUrl);
        QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
        QSignalSpy canCheck(&checker, &UpdateChecker::canCheckForUpdatesChanged);

        QVERIFY(checker.canCheckForUpdates());
        checker.checkForUpdates();
        QVERIFY(!checker.canCheckForUpdates());
        // A second request while one runs starts nothing.
        checker.checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QVERIFY(checker.canCheckForUpdates());
        QCOMPARE(canCheck.size(), 2);
        QCOMPARE(finished.at(0).at(0).value<UpdateChecker::Outcome>(), outcome);
        QCOMPARE(finished.at(0).at(3).toBool(), true);
        QCOMPARE(finished.at(0).at(2).toString().isEmpty(), outcome != UpdateChecker::Outcome::Failed);
    }

    void environmentOverridesTheFeed()
    {
        qputenv("VELTQORV_APPCAST_URL", "http://127.0.0.1:9/feed.xml");
        QCOMPARE(UpdateChecker::defaultFeedUrl(), QUrl(QStringLiteral("http://127.0.0.1:9/feed.xml")));
        qunsetenv("VELTQORV_APPCAST_URL");
        QCOMPARE(UpdateChecker::defaultFeedUrl().path(), QStringLiteral("/velt-qorv/appcast.xml"));
    }
};

QTEST_GUILESS_MAIN(TestUpdateChecker)
#include "tst_updatechecker.moc"
