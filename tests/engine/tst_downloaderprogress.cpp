#include "engine/downloaderprogress.h"

#include <QTest>

using Engine::DownloaderProgress;

namespace {
constexpr double Unknown = -1;
constexpr qint64 UnknownBytes = -1;

double orUnknown(std::optional<double> value)
{
    return value.value_or(Unknown);
}
qint64 orUnknown(std::optional<qint64> value)
{
    return value.value_or(UnknownBytes);
}
} // namespace

class TestDownloaderProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The fields as the tool prints them for progressTemplate (captured from yt-dlp 2023.03.04).
    void parse_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<double>("percent");
        QTest::addColumn<qint64>("downloaded");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<double>("speed");
        QTest::addColumn<qint64>("eta");
        QTest::addColumn<bool>("fileFinished");

        QTest::newRow("first report, speed unknown")
            << QStringLiteral("downloading 1024 26526 NA NA NA NA NA") << 100.0 * 1024 / 26526 << qint64(1024)
            << qint64(26526) << Unknown << UnknownBytes << false;
        QTest::newRow("speed as a fraction")
            << QStringLiteral("downloading 15360 26526 NA 7646826.046290801 3 NA NA") << 100.0 * 15360 / 26526
            << qint64(15360) << qint64(26526) << 7646826.046290801 << qint64(3) << false;
        QTest::newRow("estimated size from fragments")
            << QStringLiteral("downloading 1859 NA 7809.0 12.5 NA 1 2") << 100.0 * 1859 / 7809 << qint64(1859)
            << qint64(7809) << 12.5 << UnknownBytes << false;
        QTest::newRow("fragments only") << QStringLiteral("downloading NA NA NA NA NA 3 4") << 75.0
                                        << UnknownBytes << UnknownBytes << Unknown << UnknownBytes << false;
        QTest::newRow("nothing known") << QStringLiteral("downloading NA NA NA NA NA NA NA") << Unknown
                                       << UnknownBytes << UnknownBytes << Unknown << UnknownBytes << false;
        QTest::newRow("finished") << QStringLiteral("finished 26526 26526 NA 3965290.03 NA NA NA") << 100.0
                                  << qint64(26526) << qint64(26526) << 3965290.03 << UnknownBytes << true;
        QTest::newRow("file already there: size in total only")
            << QStringLiteral("finished NA 26526 NA NA NA NA NA") << 100.0 << qint64(26526) << qint64(26526)
            << Unknown << UnknownBytes << true;
        QTest::newRow("more than the estimate is 100")
            << QStringLiteral("downloading 9000 NA 8000 NA NA NA NA") << 100.0 << qint64(9000) << qint64(8000)
            << Unknown << UnknownBytes << false;
        QTest::newRow("zero total does not divide")
            << QStringLiteral("downloading 10 0 NA NA NA NA NA") << Unknown << qint64(10) << qint64(0)
            << Unknown << UnknownBytes << false;
        QTest::newRow("surrounding spaces") << QStringLiteral("  downloading 1 2 NA NA NA NA NA ") << 50.0
                                            << qint64(1) << qint64(2) << Unknown << UnknownBytes << false;
    }

    void parse()
    {
        QFETCH(QString, fields);
        const std::optional<DownloaderProgress> progress = DownloaderProgress::parse(fields);
        QVERIFY(progress);
        QFETCH(double, percent);
        QFETCH(qint64, downloaded);
        QFETCH(qint64, total);
        QFETCH(double, speed);
        QFETCH(qint64, eta);
        QFETCH(bool, fileFinished);
        QCOMPARE(orUnknown(progress->percent()), percent);
        QCOMPARE(orUnknown(progress->downloadedBytes()), downloaded);
        QCOMPARE(orUnknown(progress->totalBytes()), total);
        QCOMPARE(orUnknown(progress->speed()), speed);
        QCOMPARE(orUnknown(progress->eta()), eta);
        QCOMPARE(progress->isFileFinished(), fileFinished);
    }

    void rejects_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::newRow("empty") << QString();
        QTest::newRow("too few fields") << QStringLiteral("downloading 1 2 NA NA NA NA");
        QTest::newRow("too many fields") << QStringLiteral("downloading 1 2 NA NA NA NA NA NA");
        QTest::newRow("unknown status") << QStringLiteral("paused 1 2 NA NA NA NA NA");
        QTest::newRow("tool's own progress text")
            << QStringLiteral("  57.9% of   25.90KiB at    7.42MiB/s ETA 00:00");
    }

    void rejects()
    {
        QFETCH(QString, fields);
        QVERIFY(!DownloaderProgress::parse(fields));
    }

    void negativeAndGarbageNumbersAreUnknown()
    {
        const std::optional<DownloaderProgress> progress =
            DownloaderProgress::parse(QStringLiteral("downloading -5 abc NA nan inf NA NA"));
        QVERIFY(progress);
        QVERIFY(!progress->downloadedBytes());
        QVERIFY(!progress->totalBytes());
        QVERIFY(!progress->speed());
        QVERIFY(!progress->percent());
    }
};

QTEST_GUILESS_MAIN(TestDownloaderProgress)
#include "tst_downloaderprogress.moc"
