#include "app/list/shakelistitemrow.h"

#include <QTest>
#include <QTimeZone>

using App::ShakeListItemRow;
using Library::ShakeItem;

namespace {

const QDateTime now(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

ShakeItem makeItem(bool running, bool starred, std::optional<QDateTime> completed,
                   std::optional<QDateTime> scheduled, std::optional<QString> error, bool withConfig = true)
{
    ShakeItem item;
    item.id = 1;
    item.source = QUrl(QStringLiteral("https://example.com/watch?v=1"));
    item.createdDate = now.addDays(-1);
    if (withConfig) {
        item.config = Library::ShakeConfig();
        item.config->running = running;
        item.config->starred = starred;
    }
    item.info = Library::ShakeItemInfo();
    item.info->error = error;
    item.completedDate = completed;
    item.scheduledDate = scheduled;
    return item;
}

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
        QTest::addColumn<bool>("errorButton");

        QTest::newRow("running") << true << false << false << 0 << QString() << true
                                 << QStringLiteral("arrowshape.down.fill") << QString() << false;
        QTest::newRow("completed and starred") << false << true << true << 0 << QString() << true
                                               << QStringLiteral("checkmark.circle") << QString() << false;
        QTest::newRow("stopped") << false << false << false << 0 << QString() << true
                                 << QStringLiteral("stop.circle.fill") << QString() << false;
        QTest::newRow("no config record counts as stopped")
            << true << true << false << 0 << QString() << false << QStringLiteral("stop.circle.fill")
            << QString() << false;
        QTest::newRow("failed") << false << false << false << 0 << QStringLiteral("ERROR: boom") << true
                                << QStringLiteral("stop.circle.fill") << QString() << true;
        QTest::newRow("blank error shows no button")
            << false << false << false << 0 << QStringLiteral(" \n\t ") << true
            << QStringLiteral("stop.circle.fill") << QString() << false;
        QTest::newRow("scheduled ahead") << false << false << false << 2 * 3600 + 59 << QString() << true
                                         << QStringLiteral("calendar.badge.clock")
                                         << QStringLiteral("Automatically retry in 2 hours") << false;
        QTest::newRow("scheduled, date passed")
            << false << false << false << -5 << QString() << true << QStringLiteral("calendar.badge.clock")
            << QString() << false;
        QTest::newRow("running beats scheduled")
            << true << false << false << 60 << QString() << true << QStringLiteral("arrowshape.down.fill")
            << QStringLiteral("Automatically retry in 1 minute") << false;
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
        QFETCH(bool, errorButton);

        const ShakeItem item =
            makeItem(running, starred, completed ? std::optional<QDateTime>(now) : std::nullopt,
                     scheduledIn ? std::optional<QDateTime>(now.addSecs(scheduledIn)) : std::nullopt,
                     error.isNull() ? std::nullopt : std::optional<QString>(error), withConfig);
        const ShakeListItemRow row = ShakeListItemRow::make(item, now);
        QCOMPARE(row.stateSymbol, symbol);
        QCOMPARE(row.retryText, retry);
        QCOMPARE(row.hasError(), errorButton);
        QCOMPARE(row.starred, starred && withConfig);
        QVERIFY(row.createdText.startsWith(QStringLiteral("Created on: ")));
        QCOMPARE(row.completedText.startsWith(QStringLiteral("Completed on: ")), completed);
        QCOMPARE(row.title, QStringLiteral("https://example.com/watch?v=1"));
    }

    void progressOnlyWhileRunning()
    {
        Engine::DownloaderProgress progress;
        progress.setPercent(42.5);
        ShakeItem item = makeItem(true, false, std::nullopt, std::nullopt, std::nullopt);
        QCOMPARE(ShakeListItemRow::make(item, now, progress).progressText, QStringLiteral("42.5%"));
        item.config->running = false;
        QVERIFY(ShakeListItemRow::make(item, now, progress).progressText.isEmpty());
    }

    void fileOnlyWhenCompleted()
    {
        ShakeItem item = makeItem(false, false, now, std::nullopt, std::nullopt);
        item.info->location = QUrl::fromLocalFile(QStringLiteral("/tmp/a b.mp4"));
        QCOMPARE(ShakeListItemRow::make(item, now).filePath,
                 std::optional<QString>(QStringLiteral("/tmp/a b.mp4")));
        item.completedDate.reset();
        QCOMPARE(ShakeListItemRow::make(item, now).filePath, std::optional<QString>());
    }

    void relativeDate_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("seconds") << 30 << QStringLiteral("in 30 seconds");
        QTest::newRow("one minute") << 60 << QStringLiteral("in 1 minute");
        QTest::newRow("just under an hour") << 3599 << QStringLiteral("in 59 minutes");
        QTest::newRow("hours") << 2 * 3600 << QStringLiteral("in 2 hours");
        QTest::newRow("days") << 3 * 86400 + 5 << QStringLiteral("in 3 days");
        QTest::newRow("weeks") << 15 * 86400 << QStringLiteral("in 2 weeks");
        QTest::newRow("past") << -7200 << QStringLiteral("2 hours ago");
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
        QTest::newRow("both words") << QStringLiteral("PermissionError: could not read cookies database")
                                    << true;
        QTest::newRow("any case") << QStringLiteral("permissionerror ... COOKIES") << true;
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
