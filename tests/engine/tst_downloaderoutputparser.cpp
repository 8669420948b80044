#include "engine/downloaderoutputparser.h"

#include <QDir>
#include <QTest>

using Engine::DownloaderOutputParser;

class TestDownloaderOutputParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseLines_data()
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

    void parseLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, title);
        QFETCH(QString, path);
        const DownloaderOutputParser::Found found = DownloaderOutputParser::parseLines(lines);
        QCOMPARE(found.title.value_or(QString()), title);
        QCOMPARE(found.location, path.isEmpty() ? std::nullopt : std::optional(QUrl::fromLocalFile(path)));
    }
};

QTEST_GUILESS_MAIN(TestDownloaderOutputParser)
#include "tst_downloaderoutputparser.moc"
