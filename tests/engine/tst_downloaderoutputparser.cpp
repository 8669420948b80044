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
        QTest::addColumn<QString>("path");

        const QString here = QDir::currentPath();
        QTest::newRow("destination") << QStringList{QStringLiteral(
                                            "[download] Destination: /srv/media/Clip [x1].f137.mp4")}
                                     << QStringLiteral("Clip [x1].f137.mp4")
                                     << QStringLiteral("/srv/media/Clip [x1].f137.mp4");
        QTest::newRow("merger path in double quotes")
            << QStringList{QStringLiteral("[Merger] Merging formats into \"/srv/media/Clip [x1].mp4\"")}
            << QStringLiteral("Clip [x1].mp4") << QStringLiteral("/srv/media/Clip [x1].mp4");
        QTest::newRow("merger keeps quotes inside the name")
            << QStringList{QStringLiteral("[Merger] Merging formats into \"/srv/a \"quoted\" b.mp4\"")}
            << QStringLiteral("a \"quoted\" b.mp4") << QStringLiteral("/srv/a \"quoted\" b.mp4");
        QTest::newRow("already downloaded: the whole text after the marker")
            << QStringList{QStringLiteral("[download] /srv/media/Clip.mp4 has already been downloaded")}
            << QStringLiteral("/srv/media/Clip.mp4 has already been downloaded")
            << QStringLiteral("/srv/media/Clip.mp4");
        QTest::newRow("already downloaded after the last marker")
            << QStringList{QStringLiteral("[download] x [download] out/Clip.mp4 has already been downloaded")}
            << QStringLiteral("out/Clip.mp4 has already been downloaded")
            << here + QStringLiteral("/out/Clip.mp4");
        QTest::newRow("already downloaded needs its exact letter case")
            << QStringList{QStringLiteral("[download] /srv/Clip.mp4 has ALREADY BEEN DOWNLOADED")}
            << QString() << QString();
        QTest::newRow("playlist") << QStringList{QStringLiteral(
                                         "[download] Finished downloading playlist: /srv/Mix")}
                                  << QStringLiteral("Mix") << QStringLiteral("/srv/Mix");
        QTest::newRow("marker in capitals")
            << QStringList{QStringLiteral("[DOWNLOAD] DESTINATION: /srv/Clip.webm")}
            << QStringLiteral("Clip.webm") << QStringLiteral("/srv/Clip.webm");
        QTest::newRow("relative path resolved against the working directory")
            << QStringList{QStringLiteral("[download] Destination: out/clip [clip].mp4")}
            << QStringLiteral("clip [clip].mp4") << here + QStringLiteral("/out/clip [clip].mp4");
        QTest::newRow("last file line wins")
            << QStringList{QStringLiteral("[download] Destination: /srv/Clip.f137.mp4"),
                           QStringLiteral("[download] Destination: /srv/Clip.f140.m4a"),
                           QStringLiteral("[Merger] Merging formats into \"/srv/Clip.mp4\""),
                           QStringLiteral("Deleting original file /srv/Clip.f137.mp4 (pass -k to keep)")}
            << QStringLiteral("Clip.mp4") << QStringLiteral("/srv/Clip.mp4");
        QTest::newRow("marker without a path")
            << QStringList{QStringLiteral("[download] Destination:   ")} << QString() << QString();
        QTest::newRow("progress and other lines name nothing")
            << QStringList{QStringLiteral("[generic] clip: Downloading webpage"),
                           QStringLiteral("[download]  57.9% of   25.90KiB at    7.42MiB/s ETA 00:00"),
                           QStringLiteral("[download] 100% of   25.90KiB")}
            << QString() << QString();
        QTest::newRow("path with a NUL names no file")
            << QStringList{QStringLiteral("[download] Destination: )~/cl") + QChar::Null +
                           QStringLiteral("d>hip.webm")}
            << QString() << QString();
        QTest::newRow("already downloaded path with a NUL names no file")
            << QStringList{QStringLiteral("[download] /srv/a") + QChar::Null +
                           QStringLiteral("b.mp4 has already been downloaded")}
            << QStringLiteral("/srv/a") + QChar::Null + QStringLiteral("b.mp4 has already been downloaded")
            << QString();
        QTest::newRow("name starting with a colon is relative")
            << QStringList{QStringLiteral("[download] Destination: :clip.webm")}
            << QStringLiteral(":clip.webm") << here + QStringLiteral("/:clip.webm");
        QTest::newRow("path climbing exactly to the root")
            << QStringList{QStringLiteral("[download] Destination: ./") +
                           QStringLiteral("../").repeated(here.count(QLatin1Char('/')))}
            << QString() << QStringLiteral("/");
        QTest::newRow("text with line breaks is read per line")
            << QStringList{QStringLiteral("[download] Destination: /srv/a.mp4\nsomething else")}
            << QStringLiteral("a.mp4") << QStringLiteral("/srv/a.mp4");
    }

    void parseLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, title);
        QFETCH(QString, path);

        const DownloaderOutputParser::Found found = DownloaderOutputParser::parseLines(lines);
        QCOMPARE(found.title.value_or(QString()), title);
        QCOMPARE(found.location.has_value(), !path.isEmpty());
        if (found.location) {
            QVERIFY(found.location->isLocalFile());
            QCOMPARE(found.location->toLocalFile(), path);
        }
    }

    // A title seen once stays when later lines name nothing new.
    void laterLinesWithoutMarkersKeepTheFinding()
    {
        DownloaderOutputParser::Found found;
        DownloaderOutputParser::apply(QStringLiteral("[download] Destination: /srv/a.mp4"), found);
        DownloaderOutputParser::apply(QStringLiteral("[download] 100% of 1.00KiB"), found);
        QCOMPARE(found.title, QStringLiteral("a.mp4"));
        QCOMPARE(found.location, QUrl::fromLocalFile(QStringLiteral("/srv/a.mp4")));
    }
};

QTEST_GUILESS_MAIN(TestDownloaderOutputParser)
#include "tst_downloaderoutputparser.moc"
