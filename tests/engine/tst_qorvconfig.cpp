#include "engine/qorvconfig.h"
#include "engine/qorvconfigitem.h"
#include "engine/qorvvideoresolution.h"

#include <QSet>
#include <QTest>

using namespace Engine;

class TestQorvConfig : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void argsOfSingleOptions_data()
    {
        QTest::addColumn<QorvConfigItem>("item");
        QTest::addColumn<QString>("args");
        QTest::newRow("raw without value")
            << QorvConfigItem::raw(QStringLiteral("--no-mtime")) << QStringLiteral("--no-mtime");
        QTest::newRow("raw with value")
            << QorvConfigItem::raw(QStringLiteral("--limit-rate"), QStringLiteral("1M"))
            << QStringLiteral("--limit-rate '1M'");
        QTest::newRow("raw with empty value")
            << QorvConfigItem::raw(QStringLiteral("-x"), QString()) << QStringLiteral("-x ''");
        QTest::newRow("raw key that is shell code")
            << QorvConfigItem::raw(QStringLiteral("--x $(touch y)")) << QStringLiteral("'--x $(touch y)'");
        QTest::newRow("raw empty key") << QorvConfigItem::raw(QString()) << QStringLiteral("''");
        QTest::newRow("format") << QorvConfigItem::format(QStringLiteral("bv*+ba/b"))
                                << QStringLiteral("-f 'bv*+ba/b'");
        QTest::newRow("formatSort") << QorvConfigItem::formatSort(QStringLiteral("res:720"))
                                    << QStringLiteral("-S 'res:720'");
        QTest::newRow("cookies") << QorvConfigItem::cookiesFromBrowser(QStringLiteral("firefox"))
                                 << QStringLiteral("--cookies-from-browser 'firefox'");
        QTest::newRow("liveFromStart")
            << QorvConfigItem::liveFromStart() << QStringLiteral("--live-from-start");
        QTest::newRow("skipUnavailable")
            << QorvConfigItem::skipUnavailableFragments() << QStringLiteral("--skip-unavailable-fragments");
        QTest::newRow("merge") << QorvConfigItem::mergeOutputFormat(QStringLiteral("mkv"))
                               << QStringLiteral("--merge-output-format 'mkv'");
        QTest::newRow("template") << QorvConfigItem::outputTemplate(QStringLiteral("%(title)s.%(ext)s"))
                                  << QStringLiteral("-o '%(title)s.%(ext)s'");
        QTest::newRow("ignoreConfig") << QorvConfigItem::ignoreConfig() << QStringLiteral("--ignore-config");
        QTest::newRow("saveTo with spaces, not percent-encoded")
            << QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/Users/a/My Videos")))
            << QStringLiteral("-P '/Users/a/My Videos'");
        QTest::newRow("saveTo with a quote stays one word")
            << QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/home/a/it's here")))
            << QStringLiteral("-P '/home/a/it'\\''s here'");
        QTest::newRow("value with quote and substitution")
            << QorvConfigItem::outputTemplate(QStringLiteral("x'; $(touch y) `z`"))
            << QStringLiteral("-o 'x'\\''; $(touch y) `z`'");
    }

    void argsOfSingleOptions()
    {
        QFETCH(QorvConfigItem, item);
        QFETCH(QString, args);
        QCOMPARE(QorvConfig(QStringLiteral("t"), {item}).args(), args);
    }

    void switchedOffOptionsAreLeftOut()
    {
        QCOMPARE(QorvConfig().args(), QString());
        QorvConfig config(QStringLiteral("t"),
                          {QorvConfigItem::liveFromStart(), QorvConfigItem::ignoreConfig()});
        config.setItem(QorvConfigItem::liveFromStart(), false);
        config.setItem(QorvConfigItem::ignoreConfig(), false);
        QCOMPARE(config.args(), QString());

        config.setItem(QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/Users/a/Downloads"))),
                       true);
        config.setItem(QorvConfigItem::format(QStringLiteral("bv*+ba/b")), true);
        QCOMPARE(config.args(), QStringLiteral("-P '/Users/a/Downloads' -f 'bv*+ba/b'"));
        QCOMPARE(config.itemDic().size(), 4);
    }

    void optionsDifferByWholePayload()
    {
        QorvConfig config(QStringLiteral("t"), {QorvConfigItem::format(QStringLiteral("a")),
                                                QorvConfigItem::format(QStringLiteral("b"))});
        QCOMPARE(config.args(), QStringLiteral("-f 'a' -f 'b'"));

        const QorvConfigItem absent = QorvConfigItem::raw(QStringLiteral("-k"));
        const QorvConfigItem empty = QorvConfigItem::raw(QStringLiteral("-k"), QString());
        QVERIFY(absent != empty);
        QVERIFY(QorvConfigItem::format(QStringLiteral("x")) !=
                QorvConfigItem::formatSort(QStringLiteral("x")));
        const QSet<QorvConfigItem> set{absent, empty, QorvConfigItem::raw(QStringLiteral("-k"))};
        QCOMPARE(set.size(), 2);
    }

    void resolutions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("args");
        QTest::newRow("best") << QStringLiteral("best") << QStringLiteral("Best")
                              << QStringLiteral("-f 'bv*+ba/b' -S 'res'");
        QTest::newRow("480") << QStringLiteral("480") << QStringLiteral("480p")
                             << QStringLiteral("-f 'bv*[height<=480]+ba/b[height<=480]' -S 'res:480'");
        QTest::newRow("720") << QStringLiteral("720") << QStringLiteral("720p")
                             << QStringLiteral("-f 'bv*[height<=720]+ba/b[height<=720]' -S 'res:720'");
        QTest::newRow("1080") << QStringLiteral("1080") << QStringLiteral("1080p")
                              << QStringLiteral("-f 'bv*[height<=1080]+ba/b[height<=1080]' -S 'res:1080'");
        QTest::newRow("2160") << QStringLiteral("2160") << QStringLiteral("2160p")
                              << QStringLiteral("-f 'bv*[height<=2160]+ba/b[height<=2160]' -S 'res:2160'");
    }

    void resolutions()
    {
        QFETCH(QString, text);
        QFETCH(QString, label);
        QFETCH(QString, args);
        const std::optional<QorvVideoResolution> resolution = QorvVideoResolution::fromText(text);
        QVERIFY(resolution);
        QCOMPARE(resolution->text(), text);
        QCOMPARE(resolution->label(), label);
        const QList<QorvConfigItem> items = resolution->configItems();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0).kind(), QorvConfigItem::Case::format);
        QCOMPARE(items.at(1).kind(), QorvConfigItem::Case::formatSort);
        QCOMPARE(QorvConfig(QStringLiteral("t"), items).args(), args);
    }

    void unknownResolutionTexts_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* t : {"4k", "2160p", "Best", "", " 720", "720 ", "1440"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }

    void unknownResolutionTexts()
    {
        QFETCH(QString, text);
        QVERIFY(!QorvVideoResolution::fromText(text));
    }

    void defaultSetOfANewDownload()
    {
        const QUrl downloads = QUrl::fromLocalFile(QStringLiteral("/home/u/Downloads"));
        const QorvConfig plain = QorvConfig::makeDefault(downloads, std::nullopt);
        QCOMPARE(plain.name(), QStringLiteral("Default"));
        QCOMPARE(plain.itemDic().size(), 1);
        QCOMPARE(plain.flag(QorvConfigItem::saveTo(downloads)), true);
        QCOMPARE(plain.args(), QStringLiteral("-P '/home/u/Downloads'"));

        const QorvConfig hd =
            QorvConfig::makeDefault(downloads, QorvVideoResolution(QorvVideoResolution::res1080));
        QCOMPARE(hd.itemDic().size(), 3);
        for (const auto& entry : hd.itemDic())
            QVERIFY(entry.second);
        QCOMPARE(
            hd.args(),
            QStringLiteral("-P '/home/u/Downloads' -f 'bv*[height<=1080]+ba/b[height<=1080]' -S 'res:1080'"));
    }

    void handedInSetKeepsItsOwnSaveTo()
    {
        const QUrl fallback = QUrl::fromLocalFile(QStringLiteral("/fallback"));
        QorvConfig withoutFolder(QStringLiteral("mine"), {QorvConfigItem::ignoreConfig()});
        QVERIFY(!withoutFolder.hasSaveTo());
        withoutFolder.ensureSaveTo(fallback);
        QCOMPARE(withoutFolder.flag(QorvConfigItem::saveTo(fallback)), true);

        const QorvConfigItem own = QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/mine")));
        QorvConfig switchedOff(QStringLiteral("mine"), {own});
        switchedOff.setItem(own, false);
        QVERIFY(switchedOff.hasSaveTo());
        switchedOff.ensureSaveTo(fallback);
        QCOMPARE(switchedOff.itemDic().size(), 1);
        QCOMPARE(switchedOff.flag(own), false);
        QCOMPARE(switchedOff.args(), QString());
    }

    void storedFormRoundTrips()
    {
        QorvConfig config(QStringLiteral("Default"),
                          {QorvConfigItem::raw(QStringLiteral("--a")),
                           QorvConfigItem::raw(QStringLiteral("--b"), QString()),
                           QorvConfigItem::raw(QStringLiteral("--c"), QStringLiteral("v")),
                           QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/x y/%z"))),
                           QorvConfigItem::liveFromStart(), QorvConfigItem::format(QStringLiteral("bv"))});
        config.setItem(QorvConfigItem::liveFromStart(), false);
        const QByteArray encoded = config.encodedItems();
        QVERIFY(encoded.startsWith("[{\"raw\":{\"key\":\"--a\"}},true,"));
        QVERIFY(encoded.contains("{\"liveFromStart\":{}},false"));
        QVERIFY(encoded.contains("{\"format\":{\"_0\":\"bv\"}},true"));
        const auto decoded = QorvConfig::decodeItems(encoded);
        QVERIFY(decoded);
        QCOMPARE(*decoded, config.itemDic());
        QorvConfig copy;
        copy.setItemDic(*decoded);
        QCOMPARE(copy.args(), config.args());
    }

    void storedFormRejectsOtherShapes_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not json") << QByteArray("[{");
        QTest::newRow("object") << QByteArray("{\"format\":{\"_0\":\"x\"}}");
        QTest::newRow("odd length") << QByteArray("[{\"ignoreConfig\":{}}]");
        QTest::newRow("flag not bool") << QByteArray("[{\"ignoreConfig\":{}},1]");
        QTest::newRow("unknown case") << QByteArray("[{\"bogus\":{}},true]");
        QTest::newRow("two keys") << QByteArray("[{\"ignoreConfig\":{},\"liveFromStart\":{}},true]");
        QTest::newRow("missing payload") << QByteArray("[{\"format\":{}},true]");
        QTest::newRow("payload not text") << QByteArray("[{\"format\":{\"_0\":3}},true]");
        QTest::newRow("raw without key") << QByteArray("[{\"raw\":{\"value\":\"v\"}},true]");
        QTest::newRow("empty case with payload") << QByteArray("[{\"liveFromStart\":{\"_0\":\"x\"}},true]");
    }

    void storedFormRejectsOtherShapes()
    {
        QFETCH(QByteArray, json);
        QVERIFY(!QorvConfig::decodeItems(json));
    }
};

QTEST_GUILESS_MAIN(TestQorvConfig)
#include "tst_qorvconfig.moc"
