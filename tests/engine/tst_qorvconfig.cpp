#include "engine/downloadchoice.h"
#include "engine/qorvconfig.h"
#include "engine/qorvconfigitem.h"
#include "engine/qorvvideoresolution.h"

#include <QSet>
#include <QTest>

using namespace Engine;
using Item = QorvConfigItem;

Q_DECLARE_METATYPE(QList<Engine::QorvConfigItem>)

class TestQorvConfig : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One list element per argument, switched-off options left out, the folder as a path rather
    // than a percent-encoded URL.
    void arguments()
    {
        QorvConfig config(QStringLiteral("t"),
                          {Item::raw(QStringLiteral("--no-mtime")), Item::liveFromStart(),
                           Item::raw(QStringLiteral("-x"), QString())});
        config.setItem(Item::liveFromStart(), false);
        config.setItem(Item::format(QStringLiteral("bv")), true);
        config.setItem(Item::ignoreConfig(), true);
        config.setItem(Item::saveTo(QUrl::fromLocalFile(QStringLiteral("/home/a/My it's"))), true);
        QCOMPARE(config.arguments(),
                 (QStringList{QStringLiteral("--no-mtime"), QStringLiteral("-x"), QString(),
                              QStringLiteral("-f"), QStringLiteral("bv"), QStringLiteral("--ignore-config"),
                              QStringLiteral("-P"), QStringLiteral("/home/a/My it's")}));
        QCOMPARE(config.itemDic().size(), 6);
    }

    void optionsDifferByWholePayload()
    {
        const QSet<QorvConfigItem> set{
            Item::format(QStringLiteral("a")),          Item::format(QStringLiteral("b")),
            Item::formatSort(QStringLiteral("a")),      Item::raw(QStringLiteral("-k")),
            Item::raw(QStringLiteral("-k"), QString()), Item::raw(QStringLiteral("-k"))};
        QCOMPARE(set.size(), 5);
    }

    // Every resolution reads back from its text only; the heights request at most that many lines.
    void resolutions()
    {
        QStringList texts;
        for (const QorvVideoResolution& resolution : QorvVideoResolution::allCases()) {
            QCOMPARE(QorvVideoResolution::fromText(resolution.text()), resolution);
            texts << resolution.text();
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("best"), QStringLiteral("480"), QStringLiteral("720"),
                                     QStringLiteral("1080"), QStringLiteral("2160")}));
        QVERIFY(!QorvVideoResolution::fromText(QStringLiteral("2160p")));
        QCOMPARE(QorvVideoResolution(QorvVideoResolution::best).label(), QStringLiteral("Best"));
        const QorvVideoResolution hd(QorvVideoResolution::res1080);
        QCOMPARE(hd.label(), QStringLiteral("1080p"));
        QCOMPARE(hd.configItems(),
                 (QList<QorvConfigItem>{Item::format(QStringLiteral("bv*[height<=1080]+ba/b[height<=1080]")),
                                        Item::formatSort(QStringLiteral("res:1080"))}));
    }

    // Every way an item gets its options reads back as the badge of what was asked for.
    void badgeOfOptions_data()
    {
        QTest::addColumn<QList<QorvConfigItem>>("items");
        QTest::addColumn<QString>("badge");
        const auto choice = [](auto change) {
            DownloadChoice c;
            change(c);
            return c;
        };
        for (const DownloadChoice& c :
             {choice([](DownloadChoice&) {}), choice([](DownloadChoice& c) {
                  c.maxHeight = 1080;
                  c.container = DownloadChoice::Container::mkv;
              }),
              choice([](DownloadChoice& c) { c.container = DownloadChoice::Container::mp4; }),
              choice([](DownloadChoice& c) { c.audioOnly = true; }), choice([](DownloadChoice& c) {
                  c.audioOnly = true;
                  c.audioFormat = DownloadChoice::AudioFormat::best;
              })})
            QTest::newRow(qPrintable(c.badge())) << c.configItems() << c.badge();
        QTest::newRow("resolution setting")
            << QorvVideoResolution(QorvVideoResolution::res720).configItems() << QStringLiteral("720p");
        QTest::newRow("no options") << QList<QorvConfigItem>{Item::saveTo(
                                           QUrl::fromLocalFile(QStringLiteral("/d")))}
                                    << QStringLiteral("Best");
        QTest::newRow("raw options, the last one wins")
            << QList<QorvConfigItem>{Item::raw(QStringLiteral("-f"), QStringLiteral("bv*+ba/b")),
                                     Item::raw(QStringLiteral("-f"), QStringLiteral("22")),
                                     Item::raw(QStringLiteral("--remux-video"),
                                               QStringLiteral("aac>m4a/mkv"))}
            << QStringLiteral("Custom");
        QTest::newRow("a remux alone")
            << QList<QorvConfigItem>{Item::raw(QStringLiteral("--remux-video"), QStringLiteral("mkv"))}
            << QStringLiteral("Best \u00b7 MKV");
        QTest::newRow("other heights are no cap")
            << QList<QorvConfigItem>{Item::format(QStringLiteral("bv*[height<=720]+ba/b[height<=480]")),
                                     Item::mergeOutputFormat(QStringLiteral("webm"))}
            << QStringLiteral("Custom \u00b7 WEBM");
    }

    void badgeOfOptions()
    {
        QFETCH(QList<QorvConfigItem>, items);
        QFETCH(QString, badge);
        QCOMPARE(DownloadChoice::badgeOf(items), badge);
    }

    // The nearest quality keeps the other options and the container's stream preferences.
    void nearestQuality()
    {
        DownloadChoice choice;
        choice.maxHeight = 720;
        choice.container = DownloadChoice::Container::mp4;
        const QList<QorvConfigItem> items = choice.configItems() + QList{Item::ignoreConfig()};
        QCOMPARE(DownloadChoice::cappedHeight(items), 720);
        const QList<QorvConfigItem> nearest = DownloadChoice::nearestQuality(items, 720);
        QCOMPARE(QorvConfig(QStringLiteral("t"), nearest).arguments().join(QLatin1Char(' ')),
                 QStringLiteral("--merge-output-format mp4 --remux-video mp4 --ignore-config -f bv*+ba/b"
                                " -S res:720,ext:mp4:m4a"));
        QVERIFY(!DownloadChoice::cappedHeight(nearest));
    }

    void defaultSetOfANewDownload()
    {
        const QUrl downloads = QUrl::fromLocalFile(QStringLiteral("/home/u/Downloads"));
        const QorvConfig plain = QorvConfig::makeDefault(downloads, std::nullopt);
        QCOMPARE(plain.arguments(), (QStringList{QStringLiteral("-P"), QStringLiteral("/home/u/Downloads")}));
        const QorvVideoResolution hd(QorvVideoResolution::res1080);
        QCOMPARE(QorvConfig::makeDefault(downloads, hd).arguments(),
                 plain.arguments() + QorvConfig(QStringLiteral("t"), hd.configItems()).arguments());
    }

    void handedInSetKeepsItsOwnSaveTo()
    {
        const QUrl fallback = QUrl::fromLocalFile(QStringLiteral("/fallback"));
        QorvConfig withoutFolder(QStringLiteral("mine"), {Item::ignoreConfig()});
        withoutFolder.ensureSaveTo(fallback);
        QCOMPARE(withoutFolder.flag(Item::saveTo(fallback)), true);

        const Item own = Item::saveTo(QUrl::fromLocalFile(QStringLiteral("/mine")));
        QorvConfig switchedOff(QStringLiteral("mine"), {own});
        switchedOff.setItem(own, false);
        switchedOff.ensureSaveTo(fallback);
        QCOMPARE(switchedOff.itemDic().size(), 1);
        QCOMPARE(switchedOff.arguments(), QStringList());
    }

    void storedFormRoundTrips()
    {
        QorvConfig config(QStringLiteral("Default"),
                          {Item::raw(QStringLiteral("--a")), Item::raw(QStringLiteral("--b"), QString()),
                           Item::raw(QStringLiteral("--c"), QStringLiteral("v")),
                           Item::saveTo(QUrl::fromLocalFile(QStringLiteral("/x y/%z"))),
                           Item::liveFromStart(), Item::format(QStringLiteral("bv"))});
        config.setItem(Item::liveFromStart(), false);
        const QByteArray encoded = config.encodedItems();
        QVERIFY(encoded.startsWith("[{\"raw\":{\"key\":\"--a\"}},true,"));
        QVERIFY(encoded.contains("{\"liveFromStart\":{}},false"));
        QVERIFY(encoded.contains("{\"format\":{\"_0\":\"bv\"}},true"));
        const auto decoded = QorvConfig::decodeItems(encoded);
        QVERIFY(decoded);
        QCOMPARE(*decoded, config.itemDic());
    }

    void storedFormRejectsOtherShapes()
    {
        for (const char* json :
             {"[{", "{\"format\":{\"_0\":\"x\"}}", "[{\"ignoreConfig\":{}}]", "[{\"ignoreConfig\":{}},1]",
              "[{\"bogus\":{}},true]", "[{\"ignoreConfig\":{},\"liveFromStart\":{}},true]",
              "[{\"format\":{}},true]", "[{\"format\":{\"_0\":3}},true]",
              "[{\"raw\":{\"value\":\"v\"}},true]", "[{\"liveFromStart\":{\"_0\":\"x\"}},true]"})
            QVERIFY2(!QorvConfig::decodeItems(json), json);
    }
};

QTEST_GUILESS_MAIN(TestQorvConfig)
#include "tst_qorvconfig.moc"
