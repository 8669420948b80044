// Cost of the time-phrase parser: loading the bundled library into the engine (paid once per
// process, by the first premiere that fails) and one parse of a typical tool message.
// Wall time counts whatever else the machine is doing; the thread's CPU time is printed beside
// it, as it holds steadier on a busy machine.
#include "capture/timephrase/chrono.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

struct Sample
{
    double wallMs = 0;
    double cpuMs = 0;
};

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

class Stopwatch
{
public:
    Stopwatch() { restart(); }
    void restart()
    {
        m_cpuStart = threadCpuMs();
        m_wall.start();
    }
    Sample elapsed() const { return {double(m_wall.nsecsElapsed()) / 1e6, threadCpuMs() - m_cpuStart}; }

private:
    QElapsedTimer m_wall;
    double m_cpuStart = 0;
};

Sample median(std::vector<Sample> samples)
{
    const auto middle = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const std::size_t half = values.size() / 2;
        return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
    };
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const Sample& sample : samples) {
        wall.push_back(sample.wallMs);
        cpu.push_back(sample.cpuMs);
    }
    return {middle(wall), middle(cpu)};
}

void report(QTextStream& out, const QString& name, const Sample& figure, double targetMs)
{
    out << QStringLiteral("%1: wall %2 ms, ratio %3 | cpu %4 ms, ratio %5 (target < %6 ms)")
               .arg(name, -44)
               .arg(figure.wallMs, 8, 'f', 3)
               .arg(figure.wallMs / targetMs, 6, 'f', 2)
               .arg(figure.cpuMs, 8, 'f', 3)
               .arg(figure.cpuMs / targetMs, 6, 'f', 2)
               .arg(targetMs, 0, 'g')
        << Qt::endl;
    // The line bench/run.sh gathers into its table.
    out << QStringLiteral("FIGURE\t%1 (CPU)\t%2 ms\t< %3 ms\t%4")
               .arg(name)
               .arg(figure.cpuMs, 0, 'f', 3)
               .arg(targetMs, 0, 'g')
               .arg(figure.cpuMs / targetMs, 0, 'f', 2)
        << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    constexpr int parses = 100;
    constexpr int moreLoads = 10;
    constexpr double loadTargetMs = 30;
    constexpr double parseTargetMs = 0.5;

    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    if (loadAverage.open(QIODevice::ReadOnly))
        out << "load average: " << QString::fromLatin1(loadAverage.readAll()).trimmed() << Qt::endl;

    Stopwatch stopwatch;
    Capture::Chrono& chrono = Capture::Chrono::shared();
    if (!chrono.load()) {
        out << "The chrono library did not load" << Qt::endl;
        return 1;
    }
    const Sample firstLoad = stopwatch.elapsed();

    // Further engines in the same process show how much of the first load is one-time setup.
    std::vector<Sample> loads;
    for (int i = 0; i < moreLoads; ++i) {
        Capture::Chrono another;
        stopwatch.restart();
        if (!another.load())
            return 1;
        loads.push_back(stopwatch.elapsed());
    }

    const QString message = QStringLiteral("ERROR: [youtube] abc123: This live event will begin in 3 days.");
    const QDateTime reference(QDate(2026, 12, 7), QTime(2, 30), Qt::UTC);
    std::vector<Sample> times;
    times.reserve(parses);
    for (int i = 0; i < parses; ++i) {
        stopwatch.restart();
        const Capture::ChronoParsedResult result = chrono.parse(message, reference);
        times.push_back(stopwatch.elapsed());
        if (!result.startDate) {
            out << "The message gave no date" << Qt::endl;
            return 1;
        }
    }

    report(out, QStringLiteral("load, first in the process"), firstLoad, loadTargetMs);
    report(out, QStringLiteral("load, median of %1 more engines").arg(moreLoads), median(loads),
           loadTargetMs);
    report(out, QStringLiteral("parse, median of %1 (first included)").arg(parses), median(times),
           parseTargetMs);
    report(out, QStringLiteral("parse, first (compiles what it calls)"), times.front(), parseTargetMs);
    return 0;
}
