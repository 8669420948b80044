// Store figures: opening a library of 100 000 items and reading what the main window shows
// first (the five sidebar counts and the first page of 50), and adding 1 000 items one by one.
// Prints each figure with its target and the ratio figure / target (below 1 meets the target).
#include "library/store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace Library;

namespace {

constexpr int LibrarySize = 100000;
constexpr int Adds = 1000;
constexpr double OpenTargetMs = 50.0;
constexpr double AddTargetMs = 1000.0;

void report(const char* name, double figureMs, double targetMs)
{
    std::printf("%-40s %10.2f ms   target %8.1f ms   ratio %.3f\n", name, figureMs, targetMs,
                figureMs / targetMs);
    std::printf("FIGURE\t%s\t%.2f ms\t< %.0f ms\t%.3f\n", name, figureMs, targetMs, figureMs / targetMs);
}

bool fill(const QString& path)
{
    Store store;
    if (!store.open(path)) {
        std::fprintf(stderr, "%s\n", qPrintable(store.errorMessage()));
        return false;
    }
    QRandomGenerator random(7);
    const QStringList words = {QStringLiteral("Live"),    QStringLiteral("Concert"),
                               QStringLiteral("Crème"),   QStringLiteral("Tutorial"),
                               QStringLiteral("Übung"),   QStringLiteral("Trailer"),
                               QStringLiteral("Podcast"), QStringLiteral("Episode")};
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-400);
    const Engine::QorvConfig config(
        QStringLiteral("Default"),
        {Engine::QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/tmp")))});
    for (int batch = 0; batch < LibrarySize / 5000; ++batch) {
        QList<ShakeItem> items;
        for (int i = 0; i < 5000; ++i) {
            const int n = batch * 5000 + i;
            ShakeItem item = ShakeItem::create(
                QUrl(QStringLiteral("https://site%1.example/watch?v=%2").arg(n % 50).arg(n)));
            item.createdDate = start.addSecs(n * 300);
            item.info->title = QStringLiteral("%1 %2 %3").arg(words[n % 8], words[(n / 8) % 8]).arg(n);
            const quint32 roll = random.bounded(100);
            if (roll < 75)
                item.completedDate = item.createdDate.addSecs(60);
            else if (roll < 80)
                item.scheduledDate = item.createdDate.addDays(1);
            else if (roll < 90)
                item.info->error = QStringLiteral("ERROR: unavailable");
            else if (roll < 91)
                item.config->running = true;
            item.config->starred = random.bounded(10) == 0;
            items += item;
        }
        if (!store.insertItems(items, config)) {
            std::fprintf(stderr, "%s\n", qPrintable(store.lastError()));
            return false;
        }
    }
    return true;
}

// Wall-clock and CPU time of the calling thread; the second hardly moves when other processes
// compete for the machine.
struct Clock
{
    QElapsedTimer wall;
    timespec cpuStart{};

    static timespec cpuNow()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now;
    }
    void start()
    {
        wall.start();
        cpuStart = cpuNow();
    }
    double wallMs() const { return static_cast<double>(wall.nsecsElapsed()) / 1e6; }
    double cpuMs() const
    {
        const timespec now = cpuNow();
        return static_cast<double>(now.tv_sec - cpuStart.tv_sec) * 1e3 +
               static_cast<double>(now.tv_nsec - cpuStart.tv_nsec) / 1e6;
    }
};

struct Run
{
    double wallMs = -1;
    double cpuMs = -1;
    QList<double> stepsMs; // open, each count, page
};

// Open, five counts, first page: what start-up costs before the window can draw.
Run openAndRead(const QString& path)
{
    Run run;
    Clock clock;
    clock.start();
    QElapsedTimer step;
    step.start();
    Store store;
    if (!store.open(path))
        return run;
    run.stepsMs += static_cast<double>(step.nsecsElapsed()) / 1e6;
    int total = 0;
    for (const SidebarItemType type : standardSidebarItems()) {
        step.restart();
        total += store.count(ItemQuery::sidebar(type));
        run.stepsMs += static_cast<double>(step.nsecsElapsed()) / 1e6;
    }
    step.restart();
    const QList<ShakeItem> page = store.items(ItemQuery::sidebar(SidebarItemType::all), 0, 50);
    run.stepsMs += static_cast<double>(step.nsecsElapsed()) / 1e6;
    run.wallMs = clock.wallMs();
    run.cpuMs = clock.cpuMs();
    if (page.size() != 50 || total < LibrarySize)
        run.wallMs = -1;
    return run;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.store"));

    QElapsedTimer fillTimer;
    fillTimer.start();
    if (!fill(path))
        return 1;
    std::printf("library of %d items made in %.0f ms\n", LibrarySize,
                static_cast<double>(fillTimer.elapsed()));

    // The median of several runs; the first also pays for reading the file into the page cache.
    QList<Run> runs;
    for (int i = 0; i < 9; ++i) {
        runs += openAndRead(path);
        if (runs.last().wallMs < 0) {
            std::fprintf(stderr, "reading the library failed\n");
            return 1;
        }
    }
    QList<double> wall;
    QList<double> cpu;
    for (const Run& run : std::as_const(runs)) {
        wall += run.wallMs;
        cpu += run.cpuMs;
    }
    report("open + 5 counts + page of 50 (first)", runs.first().wallMs, OpenTargetMs);
    report("open + 5 counts + page of 50 (median)", median(wall), OpenTargetMs);
    report("open + 5 counts + page of 50 (CPU, median)", median(cpu), OpenTargetMs);
    const QStringList steps = {QStringLiteral("open"),    QStringLiteral("all"),
                               QStringLiteral("running"), QStringLiteral("stopped"),
                               QStringLiteral("starred"), QStringLiteral("premieres"),
                               QStringLiteral("page")};
    for (qsizetype s = 0; s < steps.size(); ++s) {
        QList<double> values;
        for (const Run& run : std::as_const(runs))
            values += run.stepsMs[s];
        std::printf("    %-10s %8.2f ms (median)\n", qPrintable(steps[s]), median(values));
    }

    Store store;
    if (!store.open(path))
        return 1;
    Clock addClock;
    addClock.start();
    for (int i = 0; i < Adds; ++i) {
        if (!store.insertItems(
                {ShakeItem::create(QUrl(QStringLiteral("https://new.example/v/%1").arg(i)))})) {
            std::fprintf(stderr, "%s\n", qPrintable(store.lastError()));
            return 1;
        }
    }
    report("add 1000 items, one write each", addClock.wallMs(), AddTargetMs);
    report("add 1000 items, one write each (CPU)", addClock.cpuMs(), AddTargetMs);
    return 0;
}
