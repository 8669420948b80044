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

using Library::MainModel;
using Library::ShakeItem;
using Library::Store;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    std::unique_ptr<TestSupport::LocalHttpServer> m_server;
    std::unique_ptr<Engine::Preferences> m_preferences;
    QStringList m_mounted;
    bool m_canMount = false;

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    bool mountTmpfs(const QString& path, const QByteArray& options, unsigned long flags = 0)
    {
        if (!QDir().mkpath(path) ||
            ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", flags, options.constData()) != 0)
            return false;
        m_mounted.prepend(path);
        return true;
    }

    void useTool(const QString& program)
    {
        m_preferences->setValue(Engine::Keys::downloaderBin, std::optional<QString>(program));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_canMount = mountTmpfs(path(QStringLiteral("probe")), "size=16k");
        const QString clip = TestSupport::TestMedia::clip(2);
        QVERIFY(!clip.isEmpty());
        QVERIFY(QDir().mkpath(path(QStringLiteral("served"))));
        QVERIFY(QFile::copy(clip, path(QStringLiteral("served/clip.mp4"))));
        m_server = std::make_unique<TestSupport::LocalHttpServer>(path(QStringLiteral("served")));
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
        m_preferences = std::make_unique<Engine::Preferences>(path(QStringLiteral("prefs.conf")));
    }

    void cleanupTestCase()
    {
        // Lets the temporary folder go.
        for (const QString& path : std::as_const(m_mounted))
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }

    // One download into a folder that is read-only, deleted or on a full disk, or with a tool
    // that is no program: the run ends with the words for what is wrong, or the file lands where
    // the user asked (the tool makes a missing folder again).
    void download_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("words"); // in the error; empty: completed
        QTest::newRow("read-only folder")
            << QStringLiteral("read-only") << QStringLiteral("Read-only file system");
        QTest::newRow("deleted folder") << QStringLiteral("deleted") << QString();
        QTest::newRow("full disk") << QStringLiteral("full") << QStringLiteral("No space left on device");
        QTest::newRow("tool not a program") << QStringLiteral("tool") << path(QStringLiteral("yt-dlp"));
    }

    void download()
    {
        QFETCH(QString, kind);
        QFETCH(QString, words);
        const QString folder = path(kind + QStringLiteral("/sub"));
        useTool(QStringLiteral("/usr/bin/yt-dlp"));
        if (kind == QLatin1String("read-only") || kind == QLatin1String("full")) {
            if (!m_canMount)
                QSKIP("needs a mount namespace");
            QVERIFY(mountTmpfs(folder, "size=16k", kind == QLatin1String("read-only") ? MS_RDONLY : 0));
        }
        if (kind == QLatin1String("deleted")) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QDir(path(kind)).removeRecursively());
        }
        if (kind == QLatin1String("tool")) {
            QFile file(words);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\necho should not run > ran\n");
            file.close();
            useTool(words);
        }
        Store store;
        QVERIFY(store.open(path(kind + QStringLiteral(".store"))));
        MainModel model(store, *m_preferences, nullptr, nullptr);
        QSignalSpy finished(&model, &MainModel::runFinished);
        Engine::QorvConfig config;
        config.setItem(Engine::QorvConfigItem::saveTo(QUrl::fromLocalFile(folder)), true);
        const QList<qint64> ids = model.add({QUrl(m_server->url(QStringLiteral("clip.mp4")))}, config);
        QCOMPARE(ids.size(), 1);
        QVERIFY(finished.wait(60000));
        const ShakeItem item = *store.item(ids.first());
        QVERIFY(!item.isRunning());
        if (words.isEmpty()) {
            QVERIFY2(item.isCompleted(), qPrintable(item.errorMessage()));
            QVERIFY(item.info && item.info->location);
            QCOMPARE(QFileInfo(item.info->location->toLocalFile()).absolutePath(), folder);
            QCOMPARE(contents(item.info->location->toLocalFile()),
                     contents(path(QStringLiteral("served/clip.mp4"))));
        } else {
            QVERIFY(!item.isCompleted());
            QVERIFY2(item.errorMessage().contains(words), qPrintable(item.errorMessage()));
        }
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/ran")));
    }

    // A store whose disk fills up under it: writes fail with one alert, and what was stored before
    // is all there once there is room again. Once its folder turns read-only, the store is refused
    // with words for the user (the program would lose every change) and left as it was.
    void storeDiskFullThenReadOnly()
    {
        if (!m_canMount)
            QSKIP("needs a mount namespace");
        const QString folder = path(QStringLiteral("store-full"));
        QVERIFY(mountTmpfs(folder, "size=8m"));
        const QString file = folder + QStringLiteral("/db.store");
        useTool(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-says"));
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
        {
            Store reopened;
            QVERIFY2(reopened.open(file), qPrintable(reopened.errorMessage()));
            QCOMPARE(TestSupport::SqlFile(file).damage(), QStringList{});
            QCOMPARE(reopened.count({}), kept.size());
            for (const qint64 id : std::as_const(kept))
                QVERIFY(reopened.item(id).has_value());
        }

        const QByteArray before = contents(file);
        QVERIFY(remountReadOnly(folder));
        Store store;
        QVERIFY(!store.open(file));
        QVERIFY2(store.errorMessage().contains(QLatin1String("cannot be written")),
                 qPrintable(store.errorMessage()));
        QCOMPARE(contents(file), before);
    }
};

QTEST_GUILESS_MAIN(TestBadEnvironment)
#include "tst_badenvironment.moc"
