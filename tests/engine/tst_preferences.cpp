#include "engine/preferences.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Engine;

namespace {
enum class Shade
{
    plain,
    dark
};
} // namespace

// A layer's own enum, stored as its integer raw value the way the layers above store theirs.
template <> struct Engine::PreferenceCodec<Shade>
{
    static QVariant encode(Shade v) { return static_cast<int>(v); }
    static std::optional<Shade> decode(const QVariant& v)
    {
        const std::optional<int> raw = PreferenceCodec<int>::decode(v);
        if (!raw || *raw < 0 || *raw > 1)
            return std::nullopt;
        return static_cast<Shade>(*raw);
    }
};

namespace TestKeys {
const PreferenceKey<Shade> shade{QStringLiteral("shade"), [] { return Shade::plain; }};
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
    int m_files = 0;

    QString freshPath() { return m_dir.filePath(QStringLiteral("p%1.conf").arg(++m_files)); }

    static void verifyDefaults(const Preferences& prefs)
    {
        QCOMPARE(prefs.value(TestKeys::shade), Shade::plain);
        QCOMPARE(prefs.value(TestKeys::flag), false);
        QCOMPARE(prefs.value(TestKeys::delay), std::nullopt);
        QCOMPARE(prefs.value(TestKeys::folder), QUrl::fromLocalFile(QStringLiteral("/default")));
        QCOMPARE(prefs.value(TestKeys::resolution), std::nullopt);
    }

private Q_SLOTS:
    void valuesSurviveAReopen()
    {
        const QString path = freshPath();
        {
            Preferences prefs(path);
            prefs.setValue(TestKeys::shade, Shade::dark);
            prefs.setValue(TestKeys::flag, true);
            prefs.setValue(TestKeys::bin, std::optional<QString>(QStringLiteral("/opt/my tools/yt-dlp")));
            prefs.setValue(TestKeys::folder, QUrl::fromLocalFile(QStringLiteral("/tmp/it's mine")));
            prefs.setValue(TestKeys::resolution,
                           std::optional<QorvVideoResolution>(QorvVideoResolution::res4k));
            prefs.setValue(TestKeys::delay, std::optional<int>(0));
        }
        Preferences prefs(path);
        QCOMPARE(prefs.value(TestKeys::shade), Shade::dark);
        QCOMPARE(prefs.value(TestKeys::flag), true);
        QCOMPARE(prefs.value(TestKeys::bin), QStringLiteral("/opt/my tools/yt-dlp"));
        QCOMPARE(prefs.value(TestKeys::folder).toLocalFile(), QStringLiteral("/tmp/it's mine"));
        QCOMPARE(prefs.value(TestKeys::resolution), QorvVideoResolution(QorvVideoResolution::res4k));
        // A stored 0 is a value, not "absent".
        QCOMPARE(prefs.value(TestKeys::delay), std::optional<int>(0));
        const QSettings raw(path, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("resolution")).toString(), QStringLiteral("2160"));
        QCOMPARE(raw.value(QStringLiteral("shade")).toString(), QStringLiteral("1"));
    }

    void absentOptionalIsRemovedNotZero()
    {
        const QString path = freshPath();
        Preferences prefs(path);
        prefs.setValue(TestKeys::delay, std::optional<int>(3));
        prefs.setValue(TestKeys::delay, std::optional<int>());
        QCOMPARE(prefs.value(TestKeys::delay), std::nullopt);
        QVERIFY(!QSettings(path, QSettings::IniFormat).contains(QStringLiteral("delay")));

        prefs.setValue(TestKeys::bin, std::optional<QString>(QString()));
        QCOMPARE(prefs.value(TestKeys::bin), std::optional<QString>(QString()));
    }

    void unreadableStoredValuesReadAsDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::newRow("resolution 4k") << QStringLiteral("resolution") << QStringLiteral("4k");
        QTest::newRow("delay text") << QStringLiteral("delay") << QStringLiteral("soon");
        QTest::newRow("flag text") << QStringLiteral("flag") << QStringLiteral("maybe");
        QTest::newRow("folder not a file url")
            << QStringLiteral("folder") << QStringLiteral("https://a.org/x");
        QTest::newRow("enum out of range") << QStringLiteral("shade") << QStringLiteral("2");
    }

    void unreadableStoredValuesReadAsDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        const QString path = freshPath();
        QSettings(path, QSettings::IniFormat).setValue(key, stored);
        verifyDefaults(Preferences(path));
    }

    // Current value at once, then each change of this key only, while the context lives.
    void subscriberGetsCurrentValueThenEveryChange()
    {
        Preferences prefs(freshPath());
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
