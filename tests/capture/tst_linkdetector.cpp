#include "capture/linkdetector.h"

#include <QTest>

using Capture::LinkDetector;

class TestLinkDetector : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validityRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url"); // empty: refused
        const auto ok = [](const char* name, const QString& text, const QString& url) {
            QTest::newRow(name) << text << url;
        };
        const auto refused = [](const char* name, const QString& text) {
            QTest::newRow(name) << text << QString();
        };

        ok("spaces and line breaks around", QStringLiteral("  \n https://example.org/v \t\r\n"),
           QStringLiteral("https://example.org/v"));
        ok("bare domain becomes https", QStringLiteral("youtu.be/abc"),
           QStringLiteral("https://youtu.be/abc"));
        ok("balanced parentheses kept", QStringLiteral("https://en.wikipedia.org/wiki/Foo_(bar)"),
           QStringLiteral("https://en.wikipedia.org/wiki/Foo_(bar)"));

        refused("blank", QStringLiteral(" \n\t "));
        refused("sentence around link", QStringLiteral("watch this https://example.org/v now"));
        refused("trailing period", QStringLiteral("https://example.org/v."));
        refused("trailing period escaped", QStringLiteral("https://example.org/arg/a%2E"));
        ok("escaped period inside kept", QStringLiteral("https://example.org/a%2E/b"),
           QStringLiteral("https://example.org/a./b"));
        refused("mail address", QStringLiteral("someone@example.org"));
        refused("leading dash option", QStringLiteral("--exec=rm -rf ~"));
        refused("quote breaks the link", QStringLiteral("https://example.org/'$(touch x)'"));
        refused("control character", QStringLiteral("https://example.org/a\x01b"));
        refused("custom scheme", QStringLiteral("veltqorv://add?url=https://example.org"));
    }

    void validityRule()
    {
        QFETCH(QString, text);
        QFETCH(QString, url);
        const std::optional<QUrl> valid = LinkDetector::validUrl(text);
        if (url.isEmpty()) {
            QVERIFY2(!valid, qPrintable(valid ? valid->toString() : QString()));
        } else {
            QVERIFY(valid);
            QCOMPARE(valid->toString(QUrl::FullyEncoded), url);
        }
    }

    // The link's extent in the text, also beside text cut in the middle of a surrogate pair, as
    // truncated previews are.
    void firstLink()
    {
        const QString text =
            QStringLiteral("Premiere (see https://example.org/v?x=1). Also www.b.org ") + QChar(0xd83d);
        const auto match = LinkDetector::firstLink(text);
        QVERIFY(match);
        QCOMPARE(text.mid(match->start, match->length), QStringLiteral("https://example.org/v?x=1"));
        QCOMPARE(match->url, QUrl(QStringLiteral("https://example.org/v?x=1")));
        QVERIFY(!LinkDetector::firstLink(QStringLiteral("no links here, just words.")));
        const auto inside = LinkDetector::validUrl(QStringLiteral("https://example.org/v") + QChar(0xdc00));
        QVERIFY(inside);
        QCOMPARE(inside->toString(QUrl::FullyEncoded), QStringLiteral("https://example.org/v%EF%BF%BD"));
    }
};

QTEST_GUILESS_MAIN(TestLinkDetector)
#include "tst_linkdetector.moc"
