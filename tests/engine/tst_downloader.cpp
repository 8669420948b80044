#include "engine/downloader.h"
#include "engine/executablesearch.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "engine/shellquote.h"
#include "engine/timephraseparser.h"

#include "support/localhttpserver.h"
#include "support/processprobe.h"
#include "support/testmedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Engine;
using TestSupport::LocalHttpServer;
using TestSupport::ProcessProbe;
using TestSupport::TestMedia;
using Kind = DownloaderProcessError::Kind;

namespace {

const QString Fakes = QStringLiteral(VELTQORV_TEST_FAKES);
const QDateTime Now(QDate(2026, 3, 14), QTime(12, 0), Qt::UTC);

// Reads "in N <unit>" only, against the reference it is given.
class FixedPhraseParser : public TimePhraseParser
{
public:
    std::optional<QDateTime> parseDate(const QString& text, const QDateTime& reference) override
    {
        static const QRegularExpression phrase(QStringLiteral("\\bin (\\d+) (second|minute|hour|day)s?\\b"));
        const QRegularExpressionMatch match = phrase.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        const qint64 unit = match.captured(2) == QLatin1String("second")   ? 1
                            : match.captured(2) == QLatin1String("minute") ? 60
                            : match.captured(2) == QLatin1String("hour")   ? 3600
                                                                           : 86400;
        return reference.addSecs(match.captured(1).toLongLong() * unit);
    }
};

// Everything one run reported, in order.
struct Run
{
    DownloaderResult result;
    int finishedCount = 0;
    QStringList titles;
    QList<QUrl> locations;
    QList<DownloaderProgress> progress;
    QList<DownloaderStatus> statuses;
};

QStringList linesOf(const QString& text)
{
    return text.split(QLatin1Char('\n'));
}

} // namespace

