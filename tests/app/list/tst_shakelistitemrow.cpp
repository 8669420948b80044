#include "app/list/shakelistitemrow.h"

#include <QTest>
#include <QTimeZone>

using App::ShakeListItemRow;
using Library::ShakeItem;

namespace {

const QDateTime now(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

} // namespace

class TestShakeListItemRow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void state_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("starred");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<int>("scheduledIn"); // seconds from now; 0: none
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("withConfig");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("retry");

        QTest::newRow("running") << true << false << false << 0 << QString() << true
                                 << QStringLiteral("arrowshape.down.fill") << QString();
        QTest::newRow("completed and starred") << false << true << true << 0 << QString() << true
                                               << QStringLiteral("checkmark.circle") << QString();
        QTest::newRow("stopped, blank error") << false << false << false << 0 << QStringLiteral(" \n\t ")
                                              << true << QStringLiteral("stop.circle.fill") << QString();
        QTest::newRow("no config record counts as stopped")
            << true << true << false << 0 << QString() << false << QStringLiteral("stop.circle.fill")
            << QString();
        QTest::newRow("failed") << false << false << false << 0 << QStringLiteral("ERROR: boom") << true
                                << QStringLiteral("stop.circle.fill") << QString();
        QTest::newRow("scheduled ahead")
            << false << false << false << 2 * 3600 + 59 << QString() << true
            << QStringLiteral("calendar.badge.clock") << QStringLiteral("Automatically retry in 2 hours");
        QTest::newRow("scheduled, date passed") << false << false << false << -5 << QString() << true
                                                << QStringLiteral("calendar.badge.clock") << QString();
        QTest::newRow("running beats scheduled")
            << true << false << false << 60 << QString() << true << QStringLiteral("arrowshape.down.fill")
            << QStringLiteral("Automatically retry in 1 minute");
    }

    void state()
    {
        QFETCH(bool, running);
        QFETCH(bool, starred);
        QFETCH(bool, completed);
        QFETCH(int, scheduledIn);
        QFETCH(QString, error);
        QFETCH(bool, withConfig);
        QFETCH(QString, symbol);
        QFETCH(QString, retry);

        ShakeItem item;
        item.source = QUrl(QStringLiteral("https://example.com/watch?v=1"));
        item.createdDate = now.addDays(-1);
        if (withConfig) {
            item.config = Library::ShakeConfig();
            item.config->running = running;
            item.config->starred = starred;
        }
        item.info = Library::ShakeItemInfo();
        if (!error.isNull())
            item.info->error = error;
        // Every item has a file and progress; the row shows each only in its state.
        item.info->location = QUrl::fromLocalFile(QStringLiteral("/tmp/a b.mp4"));
        if (completed)
            item.completedDate = now;
        if (scheduledIn)
            item.scheduledDate = now.addSecs(scheduledIn);
        Engine::DownloaderProgress progress;
        progress.setPercent(42.5);

        const ShakeListItemRow row = ShakeListItemRow::make(item, now, progress);
        const bool shownRunning = running && withConfig;
        QCOMPARE(row.stateSymbol, symbol);
        QCOMPARE(row.retryText, retry);
        QCOMPARE(row.hasError(), error == QStringLiteral("ERROR: boom"));
        QCOMPARE(row.starred, starred && withConfig);
        QCOMPARE(row.progressText, shownRunning ? QStringLiteral("42.5%") : QString());
        QCOMPARE(row.filePath,
                 completed ? std::optional<QString>(QStringLiteral("/tmp/a b.mp4")) : std::nullopt);
        QVERIFY(row.createdText.startsWith(QStringLiteral("Created on: ")));
        QCOMPARE(row.completedText.startsWith(QStringLiteral("Completed on: ")), completed);
        QCOMPARE(row.title, QStringLiteral("https://example.com/watch?v=1"));
    }

    // Singular units and flooring are in the rows above.
    void relativeDate_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("just under an hour") << 3599 << QStringLiteral("in 59 minutes");
        QTest::newRow("weeks") << 15 * 86400 << QStringLiteral("in 2 weeks");
    }

    void relativeDate()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(ShakeListItemRow::relativeDate(now.addSecs(seconds), now), text);
    }

    void errorExplanation_data()
    {
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("explained");
        QTest::newRow("both words, any case") << QStringLiteral("permissionerror ... COOKIES") << true;
        QTest::newRow("only PermissionError") << QStringLiteral("PermissionError: [Errno 13] /x") << false;
        QTest::newRow("only cookies") << QStringLiteral("could not find cookies") << false;
    }

    void errorExplanation()
    {
        QFETCH(QString, error);
        QFETCH(bool, explained);
        const std::optional<QString> text = ShakeListItemRow::errorExplanation(error);
        QCOMPARE(text.has_value(), explained);
        if (explained)
            QVERIFY(text->contains(QStringLiteral("**VeltQorv**")));
    }
};

QTEST_GUILESS_MAIN(TestShakeListItemRow)
#include "tst_shakelistitemrow.moc"
