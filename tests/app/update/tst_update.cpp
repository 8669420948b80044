#include "app/application.h"
#include "app/update/updatechecker.h"
#include "app/update/updatedialog.h"
#include "engine/preferences.h"
#include "support/localhttpserver.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using App::UpdateChecker;
using App::UpdateDialog;
using Outcome = App::UpdateChecker::Outcome;

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

class TestUpdate : public QObject
{
    Q_OBJECT

    QList<QUrl> m_opened;

public Q_SLOTS:
    void open(const QUrl& url) { m_opened << url; }

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setApplicationVersion(App::Application::version());
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
    }

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
        // A second request while one runs starts nothing.
        checker.checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QCOMPARE(canCheck.size(), 2);
        QVERIFY(checker.canCheckForUpdates());
        QCOMPARE(finished.at(0).at(0).value<UpdateChecker::Outcome>(), outcome);
        const auto release = finished.at(0).at(1).value<UpdateChecker::Release>();
        QCOMPARE(release.version, version);
        QCOMPARE(release.link.toString(), link);
        QCOMPARE(finished.at(0).at(2).toString().isEmpty(), outcome != UpdateChecker::Outcome::Failed);
        QCOMPARE(finished.at(0).at(3).toBool(), true);
    }

    void present_data()
    {
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<bool>("userInitiated");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("text"); // empty: nothing is shown
        QTest::addColumn<QStringList>("buttons");

        const QString available = QStringLiteral("VeltQorv 9.0.0 is available — you have 1.0.0.");
        const QStringList later{QStringLiteral("Later")};
        QTest::newRow("automatic, newer")
            << Outcome::UpdateAvailable << false << QStringLiteral("https://veltqorv.org/9") << available
            << QStringList{QStringLiteral("Download…")} + later;
        QTest::newRow("newer without a link")
            << Outcome::UpdateAvailable << true << QString() << available << later;
        QTest::newRow("a link that is no web page")
            << Outcome::UpdateAvailable << true << QStringLiteral("file:///etc/passwd") << available
            << QStringList{QStringLiteral("Download…")} + later;
        QTest::newRow("asked, up to date")
            << Outcome::UpToDate << true << QString()
            << QStringLiteral("You're up to date! VeltQorv 1.0.0 is the newest version.")
            << QStringList{QStringLiteral("OK")};
        QTest::newRow("asked, failed") << Outcome::Failed << true << QString() << QStringLiteral("HTTP 404")
                                       << QStringList{QStringLiteral("OK")};
        QTest::newRow("automatic, up to date")
            << Outcome::UpToDate << false << QString() << QString() << QStringList();
    }

    void present()
    {
        QFETCH(Outcome, outcome);
        QFETCH(bool, userInitiated);
        QFETCH(QString, link);
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);
        m_opened.clear();
        QWidget parent;
        const UpdateChecker::Release release{QStringLiteral("9.0.0"), QStringLiteral("90"), QString(),
                                             QUrl(link)};
        UpdateDialog* dialog =
            UpdateDialog::present(outcome, release, QStringLiteral("HTTP 404"), userInitiated, &parent);
        QCOMPARE(dialog != nullptr, !text.isEmpty());
        if (!dialog)
            return;
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->text(), text);
        QCOMPARE(dialog->icon(),
                 outcome == Outcome::Failed ? QMessageBox::Warning : QMessageBox::Information);
        QStringList shown;
        for (QAbstractButton* button : dialog->buttons())
            shown << button->text().remove(QLatin1Char('&'));
        const qsizetype download = shown.indexOf(QStringLiteral("Download…"));
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, buttons);
        if (download < 0)
            return;
        // Only a web page is opened.
        dialog->buttons().at(download)->click();
        QCOMPARE(m_opened,
                 link.startsWith(QStringLiteral("https:")) ? QList<QUrl>{QUrl(link)} : QList<QUrl>());
    }
};

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
