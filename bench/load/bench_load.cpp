// 200 downloads at once, each from a stand-in tool printing a progress report every 2 ms, with
// the main window open and showing them. A 10 ms timer measures how late the event loop serves
// it; the same timer with nothing running is the baseline. Memory is the resident set, sampled.
// An argument sets another number of downloads (for profiling).
#include "app/desktopshell.h"
#include "app/window/mainwindow.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/mainmodel.h"
#include "library/shakeitem.h"
#include "library/store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>

namespace {

constexpr int ProbeIntervalMs = 10;
constexpr double LatenessTargetMs = 50.0;
constexpr double PeakGrowthTargetMb = 200.0;
constexpr double SecondRoundTargetMb = 10.0;

double residentMb(bool trimFirst = false)
{
    // What is held, not what the allocator keeps in reserve after a burst.
    if (trimFirst)
        malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// How late a 10 ms timer fires, over a stretch of time.
class LatenessProbe : public QObject
{
public:
    LatenessProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(ProbeIntervalMs);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const double elapsed = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
            m_clock.restart();
            m_lateness.push_back(std::max(0.0, elapsed - ProbeIntervalMs));
            if (elapsed > 500 && qEnvironmentVariableIsSet("BENCH_TRACE"))
                std::printf("late %.0f ms at %.1f s\n", elapsed,
                            static_cast<double>(m_since.elapsed()) / 1000.0);
            m_peakMb = std::max(m_peakMb, residentMb());
        });
    }
    void start()
    {
        m_lateness.clear();
        m_peakMb = residentMb();
        m_clock.start();
        m_since.start();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    double worst() const
    {
        return m_lateness.empty() ? 0 : *std::max_element(m_lateness.begin(), m_lateness.end());
    }
    double percentile(double p) const
    {
        if (m_lateness.empty())
            return 0;
        std::vector<double> sorted = m_lateness;
        std::sort(sorted.begin(), sorted.end());
        return sorted[static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1))];
    }
    double peakMb() const { return m_peakMb; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    QElapsedTimer m_since;
    std::vector<double> m_lateness;
    double m_peakMb = 0;
};

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void report(const char* name, double figure, const char* unit, double target)
{
    std::printf("%-52s %9.2f %s   target %7.1f %s   ratio %.3f\n", name, figure, unit, target, unit,
                figure / target);
    std::printf("FIGURE\t%s\t%.2f %s\t< %.0f %s\t%.3f\n", name, figure, unit, target, unit, figure / target);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTemporaryDir dir;
    Engine::Preferences preferences(dir.filePath(QStringLiteral("prefs.conf")));
    preferences.setValue(Engine::Keys::downloaderBin,
                         std::optional<QString>(QStringLiteral(VELTQORV_FAKES_DIR "/yt-dlp-progress")));
    preferences.setValue(Library::Keys::defaultOutputLocation, QUrl::fromLocalFile(dir.path()));
    Library::Store store;
    if (!store.open(dir.filePath(QStringLiteral("db.store")))) {
        std::fprintf(stderr, "%s\n", qPrintable(store.errorMessage()));
        return 1;
    }
    Library::MainModel model(store, preferences, nullptr, nullptr);
    App::DesktopShell shell(model);
    shell.window().show();
    runFor(1000);

    LatenessProbe probe;
    probe.start();
    runFor(3000);
    probe.stop();
    const double idleWorst = probe.worst();
    const double idleMb = residentMb(true);

    // Fewer by argument, for profiling.
    const int Downloads = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    int finished = 0;
    int completed = 0;
    QObject::connect(&model, &Library::MainModel::runFinished, [&](qint64 id) {
        ++finished;
        const std::optional<Library::ShakeItem> item = store.item(id);
        completed += item && item->isCompleted() ? 1 : 0;
    });
    // Two rounds: memory a first round leaves may be the allocator's reserve; a second round
    // that keeps adding is a leak.
    double loadSeconds = 0;
    double loadCpuSeconds = cpuSeconds();
    double afterMb[2] = {0, 0};
    for (int round = 0; round < 2; ++round) {
        QList<QUrl> urls;
        for (int i = 0; i < Downloads; ++i)
            urls.append(QUrl(QStringLiteral("http://127.0.0.1:9/load-%1-%2").arg(round).arg(i)));
        QElapsedTimer wall;
        wall.start();
        if (round == 0)
            probe.start();
        model.add(urls);
        while (finished < Downloads * (round + 1) && wall.elapsed() < 600000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (round == 0) {
            probe.stop();
            loadSeconds = static_cast<double>(wall.elapsed()) / 1000.0;
            loadCpuSeconds = cpuSeconds() - loadCpuSeconds;
        }
        runFor(2000);
        afterMb[round] = residentMb(true);
    }

    std::printf("%d downloads at once, twice: %d of %d completed; the first round took %.1f s\n", Downloads,
                completed, 2 * Downloads, loadSeconds);
    std::printf("%-52s %9.2f s\n", "CPU of this process during the first round", loadCpuSeconds);
    std::printf("%-52s %9.2f ms\n", "event loop worst delay, idle window (baseline)", idleWorst);
    report("event loop worst delay, all downloads at once", probe.worst(), "ms", LatenessTargetMs);
    std::printf("%-52s %9.2f ms\n", "event loop delay p99, all downloads at once", probe.percentile(0.99));
    std::printf("%-52s %9.3f\n", "worst delay against the idle baseline (ratio)",
                probe.worst() / std::max(idleWorst, 0.01));
    report("memory peak above idle, all downloads at once", probe.peakMb() - idleMb, "MB",
           PeakGrowthTargetMb);
    std::printf("%-52s %9.2f MB\n", "memory above idle after the first round", afterMb[0] - idleMb);
    report("memory a second round adds", std::max(0.0, afterMb[1] - afterMb[0]), "MB", SecondRoundTargetMb);
    return completed == 2 * Downloads ? 0 : 2;
}
