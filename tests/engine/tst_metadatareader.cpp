// What an address holds, read from the tool's JSON before anything is downloaded.
#include "engine/enginekeys.h"
#include "engine/executablesearch.h"
#include "engine/loginenvironment.h"
#include "engine/metadatareader.h"
#include "engine/preferences.h"

#include "support/localhttpserver.h"
#include "support/testmedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>

using namespace Engine;
using TestSupport::LocalHttpServer;
using TestSupport::TestMedia;
using Quality = VideoMetadata::Quality;

class TestMetadataReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    std::unique_ptr<Preferences> m_preferences;
    std::unique_ptr<LocalHttpServer> m_server;

    void useTool(const QString& path)
    {
        m_preferences->setValue(Keys::downloaderBin, std::optional<QString>(path));
        LoginEnvironment::instance().invalidate();
    }

    // The finished metadata, or the failure's reason in `reason`.
    std::optional<VideoMetadata> read(const QString& address, QString* reason = nullptr)
    {
        MetadataReader reader(*m_preferences);
        QSignalSpy finished(&reader, &MetadataReader::finished);
        QSignalSpy failed(&reader, &MetadataReader::failed);
        reader.read(address);
        if (!QTest::qWaitFor([&] { return !finished.isEmpty() || !failed.isEmpty(); }, 60000))
            return std::nullopt;
        if (reason && !failed.isEmpty())
            *reason = failed.first().first().toString();
        return finished.isEmpty() ? std::nullopt
                                  : std::optional(finished.first().first().value<VideoMetadata>());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        m_preferences = std::make_unique<Preferences>(m_work.filePath(QStringLiteral("prefs.conf")));
        const QString served = m_work.filePath(QStringLiteral("www"));
        QVERIFY(QDir().mkpath(served));
        QVERIFY2(TestMedia::playerPage(served), "ffmpeg could not make the player's videos");
        const QString hls = TestMedia::hlsFolder(2);
        QVERIFY2(!hls.isEmpty(), "ffmpeg could not make the HLS stream");
        QVERIFY(QFile::link(hls, served + QStringLiteral("/hls")));
        m_server = std::make_unique<LocalHttpServer>(served);
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
    }

    void realTool()
    {
        const std::optional<QString> tool = findExecutable(QStringLiteral("yt-dlp"));
        QVERIFY2(tool, "yt-dlp is not installed");
        useTool(*tool);
        const std::optional<VideoMetadata> player = read(m_server->url(QStringLiteral("player.html")));
        QVERIFY(player);
        QVERIFY2(player->title.startsWith(QStringLiteral("Player")), qPrintable(player->title));
        QCOMPARE(player->qualities, (QList<Quality>{{720, {}}, {480, {}}}));
        QCOMPARE(player->subtitles, QStringList{QStringLiteral("en")});
        QVERIFY(!player->isList);
        // Heights read from the master playlist's variants, not from any file.
        const std::optional<VideoMetadata> stream = read(m_server->url(QStringLiteral("hls/stream.html")));
        QVERIFY(stream);
        QCOMPARE(stream->qualities, (QList<Quality>{{720, {}}, {480, {}}, {240, {}}}));

        QString reason;
        QVERIFY(!read(m_server->url(QStringLiteral("missing.html")), &reason));
        QVERIFY2(reason.contains(QStringLiteral("HTTP Error 404")) &&
                     !reason.startsWith(QStringLiteral("ERROR")) && !reason.contains(QLatin1Char('\n')),
                 qPrintable(reason));
    }

    // What sites give that the local pages cannot: sizes, separate audio, captions, a chat
    // replay among the subtitles, and an answer of megabytes on one line.
    void siteAnswer()
    {
        QByteArray formats;
        for (int i = 0; i < 4000; ++i)
            formats += QByteArrayLiteral(
                R"({"format_id":"p","height":360,"vcodec":"avc1","acodec":"none","ext":"mp4"},)");
        const QByteArray json =
            QByteArrayLiteral(
                R"({"id":"x","title":"T","duration":61.6,"thumbnails":[{"url":"https://i/s.jpg"},{"url":"https://i/l.jpg"}],)"
                R"("subtitles":{"de":[],"live_chat":[]},"automatic_captions":{"en":[]},"formats":[)") +
            formats +
            QByteArrayLiteral(
                R"({"height":1080,"vcodec":"vp9","acodec":"none","ext":"webm","filesize":1000},)"
                R"({"height":1080,"vcodec":"avc1","acodec":"mp4a","ext":"mp4","filesize_approx":1500},)"
                R"({"vcodec":"none","acodec":"opus","filesize":300},{"vcodec":"none","acodec":"mp4a","filesize":200}]})");
        QVERIFY(json.size() > 256 * 1024);
        QFile answer(m_work.filePath(QStringLiteral("answer.json")));
        QVERIFY(answer.open(QIODevice::WriteOnly) && answer.write(json) == json.size());
        answer.close();
        qputenv("FAKE_STDOUT_FILE", QFile::encodeName(answer.fileName()));
        qputenv("FAKE_EXIT", "0");
        useTool(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-says"));
        const std::optional<VideoMetadata> site = read(QStringLiteral("https://example.com/v"));
        qunsetenv("FAKE_STDOUT_FILE");
        qunsetenv("FAKE_EXIT");
        QVERIFY(site);
        QCOMPARE(site->qualities, (QList<Quality>{{1080, 1500}, {360, {}}}));
        QCOMPARE(site->containers, (QStringList{QStringLiteral("mp4"), QStringLiteral("webm")}));
        QCOMPARE(site->durationSeconds, 62);
        QCOMPARE(site->thumbnail, QUrl(QStringLiteral("https://i/l.jpg")));
        QCOMPARE(site->subtitles, QStringList{QStringLiteral("de")});
        QCOMPARE(site->automaticCaptions, QStringList{QStringLiteral("en")});
    }

    // The answer to an address no longer wanted never arrives, nor its end.
    void laterReadReplacesEarlier()
    {
        const QString pids = m_work.filePath(QStringLiteral("pids"));
        qputenv("FAKE_PID_FILE", QFile::encodeName(pids));
        useTool(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-hang"));
        MetadataReader reader(*m_preferences);
        QSignalSpy failed(&reader, &MetadataReader::failed);
        reader.read(QStringLiteral("https://example.com/slow"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pids).size() > 0, 30000);
        qunsetenv("FAKE_PID_FILE");
        reader.read(QStringLiteral("-not an address"));
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY(failed.first().first().toString().contains(QStringLiteral("begins with")));
        QFile file(pids);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const qint64 tool = file.readLine().trimmed().toLongLong();
        QTRY_VERIFY(::kill(static_cast<pid_t>(tool), 0) != 0);
        // Its end, had it been let through, is queued by now.
        QTest::qWait(300);
        QCOMPARE(failed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMetadataReader)
#include "tst_metadatareader.moc"
