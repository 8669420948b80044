#include "engine/downloaderoutputparser.h"
#include "engine/downloaderprogress.h"

#include <QDir>
#include <QTest>

using Engine::DownloaderOutputParser;
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

// What the tool prints: the files it names and the progress reports it makes.
class TestDownloaderOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("path"); // empty: no file named
        const auto row = [](const char* name, const QStringList& lines, const QString& title,
                            const QString& path) { QTest::newRow(name) << lines << title << path; };
        const QString here = QDir::currentPath();
        const QString nul(QChar::Null);

        row("merger keeps quotes inside the name",
            {QStringLiteral("[Merger] Merging formats into \"/srv/a \"quoted\" b.mp4\"")},
            QStringLiteral("a \"quoted\" b.mp4"), QStringLiteral("/srv/a \"quoted\" b.mp4"));
        row("already downloaded, relative, after the last marker",
            {QStringLiteral("[download] x [download] out/Clip.mp4 has already been downloaded \"")},
            QStringLiteral("out/Clip.mp4 has already been downloaded"),
            here + QStringLiteral("/out/Clip.mp4"));
        row("already downloaded needs its exact letter case",
            {QStringLiteral("[download] /srv/Clip.mp4 has ALREADY BEEN DOWNLOADED")}, QString(), QString());
        row("playlist", {QStringLiteral("[download] Finished downloading playlist: /srv/Mix")},
            QStringLiteral("Mix"), QStringLiteral("/srv/Mix"));
        row("marker in capitals", {QStringLiteral("[DOWNLOAD] DESTINATION: /srv/Clip.webm")},
            QStringLiteral("Clip.webm"), QStringLiteral("/srv/Clip.webm"));
        row("last file line wins",
            {QStringLiteral("[download] Destination: /srv/Clip.f137.mp4"),
             QStringLiteral("[Merger] Merging formats into \"/srv/Clip.mp4\""),
             QStringLiteral("Deleting original file /srv/Clip.f137.mp4 (pass -k to keep)"),
             QStringLiteral("[download] 100% of 1.00KiB")},
            QStringLiteral("Clip.mp4"), QStringLiteral("/srv/Clip.mp4"));
        row("marker without a path", {QStringLiteral("[download] Destination:   ")}, QString(), QString());
        row("path with a NUL names no file", {QStringLiteral("[download] Destination: /srv/a") + nul},
            QString(), QString());
        row("already downloaded path with a NUL",
            {QStringLiteral("[download] /a") + nul + QStringLiteral("b has already been downloaded")},
            QStringLiteral("/a") + nul + QStringLiteral("b has already been downloaded"), QString());
        row("name starting with a colon is relative", {QStringLiteral("[download] Destination: :clip.webm")},
            QStringLiteral(":clip.webm"), here + QStringLiteral("/:clip.webm"));
        row("path climbing exactly to the root",
            {QStringLiteral("[download] Destination: ./") + QStringLiteral("../").repeated(here.count(u'/'))},
            QString(), QStringLiteral("/"));
        row("text with line breaks is read per line",
            {QStringLiteral("[download] Destination: /srv/a.mp4\nsomething else")}, QStringLiteral("a.mp4"),
            QStringLiteral("/srv/a.mp4"));
    }

    void fileLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, title);
        QFETCH(QString, path);
        const DownloaderOutputParser::Found found = DownloaderOutputParser::parseLines(lines);
        QCOMPARE(found.title.value_or(QString()), title);
        QCOMPARE(found.location, path.isEmpty() ? std::nullopt : std::optional(QUrl::fromLocalFile(path)));
    }

    // The fields as the tool prints them for progressTemplate (captured from yt-dlp 2023.03.04).
    void progress_data()
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

    void progress()
    {
        QFETCH(QString, fields);
        QFETCH(QString, expected);
        QCOMPARE(describe(DownloaderProgress::parse(fields)), expected);
    }
};

QTEST_GUILESS_MAIN(TestDownloaderOutput)
#include "tst_downloaderoutput.moc"
