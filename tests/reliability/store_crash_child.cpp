// Adds and completes items in a loop until its own SIGALRM ends it at once, as SIGKILL would (it
// has no handler), at a moment the seed chooses: after a number of writes have committed, a random part of a
// loop later, so that the kill falls anywhere inside a write. After each add has committed, prints the new
// item's id on a line of its own, so that the test knows which items must survive.
#include "library/store.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

#include <sys/time.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Library::Store store;
    if (argc < 3 || !store.open(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "store_crash_child <store> <seed>: %s\n", qPrintable(store.errorMessage()));
        return 2;
    }
    QRandomGenerator random(QByteArray(argv[2]).toUInt());
    int writesBeforeTimer = static_cast<int>(random.bounded(1, 120));
    // Each write may be the one after which the kill is armed.
    const auto wrote = [&] {
        if (--writesBeforeTimer == 0) {
            itimerval timer{};
            timer.it_value.tv_usec = static_cast<suseconds_t>(random.bounded(1, 20000));
            ::setitimer(ITIMER_REAL, &timer, nullptr);
        }
    };
    const Engine::QorvConfig config(
        QStringLiteral("Default"),
        {Engine::QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/tmp")))});
    for (int i = 0;; ++i) {
        Library::ShakeItem item =
            Library::ShakeItem::create(QUrl(QStringLiteral("https://example.com/crash/%1").arg(i)));
        item.config->running = true;
        const auto ids = i % 2 ? store.insertItems({item}, config) : store.insertItems({item});
        if (!ids) {
            std::fprintf(stderr, "add failed: %s\n", qPrintable(store.lastError()));
            return 1;
        }
        const qint64 id = ids->first();
        std::printf("%lld\n", static_cast<long long>(id));
        std::fflush(stdout);
        wrote();

        // An outcome large enough to span several pages, so that a kill can land inside its write.
        const QString log = QString(static_cast<qsizetype>(random.bounded(1000, 40000)), QLatin1Char('l'));
        const bool written = store.update(id, [&](Library::ShakeItem& done) {
            done.completedDate = QDateTime::currentDateTimeUtc();
            done.config->running = false;
            done.info->title = QStringLiteral("Title %1 é").arg(id);
            done.info->log = log;
        });
        wrote();
        if (!written || !store.storeFavicon(*item.siteURL(), QByteArray(random.bounded(10, 5000), 'i'), id) ||
            (i % 3 == 0 && !store.toggleStar({id}))) {
            std::fprintf(stderr, "write failed: %s\n", qPrintable(store.lastError()));
            return 1;
        }
        wrote();
    }
}
