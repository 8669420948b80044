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

        QTest::newRow("one url item")
            << args({"veltqorv://add?url=https://example.com/a"}) << args({"https://example.com/a"});
        QTest::newRow("url items in order, others ignored")
            << args({"veltqorv://add?url=https://example.com/a&other=https://example.com/b&url=http://"
                     "127.0.0.1:8000/c.mp4"})
            << QStringList{QStringLiteral("https://example.com/a"), c};
        QTest::newRow("any host and path")
            << args({"veltqorv://x/y/z?url=https://example.com/a"}) << args({"https://example.com/a"});
        QTest::newRow("scheme in capitals")
            << args({"VELTQORV://add?url=https://example.com/a"}) << args({"https://example.com/a"});
        QTest::newRow("encoded value with its own query")
            << args({"veltqorv://add?url=https%3A%2F%2Fexample.com%2Fwatch%3Fv%3D1"}) << QStringList{a};
        QTest::newRow("spaces around the link are trimmed")
            << args({"veltqorv://add?url=%20%20https://example.com/a%0A"}) << args({"https://example.com/a"});
        QTest::newRow("words around the link")
            << args({"veltqorv://add?url=see%20https://example.com/a%20now"}) << QStringList();
        QTest::newRow("plain address on the command line")
            << args({"https://example.com/a"}) << args({"https://example.com/a"});
        QTest::newRow("several arguments")
            << args({"https://example.com/a", "veltqorv://add?url=http://127.0.0.1:8000/c.mp4"})
            << QStringList{QStringLiteral("https://example.com/a"), c};

        // Malformed or hostile input adds nothing.
        QTest::newRow("no query") << args({"veltqorv://add"}) << QStringList();
        QTest::newRow("scheme only") << args({"veltqorv:"}) << QStringList();
        QTest::newRow("empty argument") << args({""}) << QStringList();
        QTest::newRow("no url item") << args({"veltqorv://add?link=https://example.com/a"}) << QStringList();
        QTest::newRow("url item name is case-sensitive")
            << args({"veltqorv://add?URL=https://example.com/a"}) << QStringList();
        QTest::newRow("empty url value") << args({"veltqorv://add?url="}) << QStringList();
        QTest::newRow("url item without value") << args({"veltqorv://add?url"}) << QStringList();
        QTest::newRow("javascript value")
            << args({"veltqorv://add?url=javascript:alert(1)"}) << QStringList();
        QTest::newRow("javascript argument") << args({"javascript:alert(1)"}) << QStringList();
        QTest::newRow("file value") << args({"veltqorv://add?url=file:///etc/passwd"}) << QStringList();
        QTest::newRow("ftp argument") << args({"ftp://example.com/a"}) << QStringList();
        QTest::newRow("nested scheme address")
            << args({"veltqorv://add?url=veltqorv://add?url=https://example.com/a"}) << QStringList();
        QTest::newRow("option argument") << args({"--help"}) << QStringList();
        QTest::newRow("address as an option") << args({"-https://example.com/a"}) << QStringList();
        QTest::newRow("value starting with a dash")
            << args({"veltqorv://add?url=-https://example.com/a"}) << QStringList();
        QTest::newRow("value that is an option")
            << args({"veltqorv://add?url=--exec%3Dtouch%20/tmp/x"}) << QStringList();
        QTest::newRow("10000 characters of junk")
            << QStringList{QStringLiteral("veltqorv://add?url=") + QString(10000, QLatin1Char('a'))}
            << QStringList();
        QTest::newRow("10000 characters without a query")
            << QStringList{QStringLiteral("veltqorv://") + QString(10000, QLatin1Char('%'))} << QStringList();
        QTest::newRow("oversized address")
            << QStringList{QStringLiteral("veltqorv://add?url=https://example.com/") +
                           QString(40000, QLatin1Char('a'))}
            << QStringList();
        QTest::newRow("control characters")
            << QStringList{QStringLiteral("veltqorv://add?url=https://exa\u0000mple.com/")} << QStringList();
        QTest::newRow("broken percent encoding") << args({"veltqorv://add?url=%E0%A4%A"}) << QStringList();
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
        handler.handleArguments(
            {QStringLiteral(
                 "veltqorv://add?url=https://example.com/1&url=nonsense&url=https://example.com/2"),
             QStringLiteral("-x"), QStringLiteral("https://example.com/3")});
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(0).at(0).toUrl(), QUrl(QStringLiteral("https://example.com/1")));
        QCOMPARE(spy.at(1).at(0).toUrl(), QUrl(QStringLiteral("https://example.com/2")));
        QCOMPARE(spy.at(2).at(0).toUrl(), QUrl(QStringLiteral("https://example.com/3")));
    }

    void nothingToAcceptEmitsNothing()
    {
        IncomingAddressHandler handler;
        QSignalSpy spy(&handler, &IncomingAddressHandler::addressAccepted);
        handler.handleArguments({});
        handler.handleArguments({QStringLiteral("veltqorv://add?url=javascript:alert(1)")});
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestIncomingAddressHandler)
#include "tst_incomingaddresshandler.moc"
