// Fills a store with N downloads in a realistic mix of states, for the start-up benchmark.
//   bench_startup_seed <db.store> <count>
#include "library/store.h"

#include <QCoreApplication>
#include <QTimeZone>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_startup_seed <db.store> <count>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    Library::Store store;
    if (!store.open(path)) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], qPrintable(store.errorMessage()));
        return 1;
    }
    const QDateTime start(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC);
    constexpr int batch = 1000;
    for (int first = 0; first < count; first += batch) {
        QList<Library::ShakeItem> items;
        for (int n = first; n < std::min(count, first + batch); ++n) {
            Library::ShakeItem item = Library::ShakeItem::create(
                QUrl(QStringLiteral("https://video%1.example.com/watch?v=%2").arg(n % 50).arg(n)));
            item.createdDate = start.addSecs(n * 60);
            item.info->title = QStringLiteral("Video number %1 from the archive").arg(n);
            // Most finished, some failed, a few starred or waiting for a premiere.
            if (n % 10 < 7) {
                item.completedDate = item.createdDate.addSecs(30);
                item.info->location = QUrl::fromLocalFile(QStringLiteral("/tmp/video-%1.mp4").arg(n));
            } else if (n % 10 == 7) {
                item.info->error = QStringLiteral("ERROR: [generic] Unable to download webpage");
            } else if (n % 100 == 98) {
                item.scheduledDate = QDateTime::currentDateTimeUtc().addDays(2);
            }
            item.config->starred = n % 17 == 0;
            items << item;
        }
        if (!store.insertItems(items)) {
            std::fprintf(stderr, "insert failed: %s\n", qPrintable(store.lastError()));
            return 1;
        }
    }
    std::printf("seeded %d items into %s\n", count, argv[1]);
    return 0;
}
