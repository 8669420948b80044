#include "app/appkeys.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"

#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Engine;
using App::AppAppearance;

class TestPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshInstallationReadsDefaults()
    {
        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        QCOMPARE(prefs.value(App::Keys::appAppearance), AppAppearance::system);
        QCOMPARE(prefs.value(Engine::Keys::downloaderBin), std::nullopt);
        QCOMPARE(prefs.value(Library::Keys::defaultOutputLocation),
                 QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)));
        QVERIFY(prefs.value(Library::Keys::defaultOutputLocation).isLocalFile());
        QCOMPARE(prefs.value(Library::Keys::defaultResolution), std::nullopt);
        QCOMPARE(prefs.value(Engine::Keys::downloadDelay), std::nullopt);
        QCOMPARE(prefs.value(App::Keys::dragShake), false);
        QCOMPARE(prefs.value(App::Keys::autoCheckForUpdates), false);
    }

    void appearanceRawValues_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<AppAppearance>("expected");
        QTest::newRow("0") << QStringLiteral("0") << AppAppearance::system;
        QTest::newRow("1") << QStringLiteral("1") << AppAppearance::light;
        QTest::newRow("2") << QStringLiteral("2") << AppAppearance::dark;
        QTest::newRow("3 reads as default") << QStringLiteral("3") << AppAppearance::system;
        QTest::newRow("large") << QStringLiteral("99") << AppAppearance::system;
        QTest::newRow("negative") << QStringLiteral("-1") << AppAppearance::system;
        QTest::newRow("not a number") << QStringLiteral("dark") << AppAppearance::system;
    }

    void appearanceRawValues()
    {
        QFETCH(QString, stored);
        QFETCH(AppAppearance, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.conf"));
        {
            QSettings raw(path, QSettings::IniFormat);
            raw.setValue(QStringLiteral("appAppearance"), stored);
        }
        Preferences prefs(path);
        QCOMPARE(prefs.value(App::Keys::appAppearance), expected);
    }

    void valuesSurviveAReopen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.conf"));
        {
            Preferences prefs(path);
            prefs.setValue(App::Keys::appAppearance, AppAppearance::dark);
            prefs.setValue(Engine::Keys::downloaderBin,
                           std::optional<QString>(QStringLiteral("/opt/my tools/yt-dlp")));
            prefs.setValue(Library::Keys::defaultOutputLocation,
                           QUrl::fromLocalFile(QStringLiteral("/tmp/it's mine")));
            prefs.setValue(Library::Keys::defaultResolution,
                           std::optional<QorvVideoResolution>(QorvVideoResolution::res4k));
            prefs.setValue(Engine::Keys::downloadDelay, std::optional<int>(0));
            prefs.setValue(App::Keys::dragShake, true);
        }
        Preferences prefs(path);
        QCOMPARE(prefs.value(App::Keys::appAppearance), AppAppearance::dark);
        QCOMPARE(prefs.value(Engine::Keys::downloaderBin), QStringLiteral("/opt/my tools/yt-dlp"));
        QCOMPARE(prefs.value(Library::Keys::defaultOutputLocation).toLocalFile(),
                 QStringLiteral("/tmp/it's mine"));
        QCOMPARE(prefs.value(Library::Keys::defaultResolution),
                 QorvVideoResolution(QorvVideoResolution::res4k));
        // A stored 0 is a value, not "absent".
        QCOMPARE(prefs.value(Engine::Keys::downloadDelay), std::optional<int>(0));
        QCOMPARE(prefs.value(App::Keys::dragShake), true);
        QCOMPARE(QSettings(path, QSettings::IniFormat).value(QStringLiteral("defaultResolution")).toString(),
                 QStringLiteral("2160"));
    }

    void absentOptionalIsRemovedNotZero()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.conf"));
        Preferences prefs(path);
        prefs.setValue(Engine::Keys::downloadDelay, std::optional<int>(3));
        prefs.setValue(Engine::Keys::downloadDelay, std::optional<int>());
        QCOMPARE(prefs.value(Engine::Keys::downloadDelay), std::nullopt);
        QVERIFY(!QSettings(path, QSettings::IniFormat).contains(QStringLiteral("downloadDelay")));

        prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>(QString()));
        QCOMPARE(prefs.value(Engine::Keys::downloaderBin), std::optional<QString>(QString()));
        prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>());
        QCOMPARE(prefs.value(Engine::Keys::downloaderBin), std::nullopt);
    }

    void unreadableStoredValuesReadAsDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::newRow("resolution 4k") << QStringLiteral("defaultResolution") << QStringLiteral("4k");
        QTest::newRow("resolution 2160p") << QStringLiteral("defaultResolution") << QStringLiteral("2160p");
        QTest::newRow("delay text") << QStringLiteral("downloadDelay") << QStringLiteral("soon");
        QTest::newRow("flag text") << QStringLiteral("dragShake") << QStringLiteral("maybe");
        QTest::newRow("folder not a file url")
            << QStringLiteral("defaultOutputLocation") << QStringLiteral("https://example.org/x");
    }

    void unreadableStoredValuesReadAsDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.conf"));
        QSettings(path, QSettings::IniFormat).setValue(key, stored);
        Preferences prefs(path);
        QCOMPARE(prefs.value(Library::Keys::defaultResolution), std::nullopt);
        QCOMPARE(prefs.value(Engine::Keys::downloadDelay), std::nullopt);
        QCOMPARE(prefs.value(App::Keys::dragShake), false);
        QVERIFY(prefs.value(Library::Keys::defaultOutputLocation).isLocalFile());
    }

    void subscriberGetsCurrentValueThenEveryChange()
    {
        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        QObject context;
        QList<bool> seen;
        QList<std::optional<int>> delays;
        prefs.subscribe<bool>(App::Keys::dragShake, &context, [&](const bool& v) { seen << v; });
        prefs.subscribe<std::optional<int>>(Engine::Keys::downloadDelay, &context,
                                            [&](const std::optional<int>& v) { delays << v; });
        QCOMPARE(seen, QList<bool>{false});

        prefs.setValue(App::Keys::dragShake, true);
        prefs.setValue(App::Keys::dragShake, true); // no change, no news
        prefs.setValue(App::Keys::appAppearance, AppAppearance::dark);
        prefs.setValue(App::Keys::dragShake, false);
        QCOMPARE(seen, (QList<bool>{false, true, false}));

        prefs.setValue(Engine::Keys::downloadDelay, std::optional<int>(2));
        prefs.setValue(Engine::Keys::downloadDelay, std::optional<int>());
        QCOMPARE(delays, (QList<std::optional<int>>{std::nullopt, 2, std::nullopt}));
    }

    void subscriptionEndsWithItsContext()
    {
        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        int calls = 0;
        {
            QObject context;
            prefs.subscribe<bool>(App::Keys::dragShake, &context, [&](const bool&) { ++calls; });
        }
        prefs.setValue(App::Keys::dragShake, true);
        QCOMPARE(calls, 1);
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
