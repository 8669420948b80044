#include "engine/downloader.h"
#include "engine/enginekeys.h"
#include "engine/executablesearch.h"
#include "engine/loginenvironment.h"
#include "engine/preferences.h"

#include "fixedphraseparser.h"
#include "support/localhttpserver.h"
#include "support/testmedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Engine;
using TestSupport::LocalHttpServer;
using TestSupport::TestMedia;
using Kind = DownloaderProcessError::Kind;

namespace {

const QString Fakes = QStringLiteral(VELTQORV_TEST_FAKES);
const QDateTime Now(QDate(2026, 3, 14), QTime(12, 0), Qt::UTC);

// Everything one run reported, in order.
struct Run
{
    DownloaderResult result;
    int finishedCount = 0;
    QStringList titles;
    QList<DownloaderProgress> progress;
    QList<DownloaderStatus> statuses;
};

} // namespace

class TestDownloader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_work;
    std::unique_ptr<Preferences> m_preferences;
    std::unique_ptr<LocalHttpServer> m_server;
    QString m_clip;
    FixedPhraseParser m_parser;
    int m_unique = 0;

    std::unique_ptr<Downloader> make(const QString& address, const QStringList& arguments = {})
    {
        return std::make_unique<Downloader>(address, arguments, *m_preferences, &m_parser,
                                            [] { return Now; });
    }

    void useTool(const QString& path)
    {
        m_preferences->setValue(Engine::Keys::downloaderBin, std::optional<QString>(path));
        // The stand-ins read their FAKE_* variables from the environment the tool is given.
        LoginEnvironment::instance().invalidate();
    }

    // The real tool, saving into a fresh folder; returns the options pointing there.
    QStringList useRealTool(QString* folder)
    {
        const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
        if (!tool)
            qFatal("yt-dlp is not installed");
        useTool(*tool);
        *folder = m_work.filePath(QStringLiteral("out-%1").arg(++m_unique));
        QDir().mkpath(*folder);
        return {QStringLiteral("--ignore-config"), QStringLiteral("--no-cache-dir"), QStringLiteral("-P"),
                *folder};
    }

    Run runToEnd(Downloader& downloader)
    {
        Run run;
        QObject::connect(&downloader, &Downloader::titleChanged,
                         [&](const QString& t) { run.titles.append(t); });
        QObject::connect(&downloader, &Downloader::progress,
                         [&](const DownloaderProgress& p) { run.progress.append(p); });
        QObject::connect(&downloader, &Downloader::statusChanged,
                         [&](DownloaderStatus s) { run.statuses.append(s); });
        QObject::connect(&downloader, &Downloader::finished, [&](const DownloaderResult& r) {
            run.result = r;
            ++run.finishedCount;
        });
        downloader.start();
        if (!QTest::qWaitFor([&] { return run.finishedCount > 0; }, 120000))
            qWarning("The run did not finish in time.");
        // A second finished would already be posted.
        QCoreApplication::sendPostedEvents();
        return run;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        QLoggingCategory::setFilterRules(QStringLiteral("org.veltqorv.VeltQorv.Downloader.debug=false"));
        m_preferences = std::make_unique<Preferences>(m_work.filePath(QStringLiteral("prefs.conf")));
        m_clip = TestMedia::clip(2);
        QVERIFY2(!m_clip.isEmpty(), "ffmpeg could not make the test clip");
        const QString served = m_work.filePath(QStringLiteral("www"));
        QVERIFY(QDir().mkpath(served));
        QVERIFY(QFile::copy(m_clip, served + QStringLiteral("/clip.mp4")));
        const QString dash = TestMedia::dashFolder(2);
        QVERIFY2(!dash.isEmpty(), "ffmpeg could not make the DASH stream");
        QVERIFY(QFile::link(dash, served + QStringLiteral("/dash")));
        m_server = std::make_unique<LocalHttpServer>(served);
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
    }

    void init()
    {
        m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>());
        qunsetenv("FAKE_STDOUT");
        qunsetenv("FAKE_STDERR");
        qunsetenv("FAKE_EXIT");
    }

    // The real tool on a direct file: title and file while it runs, progress up to 100, and the
    // file where the result says.
    void realDownloadOfAFile()
    {
        QString folder;
        const QStringList options = useRealTool(&folder);
        auto downloader = make(m_server->url(QStringLiteral("clip.mp4")), options);
        const Run run = runToEnd(*downloader);

        QCOMPARE(run.finishedCount, 1);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        QVERIFY2(!run.result.processError(), qPrintable(run.result.error()));
        const QString expected = folder + QStringLiteral("/clip [clip].mp4");
        QCOMPARE(run.result.location(), QUrl::fromLocalFile(expected));
        QCOMPARE(QFileInfo(expected).size(), QFileInfo(m_clip).size());
        QCOMPARE(run.titles, QStringList{QStringLiteral("clip [clip].mp4")});
        QCOMPARE(run.statuses,
                 (QList<DownloaderStatus>{DownloaderStatus::running, DownloaderStatus::completed}));
        QVERIFY(!run.progress.isEmpty());
        QCOMPARE(run.progress.last().percent(), 100.0);
        QCOMPARE(run.progress.last().downloadedBytes(), QFileInfo(m_clip).size());
        // The log keeps the tool's lines, without the progress reports.
        QVERIFY(run.result.outputLog().contains(QStringLiteral("[download] Destination: ") + expected));
        QVERIFY(!run.result.outputLog().contains(QStringLiteral("veltqorv-progress")));
    }

    // Separate video and audio: progress starts again for the second file and never runs
    // backwards within one; the merged file is the result.
    void realDownloadThatMerges()
    {
        QString folder;
        const QStringList options = useRealTool(&folder);
        auto downloader = make(m_server->url(QStringLiteral("dash/manifest.mpd")), options);
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        const QString merged = folder + QStringLiteral("/manifest [manifest].mp4");
        QCOMPARE(run.result.location(), QUrl::fromLocalFile(merged));
        QVERIFY(QFileInfo::exists(merged));
        int filesFinished = 0;
        double last = -1;
        for (const DownloaderProgress& p : run.progress) {
            if (p.percent()) {
                QVERIFY(*p.percent() >= last || last == 100.0);
                last = *p.percent();
            }
            filesFinished += p.isFileFinished() ? 1 : 0;
        }
        QCOMPARE(filesFinished, 2);
    }

    // The real tool's own words reach the classification.
    void realFailures_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("errorContains");
        QTest::newRow("not found") << QStringLiteral("nothing.mp4") << QString() << int(Kind::downloadFailed)
                                   << QStringLiteral("HTTP Error 404");
        // Writing into /sys is refused even to root.
        QTest::newRow("folder not writable")
            << QStringLiteral("clip.mp4") << QStringLiteral("/sys") << int(Kind::permissionError)
            << QStringLiteral("Permission denied");
    }

    void realFailures()
    {
        QFETCH(QString, address);
        QFETCH(QString, folder);
        QFETCH(int, kind);
        QFETCH(QString, errorContains);
        QString ours;
        QStringList options = useRealTool(&ours);
        if (!folder.isEmpty())
            options.last() = folder;
        const Run run = runToEnd(*make(m_server->url(address), options));
        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QCOMPARE(int(run.result.processError()->kind()), kind);
        QVERIFY2(run.result.error().contains(errorContains), qPrintable(run.result.error()));
        QCOMPARE(run.result.error(), run.result.error().trimmed());
    }

    // What the tool is started with, argument by argument: options, progress options, "--",
    // the address in encoded form.
    void argumentsReachTheTool()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-args"));
        const QStringList options{QStringLiteral("-P"), QStringLiteral("/tmp/it's a $(b)")};
        const Run run = runToEnd(*make(QStringLiteral(" http://127.0.0.1:9/a b;c\n"), options));
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        const QStringList lines = run.result.outputLog().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines.at(0), QStringLiteral("argc=7"));
        QCOMPARE(lines.at(2), QStringLiteral("arg=/tmp/it's a $(b)"));
        QCOMPARE(lines.at(3), QStringLiteral("arg=--newline"));
        QCOMPARE(lines.at(6), QStringLiteral("arg=--"));
        QCOMPARE(lines.at(7), QStringLiteral("arg=http://127.0.0.1:9/a%20b;c"));
    }

    // The logged command line gives a POSIX shell back exactly the arguments.
    void quotedCommandLineReadsBack()
    {
        const QStringList arguments{QStringLiteral("-P"), QStringLiteral("it's \"$HOME\" `x` \\ *"),
                                    QString(), QStringLiteral("a\nb"), QStringLiteral("--x=y,z")};
        QString line = Downloader::quotedCommandLine(QStringLiteral("printf"), arguments);
        QVERIFY(line.startsWith(QStringLiteral("printf -P '")));
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), line.replace(0, 6, QStringLiteral("printf '[%s]'"))});
        QVERIFY(shell.waitForFinished());
        QStringList expected;
        for (const QString& argument : arguments)
            expected << QLatin1Char('[') + argument + QLatin1Char(']');
        QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()), expected.join(QString()));
    }

    // Refused before anything runs; finished still comes once, later.
    void refusedAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("leading dash after white space") << QStringLiteral(" \n-o/tmp/x http://127.0.0.1:9/");
        QTest::newRow("blank") << QStringLiteral(" \t\n");
        QTest::newRow("not an address") << QStringLiteral("http://[::1");
    }

    void refusedAddresses()
    {
        QFETCH(QString, address);
        useTool(Fakes + QStringLiteral("/yt-dlp-args"));
        auto downloader = make(address);
        QSignalSpy finished(downloader.get(), &Downloader::finished);
        downloader->start();
        QCOMPARE(finished.size(), 0);
        QCOMPARE(downloader->status(), DownloaderStatus::failed);
        QVERIFY(finished.wait(5000));
        const auto result = finished.first().first().value<DownloaderResult>();
        QCOMPARE(result.processError()->kind(), Kind::addressRefused);
        QCOMPARE(result.error(), result.processError()->text());
        QVERIFY(!downloader->bin());
    }

    // The start of a live event is measured from the clock, with the item's delay winning over
    // the preferred one.
    void scheduledStarts_data()
    {
        QTest::addColumn<int>("itemDelay");
        QTest::addColumn<int>("preferredHours");
        QTest::addColumn<qint64>("startIn");
        QTest::newRow("preferred delay") << -1 << 2 << qint64(3 * 86400 + 7200);
        QTest::newRow("the item's delay") << 90 << 2 << qint64(3 * 86400 + 90);
    }

    void scheduledStarts()
    {
        QFETCH(int, itemDelay);
        QFETCH(int, preferredHours);
        QFETCH(qint64, startIn);
        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        qputenv("FAKE_STDERR", "ERROR: [youtube] abc123: This live event will begin in 3 days.");
        m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>(preferredHours));
        auto downloader = make(QStringLiteral("https://www.youtube.com/watch?v=abc123"));
        if (itemDelay >= 0)
            downloader->setDownloadDelay(itemDelay);
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.processError()->kind(), Kind::liveEvent);
        QCOMPARE(Now.secsTo(*run.result.processError()->startDate()), startIn);
    }

    // Any other exit is a failure with the tool's exit status when it said nothing.
    void silentExit()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        qputenv("FAKE_EXIT", "3");
        const Run run = runToEnd(*make(QStringLiteral("http://127.0.0.1:9/v")));
        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QCOMPARE(run.result.processError(),
                 DownloaderProcessError::downloadFailed(QStringLiteral("exit status 3")));
    }

    void toolMissing_data()
    {
        QTest::addColumn<QString>("bin");
        QTest::newRow("not executable") << m_work.filePath(QStringLiteral("prefs.conf"));
        QTest::newRow("a name not on the login PATH") << QStringLiteral("veltqorv-no-such-tool");
    }

    void toolMissing()
    {
        QFETCH(QString, bin);
        useTool(bin);
        const Run run = runToEnd(*make(QStringLiteral("http://127.0.0.1:9/v")));
        QCOMPARE(run.finishedCount, 1);
        QCOMPARE(run.result.processError(), DownloaderProcessError::downloaderBinNotFound());
    }

    // A stop ends the run as stopped, without error text, whenever it comes.
    void stop_data()
    {
        QTest::addColumn<bool>("waitForOutput");
        QTest::newRow("while it runs") << true;
        QTest::newRow("right after start") << false;
    }

    void stop()
    {
        QFETCH(bool, waitForOutput);
        useTool(Fakes + QStringLiteral("/yt-dlp-hang"));
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/hang"));
        QSignalSpy titles(downloader.get(), &Downloader::titleChanged);
        QSignalSpy finished(downloader.get(), &Downloader::finished);
        downloader->start();
        if (waitForOutput)
            QVERIFY(titles.wait(20000));
        downloader->stop();
        QVERIFY(finished.wait(20000));
        const auto result = finished.first().first().value<DownloaderResult>();
        QCOMPARE(result.processError(), DownloaderProcessError::processTerminated());
        QVERIFY(result.error().isEmpty());
        downloader->stop();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(finished.size(), 1);
    }

    // 100 000 lines and one of 1 MiB: every line is read, only the newest part is kept.
    void floodOfOutput()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-flood"));
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/flood"));
        downloader->setRetainedLimit(64 * 1024);
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        QCOMPARE(run.titles, (QStringList{QStringLiteral("flood.f1.mp4"), QStringLiteral("flood.mp4")}));
        QCOMPARE(downloader->progressLineCount(), 1000);
        QCOMPARE(run.progress.last().percent(), 100.0);
        QVERIFY(run.result.outputLog().size() <= 64 * 1024);
        QVERIFY(run.result.outputLog().endsWith(
            QStringLiteral("[Merger] Merging formats into \"flood.mp4\"\nlast line")));
    }

    // Output that looks like progress but lacks this run's prefix is ordinary output.
    void foreignProgressLinesAreOrdinaryOutput()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        const QByteArray spoof = "[veltqorv-progress-0000000000000000] downloading 1 2 NA NA NA NA NA";
        qputenv("FAKE_STDOUT", spoof);
        qputenv("FAKE_EXIT", "0");
        const Run run = runToEnd(*make(QStringLiteral("http://127.0.0.1:9/v")));
        QVERIFY(run.progress.isEmpty());
        QCOMPARE(run.result.outputLog(), QString::fromLatin1(spoof));
    }

    void startsOnce()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-args"));
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/v"));
        QSignalSpy finished(downloader.get(), &Downloader::finished);
        downloader->stop();
        QCOMPARE(downloader->status(), DownloaderStatus::ready);
        downloader->start();
        downloader->start();
        QVERIFY(finished.wait(20000));
        downloader->start();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(downloader->status(), DownloaderStatus::completed);
    }
};

QTEST_GUILESS_MAIN(TestDownloader)
#include "tst_downloader.moc"
