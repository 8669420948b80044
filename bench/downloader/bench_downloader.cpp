// Wall time of one download through Downloader (environment, output parsing, progress) against
// bare yt-dlp started directly with the same options, alternating, in the same run; the CPU time
// this process spends per 1000 progress lines; and what a slow login profile costs each download,
// against the former start of every tool through a login shell.

#include "engine/downloader.h"
#include "engine/downloaderprogress.h"
#include "engine/enginekeys.h"
#include "engine/executablesearch.h"
#include "engine/loginenvironment.h"
#include "engine/preferences.h"

#include "support/localhttpserver.h"
#include "support/testmedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sys/resource.h>

using namespace Engine;

namespace {

constexpr int Runs = 10;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

struct Measured
{
    double seconds = 0;
    double cpu = 0;
    qint64 progressLines = 0;
    bool ok = false;
};

Measured throughDownloader(Preferences& preferences, const QString& url, const QStringList& arguments)
{
    Downloader downloader(url, arguments, preferences, nullptr);
    QEventLoop loop;
    Measured measured;
    QObject::connect(&downloader, &Downloader::finished, &loop, [&](const DownloaderResult& result) {
        measured.ok = result.status() == DownloaderStatus::completed;
        if (!measured.ok)
            std::fprintf(stderr, "Downloader failed: %s\n", qPrintable(result.error()));
        loop.quit();
    });
    const double cpuBefore = cpuSeconds();
    QElapsedTimer timer;
    timer.start();
    downloader.start();
    loop.exec();
    measured.seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    measured.cpu = cpuSeconds() - cpuBefore;
    measured.progressLines = downloader.progressLineCount();
    return measured;
}

Measured bare(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QEventLoop loop;
    // Drained as it comes, as any reader of the tool must.
    QObject::connect(&process, &QProcess::readyReadStandardOutput, [&] { process.readAllStandardOutput(); });
    QObject::connect(&process, &QProcess::readyReadStandardError, [&] { process.readAllStandardError(); });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    Measured measured;
    QElapsedTimer timer;
    timer.start();
    process.start(tool, arguments);
    if (!process.waitForStarted())
        return measured;
    loop.exec();
    measured.seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    measured.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return measured;
}

// A login profile that sleeps 2 s. The tool used to start through `$SHELL -l -c` for every
// download; now the login environment is read once per process. The stand-in tool returns at
// once, so each figure is the time a download spends before the tool runs, plus one bash start.
bool loginProfile(Preferences& preferences, const QTemporaryDir& work)
{
    constexpr int Downloads = 5;
    const QString home = work.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    QFile profile(home + QStringLiteral("/.profile"));
    if (!profile.open(QIODevice::WriteOnly) || profile.write("sleep 2\n") < 0)
        return false;
    profile.close();
    qputenv("HOME", home.toLocal8Bit());
    qputenv("SHELL", "/bin/bash");
    const QString tool = QStringLiteral(VELTQORV_FAKES_DIR "/yt-dlp-args");
    preferences.setValue(Engine::Keys::downloaderBin, std::optional<QString>(tool));
    LoginEnvironment::instance().invalidate();
    const QString url = QStringLiteral("http://127.0.0.1:9/clip");

    QList<double> ours;
    for (int run = 0; run < Downloads; ++run) {
        const Measured measured = throughDownloader(preferences, url, {QStringLiteral("--ignore-config")});
        if (!measured.ok)
            return false;
        ours.append(measured.seconds);
    }
    QList<double> before;
    const QStringList arguments =
        Downloader::toolArguments({QStringLiteral("--ignore-config")}, QStringLiteral("[p]"), url);
    for (int run = 0; run < Downloads; ++run) {
        const Measured measured =
            bare(QStringLiteral("/bin/bash"), {QStringLiteral("-l"), QStringLiteral("-c"),
                                               Downloader::quotedCommandLine(tool, arguments)});
        if (!measured.ok)
            return false;
        before.append(measured.seconds);
    }
    const double total = std::accumulate(ours.cbegin(), ours.cend(), 0.0);
    const double perDownloadBefore = median(before);
    const double perDownloadAfter = median(ours.mid(1));
    std::printf("login profile sleeping 2 s: first download %.3f s, later downloads %.3f s (median); "
                "through a login shell per download %.3f s\n",
                ours.first(), perDownloadAfter, perDownloadBefore);
    std::printf("%d downloads: %.3f s, against %.3f s through a login shell each\n", Downloads, total,
                std::accumulate(before.cbegin(), before.cend(), 0.0));
    std::printf("FIGURE\ttime before the tool runs, 2 s profile, later downloads / login shell each\t"
                "%.3f s / %.3f s\t<= 0.1\t%.3f\n",
                perDownloadAfter, perDownloadBefore, perDownloadAfter / perDownloadBefore / 0.1);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("org.veltqorv.VeltQorv.Downloader.debug=false\n"
                                                    "org.veltqorv.VeltQorv.Downloader.info=false"));
    const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
    if (!tool) {
        std::fprintf(stderr, "yt-dlp is not installed\n");
        return 1;
    }
    const QString clip = TestSupport::TestMedia::clip(20, 2000);
    if (clip.isEmpty())
        return 1;
    QTemporaryDir work;
    const QString served = work.filePath(QStringLiteral("www"));
    QDir().mkpath(served);
    QFile::copy(clip, served + QStringLiteral("/clip20.mp4"));
    TestSupport::LocalHttpServer server(served);
    if (!server.start()) {
        std::fprintf(stderr, "server: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    Preferences preferences(work.filePath(QStringLiteral("prefs.conf")));
    preferences.setValue(Engine::Keys::downloaderBin, std::optional<QString>(*tool));
    const QString url = server.url(QStringLiteral("clip20.mp4"));
    std::printf("clip: %s (%lld bytes), yt-dlp: %s\n", qPrintable(clip), QFileInfo(clip).size(),
                qPrintable(*tool));

    QList<double> ours;
    QList<double> theirs;
    double cpu = 0;
    qint64 progressLines = 0;
    for (int run = 0; run < Runs + 1; ++run) {
        const QString ourFolder = work.filePath(QStringLiteral("ours-%1").arg(run));
        const QString bareFolder = work.filePath(QStringLiteral("bare-%1").arg(run));
        const QStringList arguments{QStringLiteral("--ignore-config"), QStringLiteral("--no-cache-dir"),
                                    QStringLiteral("-P"), ourFolder};
        // The same options Downloader adds for this tool, with a prefix of the same length.
        const QStringList bareArguments =
            Downloader::toolArguments({QStringLiteral("--ignore-config"), QStringLiteral("--no-cache-dir"),
                                       QStringLiteral("-P"), bareFolder},
                                      QStringLiteral("[veltqorv-progress-0123456789abcdef]"), url, true);
        // Alternate which goes first, so drift in the machine's load hits both alike.
        Measured a;
        Measured b;
        if (run % 2) {
            a = throughDownloader(preferences, url, arguments);
            b = bare(*tool, bareArguments);
        } else {
            b = bare(*tool, bareArguments);
            a = throughDownloader(preferences, url, arguments);
        }
        if (!a.ok || !b.ok) {
            std::fprintf(stderr, "run %d failed\n", run);
            return 1;
        }
        // The first pair warms caches (page cache, Python bytecode) and is not counted.
        if (run == 0)
            continue;
        ours.append(a.seconds);
        theirs.append(b.seconds);
        cpu += a.cpu;
        progressLines += a.progressLines;
        std::printf("run %2d: Downloader %.3f s, bare yt-dlp %.3f s, %lld progress lines\n", run, a.seconds,
                    b.seconds, a.progressLines);
    }
    QList<double> pairRatios;
    for (qsizetype i = 0; i < ours.size(); ++i)
        pairRatios.append(ours.at(i) / theirs.at(i));
    const double ratio = median(ours) / median(theirs);
    std::printf("median wall time: Downloader %.3f s, bare yt-dlp %.3f s\n", median(ours), median(theirs));
    std::printf("ratio Downloader / bare: %.3f (target <= 1.05); median of the paired ratios: %.3f\n", ratio,
                median(pairRatios));
    std::printf("FIGURE\tdownload time, Downloader / bare yt-dlp (medians)\t%.3f s / %.3f s\t<= 1.05\t%.3f\n",
                median(ours), median(theirs), ratio / 1.05);
    std::printf("CPU of this process per download: %.1f ms (%lld progress lines per download)\n",
                1000.0 * cpu / Runs, progressLines / Runs);

    // Many progress lines at once, from the stand-in, for a steadier figure.
    preferences.setValue(Engine::Keys::downloaderBin,
                         std::optional<QString>(QStringLiteral(VELTQORV_FAKES_DIR "/yt-dlp-flood")));
    qputenv("FAKE_LINES", "0");
    qputenv("FAKE_PROGRESS_LINES", "200000");
    const Measured flood = throughDownloader(preferences, QStringLiteral("http://127.0.0.1:9/flood"), {});
    if (flood.ok && flood.progressLines > 0)
        std::printf("CPU of this process per 1000 progress lines (%lld in one run): %.2f ms\n",
                    flood.progressLines,
                    1000.0 * flood.cpu / static_cast<double>(flood.progressLines) * 1000.0);
    qunsetenv("FAKE_LINES");
    qunsetenv("FAKE_PROGRESS_LINES");
    return loginProfile(preferences, work) ? 0 : 1;
}
