#include "app/desktop/incomingaddresshandler.h"

#include <QSignalSpy>
#include <QTest>

using App::IncomingAddressHandler;

class TestIncomingAddressHandler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");

        const QString a = QStringLiteral("https://example.com/watch?v=1");
        const QString c = QStringLiteral("http://127.0.0.1:8000/c.mp4");
        auto args = [](std::initializer_list<const char*> list) {
            QStringList out;
            for (const char* item : list)
                out.append(QString::fromUtf8(item));
            return out;
        };

        // Whether a value is one http(s) address is the link detector's to say.
        QTest::newRow("one url item")
            << args({"veltqorv://add?url=https://example.com/a"}) << args({"https://example.com/a"});
        QTest::newRow("url items in order, others ignored")
            << args({"veltqorv://add?url=https://example.com/a&other=https://example.com/b&url=http://"
                     "127.0.0.1:8000/c.mp4"})
            << QStringList{QStringLiteral("https://example.com/a"), c};
        QTest::newRow("scheme in capitals")
            << args({"VELTQORV://x/y?url=https://example.com/a"}) << args({"https://example.com/a"});
        QTest::newRow("encoded value with its own query")
            << args({"veltqorv://add?url=https%3A%2F%2Fexample.com%2Fwatch%3Fv%3D1"}) << QStringList{a};
        QTest::newRow("plain address and a scheme address")
            << args({"https://example.com/a", "veltqorv://add?url=http://127.0.0.1:8000/c.mp4"})
            << QStringList{QStringLiteral("https://example.com/a"), c};
        QTest::newRow("no query") << args({"veltqorv://add"}) << QStringList();
        QTest::newRow("no url item") << args({"veltqorv://add?link=https://example.com/a"}) << QStringList();
        QTest::newRow("url item name is case-sensitive")
            << args({"veltqorv://add?URL=https://example.com/a"}) << QStringList();
        QTest::newRow("empty url value") << args({"veltqorv://add?url="}) << QStringList();
        QTest::newRow("value that is no address")
            << args({"veltqorv://add?url=javascript:alert(1)"}) << QStringList();
        QTest::newRow("option argument") << args({"--help"}) << QStringList();
        QTest::newRow("unreadable scheme address")
            << QStringList{QStringLiteral("veltqorv://") + QString(10000, QLatin1Char('%'))} << QStringList();
        QTest::newRow("oversized scheme address")
            << QStringList{QStringLiteral("veltqorv://add?url=https://example.com/") +
                           QString(40000, QLatin1Char('a'))}
            << QStringList();
        QTest::newRow("oversized plain address")
            << QStringList{QStringLiteral("https://example.com/") + QString(40000, QLatin1Char('a'))}
            << QStringList();
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        QStringList accepted;
        for (const QUrl& url : IncomingAddressHandler::addressesFromArguments(arguments))
            accepted.append(url.toString());
        QCOMPARE(accepted, expected);
    }

    void handleArgumentsEmitsEachAddressInOrder()
    {
        IncomingAddressHandler handler;
        QSignalSpy spy(&handler, &IncomingAddressHandler::addressAccepted);
        handler.handleArguments({});
        handler.handleArguments(
            {QStringLiteral(
                 "veltqorv://add?url=https://example.com/1&url=nonsense&url=https://example.com/2"),
             QStringLiteral("-x"), QStringLiteral("https://example.com/3")});
        QCOMPARE(spy.count(), 3);
        for (int n = 0; n < 3; ++n)
            QCOMPARE(spy.at(n).at(0).toUrl(), QUrl(QStringLiteral("https://example.com/%1").arg(n + 1)));
    }
};

QTEST_GUILESS_MAIN(TestIncomingAddressHandler)
#include "tst_incomingaddresshandler.moc"
