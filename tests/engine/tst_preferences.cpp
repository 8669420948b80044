#include "engine/preferences.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Engine;

namespace TestKeys {
const PreferenceKey<bool> flag{QStringLiteral("flag"), [] { return false; }};
const PreferenceKey<std::optional<int>> delay{QStringLiteral("delay"), [] { return std::optional<int>(); }};
const PreferenceKey<std::optional<QString>> bin{QStringLiteral("bin"),
                                                [] { return std::optional<QString>(); }};
const PreferenceKey<QUrl> folder{QStringLiteral("folder"),
                                 [] { return QUrl::fromLocalFile(QStringLiteral("/default")); }};
const PreferenceKey<std::optional<QorvVideoResolution>> resolution{
    QStringLiteral("resolution"), [] { return std::optional<QorvVideoResolution>(); }};
} // namespace TestKeys

class TestPreferences : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private Q_SLOTS:
    void valuesSurviveAReopen()
    {
        const QString file = path("reopen.conf");
        {
            Preferences prefs(file);
            prefs.setValue(TestKeys::flag, true);
            prefs.setValue(TestKeys::folder, QUrl::fromLocalFile(QStringLiteral("/tmp/it's mine")));
            prefs.setValue(TestKeys::resolution,
                           std::optional<QorvVideoResolution>(QorvVideoResolution::res4k));
            prefs.setValue(TestKeys::delay, std::optional<int>(0));
        }
        Preferences prefs(file);
        QCOMPARE(prefs.value(TestKeys::flag), true);
        QCOMPARE(prefs.value(TestKeys::folder).toLocalFile(), QStringLiteral("/tmp/it's mine"));
        QCOMPARE(prefs.value(TestKeys::resolution), QorvVideoResolution(QorvVideoResolution::res4k));
        // A stored 0 is a value, not "absent".
        QCOMPARE(prefs.value(TestKeys::delay), std::optional<int>(0));
        QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("resolution")).toString(),
                 QStringLiteral("2160"));
    }

    void absentOptionalIsRemovedNotZero()
    {
        const QString file = path("absent.conf");
        Preferences prefs(file);
        prefs.setValue(TestKeys::delay, std::optional<int>(3));
        prefs.setValue(TestKeys::delay, std::optional<int>());
        QCOMPARE(prefs.value(TestKeys::delay), std::nullopt);
        QVERIFY(!QSettings(file, QSettings::IniFormat).contains(QStringLiteral("delay")));

        prefs.setValue(TestKeys::bin, std::optional<QString>(QString()));
        QCOMPARE(prefs.value(TestKeys::bin), std::optional<QString>(QString()));
    }

    void unreadableStoredValuesReadAsDefault()
    {
        const QString file = path("unreadable.conf");
        {
            QSettings raw(file, QSettings::IniFormat);
            raw.setValue(QStringLiteral("resolution"), QStringLiteral("4k"));
            raw.setValue(QStringLiteral("delay"), QStringLiteral("soon"));
            raw.setValue(QStringLiteral("flag"), QStringLiteral("maybe"));
            raw.setValue(QStringLiteral("folder"), QStringLiteral("https://a.org/x"));
        }
        const Preferences prefs(file);
        QCOMPARE(prefs.value(TestKeys::resolution), std::nullopt);
        QCOMPARE(prefs.value(TestKeys::delay), std::nullopt);
        QCOMPARE(prefs.value(TestKeys::flag), false);
        QCOMPARE(prefs.value(TestKeys::folder), QUrl::fromLocalFile(QStringLiteral("/default")));
    }

    // Current value at once, then each change of this key only, while the context lives.
    void subscriberGetsCurrentValueThenEveryChange()
    {
        Preferences prefs(path("subscribe.conf"));
        QList<std::optional<int>> delays;
        auto context = std::make_unique<QObject>();
        prefs.subscribe<std::optional<int>>(TestKeys::delay, context.get(),
                                            [&](const std::optional<int>& v) { delays << v; });
        prefs.setValue(TestKeys::delay, std::optional<int>(2));
        prefs.setValue(TestKeys::delay, std::optional<int>(2)); // no change, no news
        prefs.setValue(TestKeys::flag, true);
        prefs.setValue(TestKeys::delay, std::optional<int>());
        context.reset();
        prefs.setValue(TestKeys::delay, std::optional<int>(5));
        QCOMPARE(delays, (QList<std::optional<int>>{std::nullopt, 2, std::nullopt}));
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
