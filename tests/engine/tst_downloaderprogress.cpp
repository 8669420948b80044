#include "engine/downloaderprogress.h"

#include <QTest>

using Engine::DownloaderProgress;

namespace {
// "percent downloaded total speed eta finished", "-" for what is not known.
QString describe(const std::optional<DownloaderProgress>& p)
{
    if (!p)
        return QStringLiteral("rejected");
    const auto field = [](const auto& value, auto&& text) {
        return value ? text(*value) : QStringLiteral("-");
    };
    const auto integer = [](qint64 v) { return QString::number(v); };
    return QStringList{field(p->percent(), [](double v) { return QString::number(v, 'f', 2); }),
                       field(p->downloadedBytes(), integer),
                       field(p->totalBytes(), integer),
                       field(p->speed(), [](double v) { return QString::number(v, 'g', 12); }),
                       field(p->eta(), integer),
                       p->isFileFinished() ? QStringLiteral("done") : QStringLiteral("on")}
        .join(QLatin1Char(' '));
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
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* fields, const char* expected) {
            QTest::newRow(fields) << QString::fromLatin1(fields) << QString::fromLatin1(expected);
        };
        row("downloading 15360 26526 NA 7646826.046290801 3 NA NA", "57.91 15360 26526 7646826.04629 3 on");
        row("downloading 1859 NA 7809.0 12.5 NA 1 2", "23.81 1859 7809 12.5 - on"); // the estimate
        row("downloading NA NA NA NA NA 3 4", "75.00 - - - - on");                  // fragments only
        // A file already there: its size in total only.
        row("finished NA 26526 NA NA NA NA NA", "100.00 26526 26526 - - done");
        row("downloading 9000 NA 8000 NA NA NA NA", "100.00 9000 8000 - - on"); // beyond the estimate
        row("downloading 10 0 NA NA NA NA NA", "- 10 0 - - on");                // no division by zero
        row("downloading -5 abc NA nan inf NA NA", "- - - - - on");
        row("  downloading 1 2 NA NA NA NA NA ", "50.00 1 2 - - on");
        row("downloading 1 2 NA NA NA NA", "rejected");
        row("downloading 1 2 NA NA NA NA NA NA", "rejected");
        row("paused 1 2 NA NA NA NA NA", "rejected");
    }

    void parse()
    {
        QFETCH(QString, fields);
        QFETCH(QString, expected);
        QCOMPARE(describe(DownloaderProgress::parse(fields)), expected);
    }
};

QTEST_GUILESS_MAIN(TestDownloaderProgress)
#include "tst_downloaderprogress.moc"
