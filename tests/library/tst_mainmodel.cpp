#include "capture/timephrase/chrono.h"
#include "library/mainmodel.h"
#include "library/notifier.h"
#include "library/presetlist.h"
#include "library/shakeitem.h"
#include "library/store.h"
#include "library/thumbnailcache.h"

#include "engine/downloadchoice.h"
#include "engine/enginekeys.h"
#include "engine/executablesearch.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "support/localhttpserver.h"
#include "support/privatebus.h"
#include "support/recordingnotificationserver.h"
#include "support/testmedia.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Library;

namespace {

QUrl address(const QString& name)
{
    // Port 9 refuses at once, so site icon lookups end quickly.
    return QUrl(QStringLiteral("http://127.0.0.1:9/") + name);
}

} // namespace

// The application model with a stand-in tool whose behaviour follows the address, a real
// SQLite store and real child processes.
class TestMainModel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Engine::Preferences> m_prefs;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<MainModel> m_model;
    QDateTime m_now;

    QString state(const QString& file) const { return m_dir.filePath(QStringLiteral("state/") + file); }

    int startsOf(const QString& name) const
    {
        QFile file(state(name + QStringLiteral(".starts")));
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    }

    std::unique_ptr<TestSupport::LocalHttpServer> m_server;

    // The real tool, and a server with a page naming its picture (relative to the page) and its
    // length, and a page of two qualities.
    bool useRealTool()
    {
        const std::optional<QString> tool = Engine::findExecutable(QStringLiteral("yt-dlp"));
        if (!tool)
            return false;
        m_prefs->setValue(Engine::Keys::downloaderBin, tool);
        if (m_server)
            return true;
        const QString www = m_dir.filePath(QStringLiteral("www"));
        const QString clip = TestSupport::TestMedia::clip(2);
        QImage picture(320, 180, QImage::Format_RGB32);
        picture.fill(Qt::red);
        if (!QDir().mkpath(www) || clip.isEmpty() || !QFile::copy(clip, www + QStringLiteral("/clip.mp4")) ||
            !picture.save(www + QStringLiteral("/thumb.png")) || !TestSupport::TestMedia::playerPage(www))
            return false;
        m_server = std::make_unique<TestSupport::LocalHttpServer>(www);
        QFile page(www + QStringLiteral("/video.html"));
        if (!m_server->start() || !page.open(QIODevice::WriteOnly))
            return false;
        page.write(QStringLiteral("<html><head><meta property=\"og:title\" content=\"Red\">"
                                  "<meta property=\"og:image\" content=\"thumb.png\"><script type="
                                  "\"application/ld+json\">{\"@context\":\"https://schema.org\",\"@type\":"
                                  "\"VideoObject\",\"name\":\"Red\",\"duration\":\"PT2S\",\"contentUrl\":"
                                  "\"%1\"}</script></head></html>")
                       .arg(m_server->url(QStringLiteral("clip.mp4")))
                       .toUtf8());
        return true;
    }

    // An item that is not there ends the test (an exception); a refused address gives id 0.
    ShakeItem item(qint64 id) const { return m_store->item(id).value(); }
    qint64 addOne(const QString& name) { return m_model->add({address(name)}).value(0); }