class TestDownloader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_work;
    std::unique_ptr<Preferences> m_preferences;
    std::unique_ptr<LocalHttpServer> m_server;
    QString m_served;
    QString m_clip;
    FixedPhraseParser m_parser;
    int m_unique = 0;

    std::unique_ptr<Downloader> make(const QString& address, const QString& args = {})
    {
        return std::make_unique<Downloader>(address, args, *m_preferences, &m_parser, [] { return Now; });
    }

    void useTool(const QString& path)
    {
        m_preferences->setValue(Engine::Keys::downloaderBin, std::optional<QString>(path));
    }

    void useRealTool()
    {
        const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
        QVERIFY2(tool, "yt-dlp is not installed");
        useTool(*tool);
    }

    // A fresh folder for the tool to save into, and the option text pointing there.
    QString newOutputFolder(QString* args)
    {
        const QString folder = m_work.filePath(QStringLiteral("out-%1").arg(++m_unique));
        QDir().mkpath(folder);
        *args = QStringLiteral("--ignore-config --no-cache-dir -P ") + shellQuote(folder);
        return folder;
    }

    Run runToEnd(Downloader& downloader, int timeoutMs = 120000)
    {
        Run run;
        QObject::connect(&downloader, &Downloader::titleChanged,
                         [&](const QString& t) { run.titles.append(t); });
        QObject::connect(&downloader, &Downloader::locationChanged,
                         [&](const QUrl& l) { run.locations.append(l); });
        QObject::connect(&downloader, &Downloader::progress,
                         [&](const DownloaderProgress& p) { run.progress.append(p); });
        QObject::connect(&downloader, &Downloader::statusChanged,
                         [&](DownloaderStatus s) { run.statuses.append(s); });
        QObject::connect(&downloader, &Downloader::finished, [&](const DownloaderResult& r) {
            run.result = r;
            ++run.finishedCount;
        });
        downloader.start();
        if (!QTest::qWaitFor([&] { return run.finishedCount > 0; }, timeoutMs))
            return run;
        // finished must not come twice.
        QTest::qWait(50);
        return run;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        QLoggingCategory::setFilterRules(QStringLiteral("org.veltqorv.VeltQorv.Downloader.debug=false"));
        // A shell word that ran would leave its file here.
        QVERIFY(QDir::setCurrent(m_work.path()));
        m_preferences = std::make_unique<Preferences>(m_work.filePath(QStringLiteral("prefs.conf")));

        m_clip = TestMedia::clip(2);
        QVERIFY2(!m_clip.isEmpty(), "ffmpeg could not make the test clip");
        m_served = m_work.filePath(QStringLiteral("www"));
        QVERIFY(QDir().mkpath(m_served));
        QVERIFY(QFile::copy(m_clip, m_served + QStringLiteral("/clip.mp4")));
        QVERIFY(QFile::copy(m_clip, m_served + QStringLiteral("/it's a $(touch x) clip.mp4")));
        QFile page(m_served + QStringLiteral("/page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><title>Page clip</title>"
                   "<meta property=\"og:video\" content=\"clip.mp4\"></head>"
                   "<body><video src=\"clip.mp4\"></video></body></html>");
        page.close();
        QFile plain(m_served + QStringLiteral("/plain.html"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("<html><head><title>Nothing here</title></head><body>No media.</body></html>");
        plain.close();
        const QString dash = TestMedia::dashFolder(2);
        QVERIFY2(!dash.isEmpty(), "ffmpeg could not make the DASH stream");
        QVERIFY(QFile::link(dash, m_served + QStringLiteral("/dash")));

        m_server = std::make_unique<LocalHttpServer>(m_served);
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
    }

    void cleanupTestCase()
    {
        m_server.reset();
        QVERIFY(!QFileInfo::exists(m_work.filePath(QStringLiteral("x"))));
    }

    void init()
    {
        m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>());
        qunsetenv("FAKE_STDOUT");
        qunsetenv("FAKE_STDERR");
        qunsetenv("FAKE_EXIT");
        qunsetenv("FAKE_PID_FILE");
    }

    // The real tool on a direct file: title and file from its Destination line while it runs,
    // progress up to 100, and the file where the result says.
    void realDownloadOfAFile()
    {
        useRealTool();
        QString args;
        const QString folder = newOutputFolder(&args);
        auto downloader = make(m_server->url(QStringLiteral("clip.mp4")), args);
        const Run run = runToEnd(*downloader);

        QCOMPARE(run.finishedCount, 1);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        QVERIFY2(run.result.error().isEmpty(), qPrintable(run.result.error()));
        QVERIFY(!run.result.processError());
        const QString expected = folder + QStringLiteral("/clip [clip].mp4");
        QCOMPARE(run.result.title(), QStringLiteral("clip [clip].mp4"));
        QCOMPARE(run.result.location(), QUrl::fromLocalFile(expected));
        QCOMPARE(QFileInfo(expected).size(), QFileInfo(m_clip).size());
        QCOMPARE(run.titles, QStringList{QStringLiteral("clip [clip].mp4")});
        QCOMPARE(run.statuses,
                 (QList<DownloaderStatus>{DownloaderStatus::running, DownloaderStatus::completed}));
        QCOMPARE(downloader->status(), DownloaderStatus::completed);
        QCOMPARE(downloader->bin(), findExecutable(QStringLiteral("yt-dlp")));

        QVERIFY(!run.progress.isEmpty());
        double last = -1;
        for (const DownloaderProgress& p : run.progress) {
            QVERIFY(p.percent());
            QVERIFY2(*p.percent() >= last, "progress ran backwards");
            last = *p.percent();
            QCOMPARE(p.totalBytes(), QFileInfo(m_clip).size());
        }
        QCOMPARE(last, 100.0);
        QCOMPARE(run.progress.last().downloadedBytes(), QFileInfo(m_clip).size());
        QVERIFY(run.progress.last().isFileFinished());
        // Every report was read; a burst of them is shown by its newest.
        QVERIFY(downloader->progressLineCount() >= run.progress.size());

        // The log keeps the tool's lines, without the progress reports.
        QVERIFY(run.result.outputLog().contains(QStringLiteral("[download] Destination: ") + expected));
        QVERIFY(!run.result.outputLog().contains(QStringLiteral("veltqorv-progress")));
    }

    // Asking again for a file that is there: the tool's "already been downloaded" line.
    void realDownloadOfAFileThatIsThere()
    {
        useRealTool();
        QString args;
        const QString folder = newOutputFolder(&args);
        auto first = make(m_server->url(QStringLiteral("clip.mp4")), args);
        QCOMPARE(runToEnd(*first).result.status(), DownloaderStatus::completed);

        auto again = make(m_server->url(QStringLiteral("clip.mp4")), args);
        const Run run = runToEnd(*again);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        const QString file = folder + QStringLiteral("/clip [clip].mp4");
        QCOMPARE(run.result.title(), file + QStringLiteral(" has already been downloaded"));
        QCOMPARE(run.result.location(), QUrl::fromLocalFile(file));
        QVERIFY(!run.progress.isEmpty());
        QCOMPARE(run.progress.last().percent(), 100.0);
    }

    // A page that names its video: the generic extractor finds it and takes the page's title.
    void realDownloadFromAPage()
    {
        useRealTool();
        QString args;
        const QString folder = newOutputFolder(&args);
        auto downloader = make(m_server->url(QStringLiteral("page.html")), args);
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        QVERIFY2(run.result.title() && run.result.title()->startsWith(QStringLiteral("Page clip")),
                 qPrintable(run.result.title().value_or(QStringLiteral("(none)"))));
        QVERIFY(run.result.location());
        QCOMPARE(run.result.location()->toLocalFile(), folder + QLatin1Char('/') + *run.result.title());
        QVERIFY(QFileInfo::exists(run.result.location()->toLocalFile()));
    }

    // Separate video and audio: two Destination lines, then the Merger line with the final file.
    void realDownloadThatMerges()
    {
        useRealTool();
        QString args;
        const QString folder = newOutputFolder(&args);
        auto downloader = make(m_server->url(QStringLiteral("dash/manifest.mpd")), args);
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        QCOMPARE(run.titles.size(), 3);
        QCOMPARE(run.titles.last(), QStringLiteral("manifest [manifest].mp4"));
        const QString merged = folder + QStringLiteral("/manifest [manifest].mp4");
        QCOMPARE(run.result.location(), QUrl::fromLocalFile(merged));
        QVERIFY(QFileInfo::exists(merged));
        QCOMPARE(run.locations.last(), QUrl::fromLocalFile(merged));
        // Per file, progress never runs backwards and each file ends at 100.
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

    // What the real tool says for each failure we can provoke offline.
    void realFailures_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("errorContains");

        QTest::newRow("not found") << QStringLiteral("nothing.mp4") << QString() << int(Kind::downloadFailed)
                                   << QStringLiteral("HTTP Error 404");
        QTest::newRow("page without media, after a warning")
            << QStringLiteral("plain.html") << QString() << int(Kind::downloadFailed)
            << QStringLiteral("ERROR: Unsupported URL");
        QTest::newRow("connection refused")
            << QStringLiteral("refused") << QString() << int(Kind::downloadFailed)
            << QStringLiteral("Connection refused");
        // Writing into /sys is refused even to root.
        QTest::newRow("folder not writable")
            << QStringLiteral("clip.mp4") << QStringLiteral("-P /sys") << int(Kind::permissionError)
            << QStringLiteral("Permission denied");
    }

    void realFailures()
    {
        QFETCH(QString, address);
        QFETCH(QString, options);
        QFETCH(int, kind);
        QFETCH(QString, errorContains);

        useRealTool();
        QString args;
        newOutputFolder(&args);
        if (!options.isEmpty())
            args = QStringLiteral("--ignore-config --no-cache-dir ") + options;
        const QString url =
            address == QLatin1String("refused")
                ? QStringLiteral("http://127.0.0.1:%1/x.mp4").arg(LocalHttpServer::refusedPort())
                : m_server->url(address);
        auto downloader = make(url, args);
        const Run run = runToEnd(*downloader);

        QCOMPARE(run.finishedCount, 1);
        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QVERIFY(run.result.processError());
        QCOMPARE(int(run.result.processError()->kind()), kind);
        QVERIFY2(run.result.error().contains(errorContains), qPrintable(run.result.error()));
        QVERIFY(run.result.error().contains(QStringLiteral("ERROR:")));
        QCOMPARE(run.result.error(), run.result.error().trimmed());
    }

    // Stopping a real download from a slow server ends the run as stopped, and no process of it is left.
    void stopRealDownload()
    {
        useRealTool();
        const QString big = TestMedia::clip(20, 400);
        QVERIFY(!big.isEmpty());
        const QString token = QStringLiteral("slow-%1").arg(QCoreApplication::applicationPid());
        const QString slowRoot = m_work.filePath(token);
        QVERIFY(QDir().mkpath(slowRoot));
        QVERIFY(QFile::copy(big, slowRoot + QStringLiteral("/") + token + QStringLiteral(".mp4")));
        LocalHttpServer slow(slowRoot, 64 * 1024);
        QVERIFY2(slow.start(), qPrintable(slow.errorString()));

        QString args;
        newOutputFolder(&args);
        auto downloader = make(slow.url(token + QStringLiteral(".mp4")), args);
        QSignalSpy progress(downloader.get(), &Downloader::progress);
        QSignalSpy finished(downloader.get(), &Downloader::finished);
        downloader->start();
        QVERIFY(progress.wait(60000));
        QVERIFY(!ProcessProbe::withCommandLineContaining(token + QStringLiteral(".mp4")).isEmpty());
        downloader->stop();
        QVERIFY(finished.wait(30000));
        const auto result = finished.first().first().value<DownloaderResult>();
        QCOMPARE(result.status(), DownloaderStatus::failed);
        QCOMPARE(result.processError(), DownloaderProcessError::processTerminated());
        QVERIFY(result.error().isEmpty());
        QCOMPARE(result.title(), token + QStringLiteral(" [") + token + QStringLiteral("].mp4"));
        QTRY_VERIFY_WITH_TIMEOUT(
            ProcessProbe::withCommandLineContaining(token + QStringLiteral(".mp4")).isEmpty(), 10000);
    }

    // The address reaches the tool as one argument after "--", whatever it holds; nothing in it runs.
    void addressIsOneArgument_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("argument");

        QTest::newRow("quote, spaces and a command")
            << QStringLiteral("  http://127.0.0.1:9/it's a $(touch x) `touch x`; touch x\n")
            << QStringLiteral("http://127.0.0.1:9/it's%20a%20$(touch%20x)%20%60touch%20x%60;%20touch%20x");
        QTest::newRow("single quotes closing the quoting")
            << QStringLiteral("http://127.0.0.1:9/a'\\''b';touch x;'")
            << QStringLiteral("http://127.0.0.1:9/a'%5C''b';touch%20x;'");
        QTest::newRow("variables and globs")
            << QStringLiteral("http://127.0.0.1:9/$HOME/*?q=${PATH}&r=~")
            << QStringLiteral("http://127.0.0.1:9/$HOME/*?q=$%7BPATH%7D&r=~");
    }

    void addressIsOneArgument()
    {
        QFETCH(QString, address);
        QFETCH(QString, argument);

        useTool(Fakes + QStringLiteral("/yt-dlp-args"));
        auto downloader = make(address, QStringLiteral("-P '/tmp/a b'"));
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        const QStringList lines = linesOf(run.result.outputLog());
        QVERIFY(lines.size() >= 3);
        QCOMPARE(lines.last(), QStringLiteral("arg=") + argument);
        QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("arg=--"));
        QVERIFY(lines.contains(QStringLiteral("arg=/tmp/a b")));
        // The options before it are ours: -P, its folder, --newline, --progress-template, its value, --.
        QCOMPARE(lines.first(), QStringLiteral("argc=7"));
        QVERIFY(!QFileInfo::exists(m_work.filePath(QStringLiteral("x"))));
    }

    // The real tool fetches a file whose name holds a quote and a command substitution.
    void realDownloadOfAnAwkwardName()
    {
        useRealTool();
        QString args;
        const QString folder = newOutputFolder(&args);
        auto downloader = make(m_server->url(QStringLiteral("it's a $(touch x) clip.mp4")), args);
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        QVERIFY(run.result.location());
        QVERIFY(QFileInfo::exists(run.result.location()->toLocalFile()));
        QVERIFY(run.result.title()->startsWith(QStringLiteral("it's a $(touch x) clip")));
        QVERIFY(!QFileInfo::exists(m_work.filePath(QStringLiteral("x"))));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/x")));
    }

    // Refused before anything runs; finished still comes once, later.
    void refusedAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("leading dash") << QStringLiteral("--exec=touch x");
        QTest::newRow("leading dash after white space") << QStringLiteral(" \n-o/tmp/x http://127.0.0.1:9/");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral(" \t\n");
        QTest::newRow("not an address") << QStringLiteral("http://[::1");
    }

    void refusedAddresses()
    {
        QFETCH(QString, address);
        const QString marker = m_work.filePath(QStringLiteral("ran"));
        QFile::remove(marker);
        useTool(Fakes + QStringLiteral("/yt-dlp-hang"));
        qputenv("FAKE_PID_FILE", marker.toLocal8Bit());

        auto downloader = make(address);
        QSignalSpy finished(downloader.get(), &Downloader::finished);
        downloader->start();
        QCOMPARE(finished.size(), 0);
        QCOMPARE(downloader->status(), DownloaderStatus::failed);
        QVERIFY(finished.wait(5000));
        QTest::qWait(50);
        QCOMPARE(finished.size(), 1);
        const auto result = finished.first().first().value<DownloaderResult>();
        QVERIFY(result.processError());
        QCOMPARE(result.processError()->kind(), Kind::addressRefused);
        QVERIFY(!result.error().isEmpty());
        QCOMPARE(result.error(), result.processError()->text());
        QVERIFY(!downloader->bin());
        QVERIFY(!QFileInfo::exists(marker));
    }

    // Premiere and live-event messages (from the stand-in) give a start date measured from the clock.
    void scheduledStarts_data()
    {
        QTest::addColumn<QString>("errorOutput");
        QTest::addColumn<int>("itemDelay");
        QTest::addColumn<int>("preferredHours");
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("startIn");

        const QString live = QStringLiteral("ERROR: [youtube] abc123: This live event will begin in 3 days.");
        QTest::newRow("live event") << live << -1 << -1 << int(Kind::liveEvent) << qint64(3 * 86400 / 2);
        QTest::newRow("live event, preferred delay")
            << live << -1 << 2 << int(Kind::liveEvent) << qint64(3 * 86400 + 7200);
        QTest::newRow("live event, the item's delay")
            << live << 90 << 2 << int(Kind::liveEvent) << qint64(3 * 86400 + 90);
        QTest::newRow("premiere after warnings")
            << QStringLiteral(
                   "WARNING: [youtube] Falling back\\nERROR: [youtube] abc123: Premieres in 10 minutes")
            << -1 << -1 << int(Kind::premieresVideo) << qint64(300);
        QTest::newRow("premiere without a time") << QStringLiteral("ERROR: [youtube] abc123: Premiere soon")
                                                 << -1 << -1 << int(Kind::premieresVideo) << qint64(15);
    }

    void scheduledStarts()
    {
        QFETCH(QString, errorOutput);
        QFETCH(int, itemDelay);
        QFETCH(int, preferredHours);
        QFETCH(int, kind);
        QFETCH(qint64, startIn);

        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        qputenv("FAKE_STDERR", errorOutput.toUtf8());
        if (preferredHours >= 0)
            m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>(preferredHours));
        auto downloader = make(QStringLiteral("https://www.youtube.com/watch?v=abc123"));
        if (itemDelay >= 0)
            downloader->setDownloadDelay(itemDelay);
        const Run run = runToEnd(*downloader);

        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QVERIFY(run.result.processError());
        QCOMPARE(int(run.result.processError()->kind()), kind);
        QVERIFY(run.result.processError()->startDate());
        QCOMPARE(Now.secsTo(*run.result.processError()->startDate()), startIn);
        QVERIFY(run.result.error().startsWith(QStringLiteral("ERROR:")) ||
                run.result.error().startsWith(QStringLiteral("WARNING:")));
    }

    void noParserMeansTheMinimumDelay()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        qputenv("FAKE_STDERR", "ERROR: [youtube] abc123: This live event will begin in 3 days.");
        Downloader downloader(QStringLiteral("https://example.invalid/v"), {}, *m_preferences, nullptr,
                              [] { return Now; });
        const Run run = runToEnd(downloader);
        QCOMPARE(run.result.processError(), DownloaderProcessError::liveEvent(Now.addSecs(15)));
    }

    // Every exit other than 0 is a failure with the tool's text, or its exit status.
    void otherExits_data()
    {
        QTest::addColumn<QString>("errorOutput");
        QTest::addColumn<QString>("exitStatus");
        QTest::addColumn<QString>("error");

        QTest::newRow("silent") << QString() << QStringLiteral("3") << QStringLiteral("exit status 3");
        QTest::newRow("warnings only")
            << QStringLiteral("WARNING: odd\\nWARNING: odder") << QStringLiteral("1")
            << QStringLiteral("WARNING: odd\nWARNING: odder");
        QTest::newRow("a premiere named in a warning, then unavailable")
            << QStringLiteral(
                   "WARNING: \"Premiere Night\" is restricted\\nERROR: [youtube] v: Video unavailable")
            << QStringLiteral("1")
            << QStringLiteral(
                   "WARNING: \"Premiere Night\" is restricted\nERROR: [youtube] v: Video unavailable");
    }

    void otherExits()
    {
        QFETCH(QString, errorOutput);
        QFETCH(QString, exitStatus);
        QFETCH(QString, error);

        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        qputenv("FAKE_STDERR", errorOutput.toUtf8());
        qputenv("FAKE_EXIT", exitStatus.toUtf8());
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/v"));
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QCOMPARE(run.result.error(), error);
        QVERIFY(run.result.processError());
        QVERIFY(!run.result.processError()->startDate());
        QVERIFY(run.result.processError()->kind() != Kind::processTerminated);
    }

    void toolMissing_data()
    {
        QTest::addColumn<QString>("bin");
        QTest::newRow("no file") << m_work.filePath(QStringLiteral("no-such-yt-dlp"));
        QTest::newRow("not executable") << m_work.filePath(QStringLiteral("prefs.conf"));
    }

    void toolMissing()
    {
        QFETCH(QString, bin);
        useTool(bin);
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/v"));
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.finishedCount, 1);
        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QCOMPARE(run.result.processError(), DownloaderProcessError::downloaderBinNotFound());
        QVERIFY(run.result.error().startsWith(QStringLiteral("yt-dlp not found")));
    }

    // A shell that cannot be started fails the run; it never stays running.
    void launchFailure()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-args"));
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/v"));
        downloader->setShell(Shell(QStringLiteral("veltqorv-no-such-shell")));
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.finishedCount, 1);
        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QVERIFY(run.result.processError());
        QCOMPARE(run.result.processError()->kind(), Kind::downloadFailed);
        QVERIFY2(run.result.error().contains(QStringLiteral("veltqorv-no-such-shell")),
                 qPrintable(run.result.error()));
    }

    // Stopping reaches the tool's own children; the run ends as stopped, without error text.
    void stopEndsTheWholeGroup_data()
    {
        QTest::addColumn<bool>("waitForOutput");
        QTest::newRow("while it runs") << true;
        QTest::newRow("right after start") << false;
    }

    void stopEndsTheWholeGroup()
    {
        QFETCH(bool, waitForOutput);
        const QString pidFile = m_work.filePath(QStringLiteral("hang-%1.pids").arg(++m_unique));
        qputenv("FAKE_PID_FILE", pidFile.toLocal8Bit());
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
        QCOMPARE(result.status(), DownloaderStatus::failed);
        QCOMPARE(result.processError(), DownloaderProcessError::processTerminated());
        QVERIFY(result.error().isEmpty());
        if (waitForOutput)
            QCOMPARE(result.title(), QStringLiteral("hanging.mp4"));

        QFile pids(pidFile);
        if (pids.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = pids.readAll().split('\n');
            for (const QByteArray& line : lines) {
                if (!line.trimmed().isEmpty())
                    QTRY_VERIFY_WITH_TIMEOUT(ProcessProbe::isGone(line.trimmed().toLongLong()), 10000);
            }
        } else {
            QVERIFY(!waitForOutput);
        }
        downloader->stop();
        QTest::qWait(50);
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
        QCOMPARE(run.progress.size(), 1000);
        QCOMPARE(downloader->progressLineCount(), 1000);
        QCOMPARE(run.progress.last().percent(), 100.0);
        QVERIFY(run.result.outputLog().size() <= 64 * 1024);
        QVERIFY(run.result.outputLog().endsWith(
            QStringLiteral("[Merger] Merging formats into \"flood.mp4\"\nlast line")));
        QVERIFY(!run.result.outputLog().contains(QStringLiteral("ordinary line 99999")));
    }

    void defaultRetainedLimitIsOneMebibyte()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-flood"));
        qputenv("FAKE_LINES", "1000");
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/flood"));
        const Run run = runToEnd(*downloader);
        qunsetenv("FAKE_LINES");
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
        QVERIFY(run.result.outputLog().size() <= Downloader::DefaultRetainedLimit);
        QVERIFY(run.result.outputLog().size() > 1000 * 1000);
        QVERIFY(run.result.outputLog().endsWith(QStringLiteral("last line")));
    }

    // Bytes that are not UTF-8 neither break the run nor the texts around them.
    void invalidUtf8()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        qputenv("FAKE_STDOUT", "[download] Destination: /srv/caf\\xe9 \\xff.mp4");
        qputenv("FAKE_STDERR", "ERROR: bad \\xfe\\xfe bytes");
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/v"));
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::failed);
        QVERIFY(run.result.title());
        QVERIFY(run.result.title()->startsWith(QStringLiteral("caf")));
        QVERIFY(run.result.title()->endsWith(QStringLiteral(".mp4")));
        QVERIFY(run.result.title()->contains(QChar::ReplacementCharacter));
        QVERIFY(run.result.error().startsWith(QStringLiteral("ERROR: bad ")));
        QVERIFY(run.result.error().contains(QChar::ReplacementCharacter));
        QCOMPARE(run.result.processError()->kind(), Kind::downloadFailed);
    }

    // Output that looks like progress but lacks this run's prefix is ordinary output.
    void foreignProgressLinesAreOrdinaryOutput()
    {
        useTool(Fakes + QStringLiteral("/yt-dlp-says"));
        const QByteArray spoof = "[veltqorv-progress-0000000000000000] downloading 1 2 NA NA NA NA NA";
        qputenv("FAKE_STDOUT", spoof);
        qputenv("FAKE_EXIT", "0");
        auto downloader = make(QStringLiteral("http://127.0.0.1:9/v"));
        const Run run = runToEnd(*downloader);
        QCOMPARE(run.result.status(), DownloaderStatus::completed);
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
        QTest::qWait(100);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(downloader->status(), DownloaderStatus::completed);
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("bin");
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("expected");

        const QString tail = QStringLiteral("--newline --progress-template 'download:[p] %(progress.status)s "
                                            "%(progress.downloaded_bytes)s %(progress.total_bytes)s "
                                            "%(progress.total_bytes_estimate)s %(progress.speed)s "
                                            "%(progress.eta)s %(progress.fragment_index)s "
                                            "%(progress.fragment_count)s' -- 'http://h/it'\\''s'");
        QTest::newRow("no options") << QStringLiteral("/usr/bin/yt-dlp") << QString()
                                    << QStringLiteral("'/usr/bin/yt-dlp' ") + tail;
        QTest::newRow("blank options") << QStringLiteral("/usr/bin/yt-dlp") << QStringLiteral("  ")
                                       << QStringLiteral("'/usr/bin/yt-dlp' ") + tail;
        QTest::newRow("path trimmed and quoted")
            << QStringLiteral(" /opt/my tools/yt-dlp\n") << QStringLiteral("-P '/a b'")
            << QStringLiteral("'/opt/my tools/yt-dlp' -P '/a b' ") + tail;
    }

    void commandLine()
    {
        QFETCH(QString, bin);
        QFETCH(QString, args);
        QFETCH(QString, expected);
        QCOMPARE(Downloader::commandLine(bin, args, QStringLiteral("[p]"), QStringLiteral("http://h/it's")),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestDownloader)
#include "tst_downloader.moc"
