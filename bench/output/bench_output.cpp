// 100 downloads at once, each from a stand-in tool printing 100 000 progress reports and one line
// of 10 MiB (a tool told to write the video to standard output). The peak resident set above idle
// is what the program holds of their output; the same 100 downloads from quiet tools, in the same
// run, are the baseline. The kernel's own peak (VmHWM) is read, so no burst between samples is
// missed. Arguments set other figures for the flooding round (progress reports, long-line bytes),
// for profiling.
#include "engine/enginekeys.h"
#include "engine/loginenvironment.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/mainmodel.h"
#include "library/shakeitem.h"
#include "library/store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

namespace {

constexpr int Downloads = 100;
constexpr double PeakTargetMb = 100.0;

double statusMb(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Sets the peak back to what is resident now.
void resetPeak()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Round
{
    double peakAboveIdleMb = 0;
    int completed = 0;
    double seconds = 0;
};

Round runRound(Library::MainModel& model, Library::Store& store, const char* name, qint64 progressLines,
               qint64 longLineBytes)
{
    qputenv("FAKE_LINES", "0");
    qputenv("FAKE_PROGRESS_LINES", QByteArray::number(progressLines));
    qputenv("FAKE_LONG_LINE_BYTES", QByteArray::number(longLineBytes));
    // The tools see the environment as it is now.
    Engine::LoginEnvironment::instance().invalidate();

    resetPeak();
    const double idleMb = statusMb("VmRSS:");
    int finished = 0;
    Round round;
    const QMetaObject::Connection counting =
        QObject::connect(&model, &Library::MainModel::runFinished, [&](qint64 id) {
            ++finished;
            const std::optional<Library::ShakeItem> item = store.item(id);
            round.completed += item && item->isCompleted() ? 1 : 0;
        });
    QList<QUrl> urls;
    for (int i = 0; i < Downloads; ++i)
        urls.append(QUrl(QStringLiteral("http://127.0.0.1:9/%1-%2").arg(QLatin1String(name)).arg(i)));
    QElapsedTimer wall;
    wall.start();
    model.add(urls);
    while (finished < Downloads && wall.elapsed() < 900000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    round.seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    round.peakAboveIdleMb = statusMb("VmHWM:") - idleMb;
    QObject::disconnect(counting);
    std::printf("%-8s %d of %d completed in %.1f s; peak %.1f MB above idle\n", name, round.completed,
                Downloads, round.seconds, round.peakAboveIdleMb);
    return round;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    Engine::Preferences preferences(dir.filePath(QStringLiteral("prefs.conf")));
    preferences.setValue(Engine::Keys::downloaderBin,
                         std::optional<QString>(QStringLiteral(VELTQORV_FAKES_DIR "/yt-dlp-flood")));
    preferences.setValue(Library::Keys::defaultOutputLocation, QUrl::fromLocalFile(dir.path()));
    Library::Store store;
    if (!store.open(dir.filePath(QStringLiteral("db.store")))) {
        std::fprintf(stderr, "%s\n", qPrintable(store.errorMessage()));
        return 1;
    }
    Library::MainModel model(store, preferences, nullptr, nullptr);

    const Round quiet = runRound(model, store, "quiet", 10, 0);
    const qint64 progressLines = argc > 1 ? QByteArray(argv[1]).toLongLong() : 100000;
    const qint64 longLineBytes = argc > 2 ? QByteArray(argv[2]).toLongLong() : 10 * 1024 * 1024;
    const Round flood = runRound(model, store, "flood", progressLines, longLineBytes);

    std::printf("%-52s %9.2f MB\n", "memory peak above idle, quiet tools (baseline)", quiet.peakAboveIdleMb);
    std::printf("%-52s %9.2f MB   target %5.0f MB   ratio %.3f\n", "memory peak above idle, flooding tools",
                flood.peakAboveIdleMb, PeakTargetMb, flood.peakAboveIdleMb / PeakTargetMb);
    std::printf("%-52s %9.3f\n", "flooding against quiet (ratio)",
                flood.peakAboveIdleMb / std::max(quiet.peakAboveIdleMb, 0.01));
    std::printf("FIGURE\tmemory peak above idle, 100 flooding downloads\t%.2f MB\t< %.0f MB\t%.3f\n",
                flood.peakAboveIdleMb, PeakTargetMb, flood.peakAboveIdleMb / PeakTargetMb);
    return quiet.completed == Downloads && flood.completed == Downloads ? 0 : 2;
}