private Q_SLOTS:
    // The tools' environment is read once, so their state folder is the same for every test.
    void initTestCase()
    {
        qputenv("FAKE_STATE_DIR", state(QString()).toUtf8());
        QVERIFY(QDir().mkpath(state(QString())) && QDir().mkpath(m_dir.filePath(QStringLiteral("out"))));
    }

    void init()
    {
        m_prefs = std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("prefs.conf")));
        m_prefs->setValue(Engine::Keys::downloaderBin,
                          std::optional<QString>(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-by-address")));
        m_prefs->setValue(Library::Keys::defaultOutputLocation,
                          QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("out"))));
        m_store = std::make_unique<Store>();
        // A store of its own for each test.
        QVERIFY(m_store->open(m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) +
                                             QString::fromLatin1(QTest::currentDataTag()))));
        m_now = QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
        m_model = std::make_unique<MainModel>(*m_store, *m_prefs, &Capture::Chrono::shared(), nullptr);
        m_model->setClock([this] { return m_now; });
    }

    void cleanup()
    {
        m_model.reset();
        m_store.reset();
    }

    // Undo brings an item back whole; only "with file" sends its file to the trash.
    void deleteIsUndoneAndTrashesOnlyWhenAsked()
    {
        ShakeItem kept = ShakeItem::create(address(QStringLiteral("kept")));
        kept.completedDate = m_now;
        kept.config->starred = true;
        kept.info->title = QStringLiteral("Kept");
        kept.info->log = QStringLiteral("log of kept");
        ShakeItem trashed = kept;
        trashed.info->title = QStringLiteral("Trashed");
        QList<qint64> ids;
        for (ShakeItem* item : {&kept, &trashed}) {
            const QString file = m_dir.filePath(QStringLiteral("out/%1.mp4").arg(item->info->title));
            QVERIFY(QFile(file).open(QIODevice::WriteOnly));
            item->info->location = QUrl::fromLocalFile(file);
            ids += m_store->insertItems({*item}, Engine::QorvConfig(QStringLiteral("set"), {}))->first();
        }
        QSignalSpy removed(m_model.get(), &MainModel::removed);
        m_model->remove({ids[0]});
        QCOMPARE(removed.takeFirst().first().toInt(), 1);
        QVERIFY(!m_store->item(ids[0]) && QFile::exists(kept.info->location->toLocalFile()));
        m_model->undoRemove();
        QVERIFY(!m_model->canUndoRemove());
        const QList<ShakeItem> back = m_store->items(ItemQuery::search(QStringLiteral("Kept")));
        QCOMPARE(back.size(), 1);
        QVERIFY(back[0].isStarred() && back[0].completedDate == m_now);
        QCOMPARE(back[0].info->location, kept.info->location);
        QCOMPARE(m_store->itemLog(back[0].id), kept.info->log);
        QCOMPARE(m_store->qorvConfig(back[0].qorvConfigId.value_or(0))->config.name(), QStringLiteral("set"));

        m_model->remove({ids[1]}, MainModel::FileDisposal::trash);
        QVERIFY(!QFile::exists(trashed.info->location->toLocalFile()));
        QVERIFY(QFile::exists(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                              QStringLiteral("/Trash/files/Trashed.mp4")));
    }

    // The outcome of a run as the tool reports it: a file, or the error text kept whole (everything
    // after the first warning counts), and for a premiere its start.
    void outcomeIsRecorded_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("success") << QStringLiteral("ok-one") << QString();
        QTest::newRow("failure") << QStringLiteral("fail-one") << QStringLiteral("ERROR: Unsupported URL");
        QTest::newRow("premiere") << QStringLiteral("premiere-one") << QStringLiteral("Premieres in 2 hours");
    }

    void outcomeIsRecorded()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QSignalSpy finished(m_model.get(), &MainModel::runFinished);
        const qint64 id = addOne(name);
        QVERIFY(item(id).isRunning());
        QCOMPARE(m_model->runningCount(), 1);
        QVERIFY(finished.wait(20000));
        const ShakeItem done = item(id);
        QVERIFY(!done.isRunning());
        // When it starts is the tool's output parser's to work out.
        QCOMPARE(done.scheduledDate.has_value(), name.startsWith(QLatin1String("premiere")));
        QCOMPARE(m_model->runningCount(), 0);
        if (error.isEmpty()) {
            QCOMPARE(done.completedDate, m_now);
            QCOMPARE(done.info->location,
                     QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("out/%1.mp4").arg(name))));
            QVERIFY(m_model->store().itemLog(id).value_or(QString()).contains(QStringLiteral("Destination")));
        } else {
            QVERIFY(!done.completedDate);
            QVERIFY2(done.errorMessage().contains(error), qPrintable(done.errorMessage()));
        }
    }

    // The real tool on a page that names its picture (relative to the page) and its length: the
    // row's facts are stored and the picture is kept, scaled down, in the cache.
    void completedItemKnowsItsVideo()
    {
        QVERIFY(useRealTool());
        QSignalSpy finished(m_model.get(), &MainModel::runFinished);
        QSignalSpy kept(&m_model->thumbnails(), &ThumbnailCache::finished);
        const qint64 id = m_model->add({QUrl(m_server->url(QStringLiteral("video.html")))}).value(0);
        QVERIFY(finished.wait(120000));
        const ShakeItem done = item(id);
        QVERIFY2(done.completedDate, qPrintable(done.errorMessage()));
        QCOMPARE(done.info->title, QStringLiteral("Red"));
        QCOMPARE(done.info->duration, 2);
        QCOMPARE(done.info->bytes, QFileInfo(done.info->location.value_or(QUrl()).toLocalFile()).size());
        QCOMPARE(done.info->badge, QStringLiteral("Best"));
        QVERIFY(!done.info->unavailableHeight);
        const QUrl thumbnail(m_server->url(QStringLiteral("thumb.png")));
        QCOMPARE(done.info->thumbnail, thumbnail);
        QVERIFY(kept.wait(20000));
        QCOMPARE(kept.first().at(1).toBool(), true);
        const QString cached = m_model->thumbnails().filePath(thumbnail);
        QVERIFY(cached.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                                  QStringLiteral("/VeltQorv/")));
        QCOMPARE(QImage(cached).size(), QSize(148, 83));
    }

    // Over its cap, the cache lets go of the pictures used least recently.
    void thumbnailsOverTheCapGo()
    {
        QVERIFY(useRealTool());
        const QString folder = m_dir.filePath(QStringLiteral("thumbs"));
        const auto picture = [this](char n) {
            return QUrl(m_server->url(QStringLiteral("thumb.png?") + QLatin1Char(n)));
        };
        const auto keep = [](ThumbnailCache& cache, const QUrl& address) {
            QSignalSpy finished(&cache, &ThumbnailCache::finished);
            cache.fetch(address);
            return finished.wait(10000) && finished.first().at(1).toBool();
        };
        ThumbnailCache unbounded(folder);
        QVERIFY(keep(unbounded, picture('a')));
        const qint64 size = QFileInfo(unbounded.filePath(picture('a'))).size();
        ThumbnailCache cache(folder, size * 5 / 2);
        QVERIFY(keep(cache, picture('b')));
        QTest::qWait(20);
        QVERIFY(!cache.use(picture('a')).isEmpty());
        QTest::qWait(20);
        QVERIFY(keep(cache, picture('c')));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
        QVERIFY(!cache.use(picture('a')).isEmpty() && cache.use(picture('b')).isEmpty());
    }

    // A page with 720 and 480 lines asked for at most 240: the one retry takes the nearest, 480,
    // and records that it did; the item keeps asking for its own choice.
    void missingQualityTakesTheNearest()
    {
        QVERIFY(useRealTool());
        Engine::DownloadChoice choice;
        choice.maxHeight = 240;
        const Engine::QorvConfig asked(QStringLiteral("240p"), choice.configItems());
        QSignalSpy finished(m_model.get(), &MainModel::runFinished);
        const qint64 id = m_model->add({QUrl(m_server->url(QStringLiteral("player.html")))}, asked).value(0);
        QVERIFY(finished.wait(120000));
        const ShakeItem done = item(id);
        QVERIFY2(done.completedDate, qPrintable(done.errorMessage()));
        QCOMPARE(done.info->unavailableHeight, 240);
        QCOMPARE(done.info->height, 480);
        QProcess probe;
        probe.start(QStringLiteral("ffprobe"),
                    {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                     QStringLiteral("v"), QStringLiteral("-show_entries"), QStringLiteral("stream=height"),
                     QStringLiteral("-of"), QStringLiteral("csv=p=0"),
                     done.info->location.value_or(QUrl()).toLocalFile()});
        QVERIFY(probe.waitForFinished(30000));
        QCOMPARE(probe.readAllStandardOutput().trimmed(), QByteArray("480"));
        const auto stored = m_store->qorvConfig(done.qorvConfigId.value_or(0));
        QCOMPARE(Engine::DownloadChoice::cappedHeight(stored.value().config.enabledItems()), 240);
    }

    // A retry that fails as well ends the run with the tool's error: there is one retry only.
    void retriesOnce()
    {
        Engine::DownloadChoice choice;
        choice.maxHeight = 720;
        QSignalSpy finished(m_model.get(), &MainModel::runFinished);
        const qint64 id = m_model
                              ->add({address(QStringLiteral("noformat-one"))},
                                    Engine::QorvConfig(QStringLiteral("t"), choice.configItems()))
                              .value(0);
        QVERIFY(finished.wait(20000));
        QCOMPARE(startsOf(QStringLiteral("noformat-one")), 2);
        const ShakeItem done = item(id);
        QVERIFY(done.errorMessage().contains(QStringLiteral("Requested format is not available")));
        QVERIFY(!done.info->unavailableHeight);
    }

    // A finished download is announced; a failed one is not.
    void completionIsNotified()
    {
        TestSupport::PrivateBus bus;
        TestSupport::RecordingNotificationServer server;
        QDBusConnection serverBus = bus.connect(QStringLiteral("tst_mainmodel-server"));
        QVERIFY(serverBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(serverBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
        Notifier notifier(bus.connect(QStringLiteral("tst_mainmodel-client")));
        m_model = std::make_unique<MainModel>(*m_store, *m_prefs, &Capture::Chrono::shared(), &notifier);
        m_model->setClock([this] { return m_now; });

        QSignalSpy finished(m_model.get(), &MainModel::runFinished);
        addOne(QStringLiteral("fail-notify"));
        QVERIFY(finished.wait(20000));
        addOne(QStringLiteral("ok-notify"));
        QVERIFY(finished.wait(20000));
        // A notice for the failure, posted first, would have come first.
        QTRY_COMPARE_WITH_TIMEOUT(server.calls.size(), 1, 10000);
        QCOMPARE(server.calls.first().summary, QStringLiteral("✅ Downloaded"));
        QVERIFY(server.calls.first().body.contains(QStringLiteral("http://127.0.0.1:9/ok-notify")));
        m_model.reset();
    }

    void scheduledItemStartsWhenDue()
    {
        ShakeItem left = ShakeItem::create(address(QStringLiteral("ok-left")));
        left.config->running = true;
        ShakeItem waiting = ShakeItem::create(address(QStringLiteral("ok-waiting")));
        waiting.scheduledDate = m_now.addSecs(3600);
        const auto ids = m_store->insertItems({left, waiting});
        QVERIFY(ids);
        // The scheduler belongs to the model: no window is needed for it to run.
        m_model->startDue();
        QVERIFY(!item(ids->at(1)).isRunning());
        // A run flag left by a previous session is cleared at start-up.
        m_model->startUp();
        QVERIFY(!item(ids->at(0)).isRunning());
        m_now = *waiting.scheduledDate;
        QTRY_COMPARE_WITH_TIMEOUT(startsOf(QStringLiteral("ok-waiting")), 1, 10000);
    }

    void deleteAndQuitEndTheRuns()
    {
        const qint64 deleted = addOne(QStringLiteral("hang-delete"));
        const qint64 kept = addOne(QStringLiteral("hang-quit"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(state(QStringLiteral("hang-delete.child.pid"))) &&
                                     QFile::exists(state(QStringLiteral("hang-quit.child.pid"))),
                                 20000);
        m_model->remove({deleted});
        QTRY_VERIFY_WITH_TIMEOUT(!m_model->isActive(deleted), 20000);
        // The end of the run does not bring the item back.
        QVERIFY(!m_store->item(deleted));

        bool done = false;
        m_model->shutdown(5000, [&] { done = true; });
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
        QVERIFY(!item(kept).isRunning());
        QCOMPARE(m_model->activeCount(), 0);
    }

    // One process per item: a start while it runs is ignored; a start after a stop waits for the
    // old run to end, whose late end must not overwrite the new run.
    void startWhileRunningAndAfterAStop()
    {
        const qint64 id = addOne(QStringLiteral("slowexit-one"));
        QTRY_COMPARE_WITH_TIMEOUT(startsOf(QStringLiteral("slowexit-one")), 1, 20000);
        m_model->start({id});
        // Runs are launched in the order asked for: once one asked for later has ended, a second
        // process of the first item would have started.
        QSignalSpy finished(m_model.get(), &MainModel::runFinished);
        const qint64 later = addOne(QStringLiteral("ok-after"));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toLongLong(), later);
        QCOMPARE(startsOf(QStringLiteral("slowexit-one")), 1);

        m_model->stop({id});
        m_model->start({id});
        QTRY_COMPARE_WITH_TIMEOUT(startsOf(QStringLiteral("slowexit-one")), 2, 20000);
        QVERIFY(item(id).isRunning());
        m_model->stop({id});
        QVERIFY(!item(id).isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!m_model->isActive(id), 20000);
        QVERIFY(!item(id).info->error); // a stop the user asked for is not an error
    }

    void adding()
    {
        QSignalSpy alerts(m_model.get(), &MainModel::alertRaised);
        QVERIFY(!m_model->addFromClipboardText(QStringLiteral("javascript:alert(1)")));
        QCOMPARE(alerts.size(), 1);
        QVERIFY(m_model->addFromClipboardText(QStringLiteral("  http://127.0.0.1:9/ok-clip\n")));
        QCOMPARE(m_store->count(ItemQuery()), 1);
        QCOMPARE(alerts.size(), 1);

        // Addresses added together share one option set.
        const QList<qint64> ids =
            m_model->add({address(QStringLiteral("ok-a")), address(QStringLiteral("ok-b"))});
        QCOMPARE(ids.size(), 2);
        QVERIFY(item(ids.at(0)).qorvConfigId);
        QCOMPARE(item(ids.at(0)).qorvConfigId, item(ids.at(1)).qorvConfigId);
        QTRY_COMPARE_WITH_TIMEOUT(m_model->activeCount(), 0, 20000);

        // Without a default preset the resolution setting applies; a preset chosen as the
        // default is kept across restarts and used by quick adds from then on.
        m_prefs->setValue(Library::Keys::defaultResolution,
                          std::optional(Engine::QorvVideoResolution(Engine::QorvVideoResolution::res720)));
        QCOMPARE(PresetList(*m_prefs).startingChoice().maxHeight, 720);
        Engine::DownloadChoice audio;
        audio.audioOnly = true;
        QVERIFY(PresetList(*m_prefs).save({QStringLiteral(" Audio MP3 "), audio}));
        QVERIFY(!PresetList(*m_prefs).setDefault(QStringLiteral("Missing")));
        QVERIFY(PresetList(*m_prefs).setDefault(QStringLiteral("Audio MP3")));
        m_prefs = std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("prefs.conf")));
        m_model = std::make_unique<MainModel>(*m_store, *m_prefs, &Capture::Chrono::shared(), nullptr);
        QCOMPARE(PresetList(*m_prefs).startingChoice(), audio);
        const qint64 added = m_model->add({address(QStringLiteral("ok-audio"))}).value(0);
        const auto stored = m_store->qorvConfig(item(added).qorvConfigId.value_or(0));
        QVERIFY(stored);
        QCOMPARE(stored->config.name(), QStringLiteral("Audio MP3"));
        QVERIFY2(stored->config.arguments()
                     .join(QLatin1Char(' '))
                     .contains(QStringLiteral("-x --audio-format mp3")),
                 qPrintable(stored->config.arguments().join(QLatin1Char(' '))));
        PresetList(*m_prefs).remove(QStringLiteral("Audio MP3"));
        QVERIFY(!PresetList(*m_prefs).defaultPreset());
        QTRY_COMPARE_WITH_TIMEOUT(m_model->activeCount(), 0, 20000);
    }
};

QTEST_GUILESS_MAIN(TestMainModel)
#include "tst_mainmodel.moc"
