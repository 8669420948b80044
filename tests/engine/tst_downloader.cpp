#include "engine/downloadchoice.h"
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
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

Q_DECLARE_METATYPE(Engine::DownloadChoice)

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
        QFile page(served + QStringLiteral("/page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write(
            "<html><head><meta property=\"og:title\" content=\"Caf&#233; &amp; &quot;Clips&quot;: 1/2\">"
            "<meta property=\"og:video\" content=\"clip.mp4\"></head></html>");
        page.close();
        QVERIFY2(TestMedia::playerPage(served), "ffmpeg could not make the player's videos");
        const QString dash = TestMedia::dashFolder(2);
        QVERIFY2(!dash.isEmpty(), "ffmpeg could not make the DASH stream");
        QVERIFY(QFile::link(dash, served + QStringLiteral("/dash")));
        const QString hls = TestMedia::hlsFolder(2);
        QVERIFY2(!hls.isEmpty(), "ffmpeg could not make the HLS stream");
        QVERIFY(QFile::link(hls, served + QStringLiteral("/hls")));
        m_server = std::make_unique<LocalHttpServer>(served);
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
    }

    // The real tool, one folder for all runs: a direct file, separate video and audio that it
    // merges, and failures in its own words.
    void realTool()
    {
        const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
        QVERIFY2(tool, "yt-dlp is not installed");
        useTool(*tool);
        const QString folder = m_work.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(folder));
        QStringList options{QStringLiteral("--ignore-config"), QStringLiteral("--no-cache-dir"),
                            QStringLiteral("-P"), folder};

        const Run file = runToEnd(*make(m_server->url(QStringLiteral("clip.mp4")), options));
        QCOMPARE(file.result.status(), DownloaderStatus::completed);
        const QString expected = folder + QStringLiteral("/clip [clip].mp4");
        QCOMPARE(file.result.location(), QUrl::fromLocalFile(expected));
        QCOMPARE(file.statuses,
                 (QList<DownloaderStatus>{DownloaderStatus::running, DownloaderStatus::completed}));
        QVERIFY(!file.progress.isEmpty());
        QCOMPARE(file.progress.last().percent(), 100.0);
        QCOMPARE(file.progress.last().downloadedBytes(), QFileInfo(m_clip).size());
        QVERIFY(!file.result.outputLog().contains(QStringLiteral("veltqorv-progress")));

        // A page's own title, not the file's name; the file the one left after extracting.
        const Run page =
            runToEnd(*make(m_server->url(QStringLiteral("page.html")),
                           options + QStringList{QStringLiteral("-x"), QStringLiteral("--audio-format"),
                                                 QStringLiteral("mp3")}));
        QCOMPARE(page.titles, QStringList{QStringLiteral("Caf\u00e9 & \"Clips\": 1/2")});
        QCOMPARE(page.result.title(), page.titles.first());
        const QString mp3 = page.result.location().value_or(QUrl()).toLocalFile();
        QVERIFY2(mp3.startsWith(folder) && mp3.endsWith(QStringLiteral(".mp3")) && QFileInfo::exists(mp3),
                 qPrintable(mp3));

        // Progress starts again for the second file and never runs backwards within one.
        const Run dash = runToEnd(*make(m_server->url(QStringLiteral("dash/manifest.mpd")), options));
        const QString merged = folder + QStringLiteral("/manifest [manifest].mp4");
        QCOMPARE(dash.result.location(), QUrl::fromLocalFile(merged));
        int filesFinished = 0;
        double last = -1;
        for (const DownloaderProgress& p : dash.progress) {
            if (p.percent()) {
                QVERIFY(*p.percent() >= last || last == 100.0);
                last = *p.percent();
            }
            filesFinished += p.isFileFinished() ? 1 : 0;
        }
        QCOMPARE(filesFinished, 2);

        const Run missing = runToEnd(*make(m_server->url(QStringLiteral("nothing.mp4")), options));
        QCOMPARE(missing.result.processError()->kind(), Kind::downloadFailed);
        QVERIFY2(missing.result.error().contains(QStringLiteral("HTTP Error 404")),
                 qPrintable(missing.result.error()));
        QCOMPARE(missing.result.error(), missing.result.error().trimmed());
        // Writing into /sys is refused even to root.
        options.last() = QStringLiteral("/sys");
        const Run refused = runToEnd(*make(m_server->url(QStringLiteral("clip.mp4")), options));
        QCOMPARE(refused.result.processError()->kind(), Kind::permissionError);
    }

    void choicesMakeTheirFiles_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<DownloadChoice>("choice");
        QTest::addColumn<QString>("container"); // as ffprobe names it
        QTest::addColumn<int>("height");        // 0: no picture
        QTest::addColumn<bool>("subtitleStream");
        QTest::addColumn<bool>("subtitleFile");

        DownloadChoice video;
        video.maxHeight = 480;
        video.container = DownloadChoice::Container::mp4;
        QTest::newRow("480p mp4") << "player.html" << video << "mov,mp4" << 480 << false << false;
        DownloadChoice mkv = video;
        mkv.container = DownloadChoice::Container::mkv;
        mkv.maxHeight.reset();
        mkv.subtitleLanguages = {QStringLiteral("en")};
        QTest::newRow("best mkv, subtitles inside")
            << "player.html" << mkv << "matroska" << 720 << true << false;
        DownloadChoice beside = video;
        beside.subtitleLanguages = {QStringLiteral("en")};
        beside.embedSubtitles = false;
        QTest::newRow("subtitles beside") << "player.html" << beside << "mov,mp4" << 480 << false << true;
        DownloadChoice mp3;
        mp3.audioOnly = true;
        // The variant under the cap, not the best or worst of the master playlist's three.
        QTest::newRow("480p mp4 from HLS")
            << "hls/stream.html" << video << "mov,mp4" << 480 << false << false;
        QTest::newRow("mp3") << "player.html" << mp3 << "mp3" << 0 << false << false;
    }

    void choicesMakeTheirFiles()
    {
        QFETCH(QString, page);
        QFETCH(DownloadChoice, choice);
        QFETCH(QString, container);
        QFETCH(int, height);
        QFETCH(bool, subtitleStream);
        QFETCH(bool, subtitleFile);
        const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
        QVERIFY2(tool, "yt-dlp is not installed");
        useTool(*tool);
        QTemporaryDir folder;
        QStringList options{QStringLiteral("--ignore-config"), QStringLiteral("--no-cache-dir"),
                            QStringLiteral("-P"), folder.path()};
        for (const QorvConfigItem& item : choice.configItems())
            options += item.tokens();

        const Run run = runToEnd(*make(m_server->url(page), options));
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        const QString file = run.result.location().value_or(QUrl()).toLocalFile();
        QProcess probe;
        probe.start(QStringLiteral("ffprobe"),
                    {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                     QStringLiteral("stream=codec_type,height:format=format_name"), QStringLiteral("-of"),
                     QStringLiteral("json"), file});
        QVERIFY(probe.waitForFinished(30000));
        const QJsonObject probed = QJsonDocument::fromJson(probe.readAllStandardOutput()).object();
        QCOMPARE(probed.value(QStringLiteral("format"))
                     .toObject()
                     .value(QStringLiteral("format_name"))
                     .toString()
                     .section(QLatin1Char(','), 0, container.count(QLatin1Char(','))),
                 container);
        int videoHeight = 0;
        bool hasSubtitles = false;
        for (const QJsonValue& stream : probed.value(QStringLiteral("streams")).toArray()) {
            const QString type = stream.toObject().value(QStringLiteral("codec_type")).toString();
            if (type == QLatin1String("video"))
                videoHeight = stream.toObject().value(QStringLiteral("height")).toInt();
            hasSubtitles |= type == QLatin1String("subtitle");
        }
        QCOMPARE(videoHeight, height);
        QCOMPARE(hasSubtitles, subtitleStream);
        const QStringList beside = QDir(folder.path()).entryList({QStringLiteral("*.vtt")}, QDir::Files);
        QCOMPARE(beside.size(), subtitleFile ? 1 : 0);
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
        QCOMPARE(lines.mid(0, 4),
                 (QStringList{QStringLiteral("argc=7"), QStringLiteral("arg=-P"),
                              QStringLiteral("arg=/tmp/it's a $(b)"), QStringLiteral("arg=--newline")}));
        QCOMPARE(lines.mid(6),
                 (QStringList{QStringLiteral("arg=--"), QStringLiteral("arg=http://127.0.0.1:9/a%20b;c")}));
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

    // Refused addresses and a tool that cannot be run: the run fails before anything runs, and
    // finished still comes once, later.
    void failsBeforeTheToolRuns_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("bin");
        QTest::addColumn<Kind>("kind");
        const QString args = Fakes + QStringLiteral("/yt-dlp-args");
        const QString address = QStringLiteral("http://127.0.0.1:9/v");
        QTest::newRow("leading dash after white space")
            << QStringLiteral(" \n-o/tmp/x http://127.0.0.1:9/") << args << Kind::addressRefused;
        QTest::newRow("not an address") << QStringLiteral("http://[::1") << args << Kind::addressRefused;
        QTest::newRow("tool not executable")
            << address << m_work.filePath(QStringLiteral("prefs.conf")) << Kind::downloaderBinNotFound;
        QTest::newRow("a name not on the login PATH")
            << address << QStringLiteral("veltqorv-no-such-tool") << Kind::downloaderBinNotFound;
    }

    void failsBeforeTheToolRuns()
    {
        QFETCH(QString, address);
        QFETCH(QString, bin);
        QFETCH(Kind, kind);
        useTool(bin);
        auto downloader = make(address);
        QSignalSpy finished(downloader.get(), &Downloader::finished);
        downloader->start();
        QCOMPARE(finished.size(), 0);
        QVERIFY(finished.wait(5000));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(downloader->status(), DownloaderStatus::failed);
        const auto result = finished.first().first().value<DownloaderResult>();
        QCOMPARE(result.processError()->kind(), kind);
        QVERIFY(!result.error().isEmpty());
    }

    // What the tool printed and its exit status decide the outcome: a live event's start is
    // measured from this run's clock with the item's delay winning over the preferred one; a
    // silent failure names the exit status; output shaped like progress but without this run's
    // prefix is ordinary output.
    void toolSays_data()
    {
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("exit");
        QTest::addColumn<int>("itemDelay");
        QTest::addColumn<std::optional<DownloaderProcessError>>("error");
        const auto live = [](qint64 startIn) {
            return std::optional(DownloaderProcessError::liveEvent(Now.addSecs(startIn)));
        };
        QTest::newRow("live event, the preferred delay")
            << QByteArray() << QByteArray() << -1 << live(3 * 86400 + 2 * 3600);
        QTest::newRow("live event, the item's delay")
            << QByteArray() << QByteArray() << 90 << live(3 * 86400 + 90);
        QTest::newRow("silent exit") << QByteArray() << QByteArray("3") << -1
                                     << std::optional(DownloaderProcessError::downloadFailed(
                                            QStringLiteral("exit status 3")));
        QTest::newRow("foreign progress line")
            << QByteArray("[veltqorv-progress-0000000000000000] downloading 1 2 NA NA NA NA NA")
            << QByteArray("0") << -1 << std::optional<DownloaderProcessError>();
    }

    void toolSays()
    {
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, exit);
        QFETCH(int, itemDelay);
        QFETCH(std::optional<DownloaderProcessError>, error);
        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        qputenv("FAKE_STDOUT", out);
        qputenv("FAKE_EXIT", exit);
        const bool live = error && error->kind() == Kind::liveEvent;
        qputenv("FAKE_STDERR", live ? "ERROR: [youtube] abc123: This live event will begin in 3 days." : "");
        m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>(2));
        auto downloader = make(QStringLiteral("https://www.youtube.com/watch?v=abc123"));
        if (itemDelay >= 0)
            downloader->setDownloadDelay(itemDelay);
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.processError(), error);
        QVERIFY(run.progress.isEmpty());
        QCOMPARE(run.result.outputLog(), QString::fromLatin1(out));
    }

    // A stop ends the run as stopped, without error text, whenever it comes. A run starts once:
    // a stop before the start, a second start and a stop after the end change nothing.
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
        downloader->stop();
        QCOMPARE(downloader->status(), DownloaderStatus::ready);
        downloader->start();
        downloader->start();
        if (waitForOutput)
            QVERIFY(titles.wait(20000));
        downloader->stop();
        QVERIFY(finished.wait(20000));
        const auto result = finished.first().first().value<DownloaderResult>();
        QCOMPARE(result.processError(), DownloaderProcessError::processTerminated());
        QVERIFY(result.error().isEmpty());
        downloader->stop();
        downloader->start();
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
};

QTEST_GUILESS_MAIN(TestDownloader)
#include "tst_downloader.moc"
