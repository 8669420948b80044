// Idle cost of the drag-and-shake gesture: the process's CPU time (every thread) while nothing
// moves, first with the gesture off as the baseline, then with the monitor installed.
//
//   bench_shake [seconds per phase, default 30]
//
// Needs an X display (xvfb-run works). Leave the pointer alone while it runs: motion is what
// the monitor is there to follow, so it would not be idle any more.
#include "app/appkeys.h"
#include "app/gesture/gesturecontroller.h"
#include "engine/preferences.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <ctime>

namespace {

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Phase
{
    double wallMs = 0;
    double cpuMs = 0;
};

Phase idleFor(int seconds)
{
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = processCpuMs();
    loop.exec();
    return {double(wall.elapsed()), processCpuMs() - cpuStart};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 30;
    QTextStream out(stdout);
    if (seconds <= 0) {
        out << "usage: bench_shake [seconds per phase]\n";
        return 2;
    }
    if (!App::GestureController::isAvailable()) {
        out << "gesture unavailable: " << App::GestureController::unavailableReason() << "\n";
        return 1;
    }

    QTemporaryDir dir;
    Engine::Preferences preferences(dir.filePath(QStringLiteral("bench.conf")));
    App::GestureController gesture(preferences);
    // Let start-up work (fonts, the platform's first events) settle outside the measurement.
    idleFor(1);

    const Phase off = idleFor(seconds);
    preferences.setValue(App::Keys::dragShake, true);
    if (!gesture.isMonitoring()) {
        out << "the monitor did not start\n";
        return 1;
    }
    const Phase on = idleFor(seconds);

    out << QStringLiteral("idle %1 s, process CPU time\n").arg(seconds);
    out << QStringLiteral("  gesture off: %1 ms (%2 % of one core)\n")
               .arg(off.cpuMs, 0, 'f', 2)
               .arg(100 * off.cpuMs / off.wallMs, 0, 'f', 4);
    out << QStringLiteral("  gesture on:  %1 ms (%2 % of one core)\n")
               .arg(on.cpuMs, 0, 'f', 2)
               .arg(100 * on.cpuMs / on.wallMs, 0, 'f', 4);
    out << QStringLiteral("  on - off:    %1 ms\n").arg(on.cpuMs - off.cpuMs, 0, 'f', 2);
    return 0;
}
