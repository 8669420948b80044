// Downloads and the store in a broken environment: a folder that is read-only or gone, a full
// disk, a tool path that is not a program. Each must end with a message that says what is
// wrong, and nothing stored may be lost. Run in a user and mount namespace of its own where the
// system allows it, the test mounts small and read-only file systems itself.
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/mainmodel.h"
#include "library/shakeitem.h"
#include "library/store.h"
#include "support/localhttpserver.h"
#include "support/sqlfile.h"
#include "support/testmedia.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <unistd.h>

using Library::MainModel;
using Library::ShakeItem;
using Library::Store;
using TestSupport::LocalHttpServer;

namespace {

QStringList& mounted()
{
    static QStringList paths;
    return paths;
}

bool mountTmpfs(const QString& path, const QByteArray& options)
{
    if (!QDir().mkpath(path) ||
        ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) != 0)
        return false;
    mounted().prepend(path);
    return true;
}

bool remountReadOnly(const QString& path)
{
    return ::mount(nullptr, QFile::encodeName(path).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) ==
           0;
}

} // namespace

class TestBadEnvironment : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<LocalHttpServer> m_server;
    std::unique_ptr<Engine::Preferences> m_preferences;
    bool m_canMount = false;

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // A folder no write reaches: a read-only mount, or without mounts, one we may not write.
    bool makeReadOnlyFolder(const QString& folder)
    {
        if (m_canMount)
            return mountTmpfs(folder, "size=64k") && remountReadOnly(folder);
        if (::geteuid() == 0)
            return false; // permissions do not stop root
        return QDir().mkpath(folder) &&
               QFile(folder).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }

    // Runs one download of the served clip into `folder` with the model's tool and returns the
    // stored item once its run has ended.
    ShakeItem download(Store& store, const QString& folder)
    {
        MainModel model(store, *m_preferences, nullptr, nullptr);
        QSignalSpy finished(&model, &MainModel::runFinished);
        Engine::QorvConfig config;
        config.setItem(Engine::QorvConfigItem::saveTo(QUrl::fromLocalFile(folder)), true);
        const QList<qint64> ids = model.add({QUrl(m_server->url(QStringLiteral("clip.mp4")))}, config);
        if (ids.size() != 1 || !finished.wait(60000))
            return {};
        return store.item(ids.first()).value_or(ShakeItem());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_canMount = mountTmpfs(path(QStringLiteral("probe")), "size=16k");
        if (!m_canMount)
            qInfo("no mount namespace here: read-only folders %s, a full disk is played by a stand-in",
                  ::geteuid() == 0 ? "are skipped" : "are made with permissions");
        const QString clip = TestSupport::TestMedia::clip(2);
        QVERIFY(!clip.isEmpty());
        QVERIFY(QDir().mkpath(path(QStringLiteral("served"))));
        QVERIFY(QFile::copy(clip, path(QStringLiteral("served/clip.mp4"))));
        m_server = std::make_unique<LocalHttpServer>(path(QStringLiteral("served")));
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
        m_preferences = std::make_unique<Engine::Preferences>(path(QStringLiteral("prefs.conf")));
    }

    void cleanupTestCase()
    {
        // Lets the temporary folder go.
        for (const QString& path : std::as_const(mounted()))
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }

    void init()
    {
        m_preferences->setValue(Engine::Keys::downloaderBin,
                                std::optional<QString>(QStringLiteral("/usr/bin/yt-dlp")));
    }

    // One download into a folder that is read-only, deleted or on a full disk, or with a tool
    // that is no program: the run ends with the words for what is wrong, or the file lands where
    // the user asked (the tool makes a missing folder again).
    void download_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("words"); // one of them in the error; none: completed
        QTest::newRow("read-only folder")
            << QStringLiteral("read-only")
            << QStringList{QStringLiteral("Read-only file system"), QStringLiteral("Permission denied")};
        QTest::newRow("deleted folder") << QStringLiteral("deleted") << QStringList{};
        QTest::newRow("full disk") << QStringLiteral("full")
                                   << QStringList{QStringLiteral("No space left on device")};
        QTest::newRow("tool not a program")
            << QStringLiteral("tool") << QStringList{path(QStringLiteral("yt-dlp"))};
    }

    void download()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, words);
        const QString folder = path(kind + QStringLiteral("/sub"));
        if (kind == QLatin1String("read-only") && !makeReadOnlyFolder(folder))
            QSKIP("no way to make a folder read-only for this user here");
        if (kind == QLatin1String("deleted")) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QDir(path(kind)).removeRecursively());
        }
        if (kind == QLatin1String("full") && (!m_canMount || !mountTmpfs(folder, "size=16k"))) {
            // The tool's own words for a failed write, from a stand-in.
            qputenv("FAKE_STDERR", "ERROR: unable to write data: [Errno 28] No space left on device");
            m_preferences->setValue(Engine::Keys::downloaderBin, std::optional<QString>(QStringLiteral(
                                                                     VELTQORV_TEST_FAKES "/yt-dlp-says")));
            QVERIFY(QDir().mkpath(folder));
        }
        if (kind == QLatin1String("tool")) {
            QFile file(words.first());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\necho should not run > ran\n");
            file.close();
            m_preferences->setValue(Engine::Keys::downloaderBin, std::optional<QString>(file.fileName()));
        }
        Store store;
        QVERIFY(store.open(path(kind + QStringLiteral(".store"))));
        const ShakeItem item = download(store, folder);
        QVERIFY(item.id > 0);
        QVERIFY(!item.isRunning());
        if (words.isEmpty()) {
            QVERIFY2(item.isCompleted(), qPrintable(item.errorMessage()));
            QVERIFY(item.info && item.info->location);
            QCOMPARE(QFileInfo(item.info->location->toLocalFile()).absolutePath(), folder);
            QCOMPARE(QFileInfo(item.info->location->toLocalFile()).size(),
                     QFileInfo(path(QStringLiteral("served/clip.mp4"))).size());
        } else {
            QVERIFY(!item.isCompleted());
            QVERIFY2(std::any_of(words.begin(), words.end(),
                                 [&](const QString& word) { return item.errorMessage().contains(word); }),
                     qPrintable(item.errorMessage()));
        }
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/ran")));
    }

    // A store whose disk fills up under it: writes fail with an alert, and what was stored before
    // is all there once there is room again.
    void storeDiskFull()
    {
        if (!m_canMount)
            QSKIP("needs a mount namespace");
        const QString folder = path(QStringLiteral("store-full"));
        QVERIFY(mountTmpfs(folder, "size=8m"));
        const QString file = folder + QStringLiteral("/db.store");
        m_preferences->setValue(Engine::Keys::downloaderBin,
                                std::optional<QString>(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-says")));
        qputenv("FAKE_EXIT", "0");
        QList<qint64> kept;
        {
            Store store;
            QVERIFY(store.open(file));
            MainModel model(store, *m_preferences, nullptr, nullptr);
            QSignalSpy alerts(&model, &MainModel::alertRaised);
            for (int i = 0; i < 20; ++i)
                kept += model.add({QUrl(QStringLiteral("https://example.com/kept-%1").arg(i))});
            QCOMPARE(kept.size(), 20);
            QTRY_COMPARE_WITH_TIMEOUT(model.activeCount(), 0, 30000);

            QFile filler(folder + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
            QCOMPARE(model.add({QUrl(QStringLiteral("https://example.com/lost"))}), QList<qint64>{});
            QCOMPARE(alerts.size(), 1);
            QVERIFY2(
                alerts.first().first().toString().startsWith(MainModel::storeFailureMessage({}).trimmed()),
                qPrintable(alerts.first().first().toString()));
            model.toggleStar(kept);
            // A second failure soon after says nothing new.
            QCOMPARE(alerts.size(), 1);

            filler.close();
            QVERIFY(filler.remove());
        }
        Store reopened;
        QVERIFY2(reopened.open(file), qPrintable(reopened.errorMessage()));
        QCOMPARE(TestSupport::SqlFile(file).damage(), QStringList{});
        QCOMPARE(reopened.count({}), kept.size());
        for (const qint64 id : std::as_const(kept))
            QVERIFY(reopened.item(id).has_value());
    }

    // A store in a folder that cannot be written is refused with words for the user (the program
    // would lose every change), and the file is left as it was.
    void storeOpenedReadOnly()
    {
        if (!m_canMount)
            QSKIP("needs a mount namespace");
        const QString folder = path(QStringLiteral("store-opened-ro"));
        QVERIFY(mountTmpfs(folder, "size=512k"));
        const QString file = folder + QStringLiteral("/db.store");
        {
            Store store;
            QVERIFY(store.open(file));
            QVERIFY(store.insertItems({ShakeItem::create(QUrl(QStringLiteral("https://example.com/a")))}));
        }
        const QByteArray before = [&] {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(remountReadOnly(folder));
        Store store;
        QVERIFY(!store.open(file));
        QVERIFY2(store.errorMessage().contains(QLatin1String("cannot be written")),
                 qPrintable(store.errorMessage()));
        QFile after(file);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
    }
};

QTEST_GUILESS_MAIN(TestBadEnvironment)
#include "tst_badenvironment.moc"
