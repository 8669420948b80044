// The time a New Download window waits for what an address holds: MetadataReader (login
// environment, tool lookup, the read) against the same read by a bare yt-dlp, paired runs.
#include "engine/enginekeys.h"
#include "engine/executablesearch.h"
#include "engine/metadatareader.h"
#include "engine/preferences.h"

#include "support/localhttpserver.h"
#include "support/testmedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Engine;

namespace {

constexpr int Runs = 9;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Seconds, or a negative number on failure.
double throughReader(Preferences& preferences, const QString& url)
{
    MetadataReader reader(preferences);
    bool done = false;
    bool ok = false;
    QObject::connect(&reader, &MetadataReader::finished, [&](const VideoMetadata& metadata) {
        ok = !metadata.qualities.isEmpty();
        done = true;
    });
    QObject::connect(&reader, &MetadataReader::failed, [&](const QString& reason) {
        std::fprintf(stderr, "read failed: %s\n", qPrintable(reason));
        done = true;
    });
    QElapsedTimer timer;
    timer.start();
    reader.read(url);
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return ok ? timer.nsecsElapsed() / 1e9 : -1;
}

double bare(const QString& tool, const QString& url)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(tool, {QStringLiteral("-J"), QStringLiteral("--flat-playlist"),
                         QStringLiteral("--no-warnings"), QStringLiteral("--"), url});
    const bool ok =
        process.waitForFinished(120000) && process.exitCode() == 0 && !process.readAll().isEmpty();
    return ok ? timer.nsecsElapsed() / 1e9 : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
    if (!tool) {
        std::fprintf(stderr, "yt-dlp is not installed\n");
        return 1;
    }
    QTemporaryDir work;
    const QString served = work.filePath(QStringLiteral("www"));
    QDir().mkpath(served);
    TestSupport::LocalHttpServer server(served);
    if (!TestSupport::TestMedia::playerPage(served) || !server.start()) {
        std::fprintf(stderr, "no page to read: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    Preferences preferences(work.filePath(QStringLiteral("prefs.conf")));
    preferences.setValue(Keys::downloaderBin, std::optional<QString>(*tool));
    const QString url = server.url(QStringLiteral("player.html"));

    QList<double> ours;
    QList<double> theirs;
    for (int run = 0; run < Runs + 1; ++run) {
        // Alternate which goes first, so drift in the machine's load hits both alike.
        double a = 0;
        double b = 0;
        if (run % 2) {
            a = throughReader(preferences, url);
            b = bare(*tool, url);
        } else {
            b = bare(*tool, url);
            a = throughReader(preferences, url);
        }
        if (a < 0 || b < 0)
            return 1;
        // The first pair warms caches and reads the login environment once, as a running
        // program has long done by the time a window asks.
        if (run == 0)
            continue;
        ours.append(a);
        theirs.append(b);
        std::printf("run %d: MetadataReader %.3f s, bare yt-dlp -J %.3f s\n", run, a, b);
    }
    const double ratio = median(ours) / median(theirs);
    std::printf(
        "FIGURE\taddress to title and qualities, MetadataReader / bare yt-dlp -J (medians)\t%.3f s / %.3f s\t"
        "<= 1.05\t%.3f\n",
        median(ours), median(theirs), ratio / 1.05);
    return 0;
}
