#include "engine/qorvconfig.h"
#include "engine/qorvconfigitem.h"
#include "engine/qorvvideoresolution.h"

#include <QSet>
#include <QTest>

using namespace Engine;
using Item = QorvConfigItem;

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
