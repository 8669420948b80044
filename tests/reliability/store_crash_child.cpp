// Adds and completes items in a loop until it is killed. After each add has committed, prints
// the new item's id on a line of its own, so that the test knows which items must survive; after
// each later write, a "-" line, so that the test can choose the write its kill falls into.
#include "library/store.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: store_crash_child <store> <seed>\n");
        return 2;
    }
    Library::Store store;
    if (!store.open(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s\n", qPrintable(store.errorMessage()));
        return 2;
    }
    QRandomGenerator random(QByteArray(argv[2]).toUInt());
    const Engine::QorvConfig config(
        QStringLiteral("Default"),
        {Engine::QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/tmp")))});
    const auto mark = [](const QByteArray& line) {
        std::printf("%s\n", line.constData());
        std::fflush(stdout);
    };
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
        mark(QByteArray::number(id));

        // An outcome large enough to span several pages, so that a kill can land inside its write.
        const QString log = QString(static_cast<qsizetype>(random.bounded(1000, 40000)), QLatin1Char('l'));
        const bool written = store.update(id, [&](Library::ShakeItem& done) {
            done.completedDate = QDateTime::currentDateTimeUtc();
            done.config->running = false;
            done.info->title = QStringLiteral("Title %1 é").arg(id);
            done.info->log = log;
        });
        if (written)
            mark("-");
        const bool iconStored =
            written && store.storeFavicon(*item.siteURL(), QByteArray(random.bounded(10, 5000), 'i'), id);
        if (iconStored)
            mark("-");
        if (!iconStored || (i % 3 == 0 && !store.toggleStar({id}))) {
            std::fprintf(stderr, "write failed: %s\n", qPrintable(store.lastError()));
            return 1;
        }
    }
}
