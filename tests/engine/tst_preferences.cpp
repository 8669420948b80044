#include "engine/preferencekeys.h"
#include "engine/preferences.h"

#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Engine;

class TestPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshInstallationReadsDefaults()
    {
        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        QCOMPARE(prefs.value(PreferenceKeys::appAppearance), AppAppearance::system);
        QCOMPARE(prefs.value(PreferenceKeys::downloaderBin), std::nullopt);
        QCOMPARE(prefs.value(PreferenceKeys::defaultOutputLocation),
                 QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)));
        QVERIFY(prefs.value(PreferenceKeys::defaultOutputLocation).isLocalFile());
        QCOMPARE(prefs.value(PreferenceKeys::defaultResolution), std::nullopt);
        QCOMPARE(prefs.value(PreferenceKeys::downloadDelay), std::nullopt);
        QCOMPARE(prefs.value(PreferenceKeys::dragShake), false);
        QCOMPARE(prefs.value(PreferenceKeys::autoCheckForUpdates), false);
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
        QCOMPARE(prefs.value(PreferenceKeys::appAppearance), expected);
    }

    void valuesSurviveAReopen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.conf"));
        {
            Preferences prefs(path);
            prefs.setValue(PreferenceKeys::appAppearance, AppAppearance::dark);
            prefs.setValue(PreferenceKeys::downloaderBin,
                           std::optional<QString>(QStringLiteral("/opt/my tools/yt-dlp")));
            prefs.setValue(PreferenceKeys::defaultOutputLocation,
                           QUrl::fromLocalFile(QStringLiteral("/tmp/it's mine")));
            prefs.setValue(PreferenceKeys::defaultResolution,
                           std::optional<QorvVideoResolution>(QorvVideoResolution::res4k));
            prefs.setValue(PreferenceKeys::downloadDelay, std::optional<int>(0));
            prefs.setValue(PreferenceKeys::dragShake, true);
        }
        Preferences prefs(path);
        QCOMPARE(prefs.value(PreferenceKeys::appAppearance), AppAppearance::dark);
        QCOMPARE(prefs.value(PreferenceKeys::downloaderBin), QStringLiteral("/opt/my tools/yt-dlp"));
        QCOMPARE(prefs.value(PreferenceKeys::defaultOutputLocation).toLocalFile(),
                 QStringLiteral("/tmp/it's mine"));
        QCOMPARE(prefs.value(PreferenceKeys::defaultResolution),
                 QorvVideoResolution(QorvVideoResolution::res4k));
        // A stored 0 is a value, not "absent".
        QCOMPARE(prefs.value(PreferenceKeys::downloadDelay), std::optional<int>(0));
        QCOMPARE(prefs.value(PreferenceKeys::dragShake), true);
        QCOMPARE(QSettings(path, QSettings::IniFormat).value(QStringLiteral("defaultResolution")).toString(),
                 QStringLiteral("2160"));
    }

    void absentOptionalIsRemovedNotZero()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.conf"));
        Preferences prefs(path);
        prefs.setValue(PreferenceKeys::downloadDelay, std::optional<int>(3));
        prefs.setValue(PreferenceKeys::downloadDelay, std::optional<int>());
        QCOMPARE(prefs.value(PreferenceKeys::downloadDelay), std::nullopt);
        QVERIFY(!QSettings(path, QSettings::IniFormat).contains(QStringLiteral("downloadDelay")));

        prefs.setValue(PreferenceKeys::downloaderBin, std::optional<QString>(QString()));
        QCOMPARE(prefs.value(PreferenceKeys::downloaderBin), std::optional<QString>(QString()));
        prefs.setValue(PreferenceKeys::downloaderBin, std::optional<QString>());
        QCOMPARE(prefs.value(PreferenceKeys::downloaderBin), std::nullopt);
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
        QCOMPARE(prefs.value(PreferenceKeys::defaultResolution), std::nullopt);
        QCOMPARE(prefs.value(PreferenceKeys::downloadDelay), std::nullopt);
        QCOMPARE(prefs.value(PreferenceKeys::dragShake), false);
        QVERIFY(prefs.value(PreferenceKeys::defaultOutputLocation).isLocalFile());
    }

    void subscriberGetsCurrentValueThenEveryChange()
    {
        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        QObject context;
        QList<bool> seen;
        QList<std::optional<int>> delays;
        prefs.subscribe<bool>(PreferenceKeys::dragShake, &context, [&](const bool& v) { seen << v; });
        prefs.subscribe<std::optional<int>>(PreferenceKeys::downloadDelay, &context,
                                            [&](const std::optional<int>& v) { delays << v; });
        QCOMPARE(seen, QList<bool>{false});

        prefs.setValue(PreferenceKeys::dragShake, true);
        prefs.setValue(PreferenceKeys::dragShake, true); // no change, no news
        prefs.setValue(PreferenceKeys::appAppearance, AppAppearance::dark);
        prefs.setValue(PreferenceKeys::dragShake, false);
        QCOMPARE(seen, (QList<bool>{false, true, false}));

        prefs.setValue(PreferenceKeys::downloadDelay, std::optional<int>(2));
        prefs.setValue(PreferenceKeys::downloadDelay, std::optional<int>());
        QCOMPARE(delays, (QList<std::optional<int>>{std::nullopt, 2, std::nullopt}));
    }

    void subscriptionEndsWithItsContext()
    {
        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        int calls = 0;
        {
            QObject context;
            prefs.subscribe<bool>(PreferenceKeys::dragShake, &context, [&](const bool&) { ++calls; });
        }
        prefs.setValue(PreferenceKeys::dragShake, true);
        QCOMPARE(calls, 1);
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
