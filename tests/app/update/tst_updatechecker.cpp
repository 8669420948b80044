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

    // Each feed through a check of the running version, 1.0.0 build 1.
    void check_data()
    {
        QTest::addColumn<QByteArray>("feed"); // empty: no feed file (404)
        QTest::addColumn<UpdateChecker::Outcome>("outcome");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("link");
        const auto available = UpdateChecker::Outcome::UpdateAvailable;
        const auto upToDate = UpdateChecker::Outcome::UpToDate;
        const auto failed = UpdateChecker::Outcome::Failed;

        // Feeds are not always newest first; 1.10 is later than 1.9.
        QTest::newRow("newest by number, not order")
            << appcast(
                   {item("1.9.0", "9"), item("1.10.0", "10", "https://veltqorv.org/10"), item("1.2.0", "2")})
            << available << QStringLiteral("1.10.0") << QStringLiteral("https://veltqorv.org/10");
        QTest::newRow("versions on the enclosure")
            << appcast(
                   {"<title>X</title><enclosure url=\"https://veltqorv.org/x.tar.gz\" sparkle:version=\"5\" "
                    "sparkle:shortVersionString=\"2.0.0\" length=\"1\" type=\"application/octet-stream\"/>"})
            << available << QStringLiteral("2.0.0") << QStringLiteral("https://veltqorv.org/x.tar.gz");
        QTest::newRow("same version, later build")
            << appcast({item("1.0.0", "2")}) << available << QStringLiteral("1.0.0")
            << QStringLiteral("https://veltqorv.org/r");
        QTest::newRow("build only, later")
            << appcast({"<sparkle:version>2</sparkle:version>"}) << available << QString() << QString();
        QTest::newRow("older version, later build")
            << appcast({item("0.9.9", "9")}) << upToDate << QStringLiteral("0.9.9")
            << QStringLiteral("https://veltqorv.org/r");
        QTest::newRow("trailing zero") << appcast({item("1.0", "1")}) << upToDate << QStringLiteral("1.0")
                                       << QStringLiteral("https://veltqorv.org/r");
        QTest::newRow("only items without versions")
            << appcast({"<title>news</title>"}) << failed << QString() << QString();
        QTest::newRow("not XML") << QByteArray("<html><body>Oops") << failed << QString() << QString();
        QTest::newRow("missing feed") << QByteArray() << failed << QString() << QString();
    }

    void check()
    {
        QFETCH(QByteArray, feed);
        QFETCH(UpdateChecker::Outcome, outcome);
        QFETCH(QString, version);
        QFETCH(QString, link);

        QTemporaryDir dir;
        if (!feed.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("appcast.xml")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(feed);
        }
        TestSupport::LocalHttpServer server(dir.path());
        QVERIFY2(server.start(), qPrintable(server.errorString()));

        Engine::Preferences preferences(dir.filePath(QStringLiteral("prefs.conf")));
        UpdateChecker checker(preferences);
        checker.setFeedUrl(QUrl(server.url(QStringLiteral("appcast.xml"))));
        QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
        QSignalSpy canCheck(&checker, &UpdateChecker::canCheckForUpdatesChanged);

        checker.checkForUpdates();
        QVERIFY(!checker.canCheckForUpdates());
        // A second request while one runs starts nothing.
        checker.checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QVERIFY(checker.canCheckForUpdates());
        QCOMPARE(canCheck.size(), 2);
        QCOMPARE(finished.at(0).at(0).value<UpdateChecker::Outcome>(), outcome);
        const auto release = finished.at(0).at(1).value<UpdateChecker::Release>();
        QCOMPARE(release.version, version);
        QCOMPARE(release.link.toString(), link);
        QCOMPARE(finished.at(0).at(2).toString().isEmpty(), outcome != UpdateChecker::Outcome::Failed);
        QCOMPARE(finished.at(0).at(3).toBool(), true);
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
