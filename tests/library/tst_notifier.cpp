#include "library/notifier.h"
#include "support/privatebus.h"
#include "support/recordingnotificationserver.h"

#include <QSignalSpy>
#include <QTest>

using namespace Library;

using RecordingServer = TestSupport::RecordingNotificationServer;
using TestSupport::PrivateBus;

namespace {

const QString ServiceName = QStringLiteral("org.freedesktop.Notifications");

} // namespace

class TestNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Notices may be shown by a server the bus can start (one that runs: postsToTheServer); not
    // without one, and not without a bus.
    void authorised_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("expected");
        QTest::newRow("startable server") << QStringLiteral("startable") << true;
        QTest::newRow("no server") << QStringLiteral("none") << false;
        QTest::newRow("no bus") << QStringLiteral("nobus") << false;
    }

    void authorised()
    {
        QFETCH(QString, setup);
        QFETCH(bool, expected);
        PrivateBus bus(setup == QLatin1String("startable") ? QStringList{ServiceName} : QStringList());
        QVERIFY(bus.isRunning());
        Notifier notifier(setup == QLatin1String("nobus")
                              ? QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                              QStringLiteral("tst_notifier-nowhere"))
                              : bus.connect(QStringLiteral("tst_notifier-client")));
        std::optional<bool> answer;
        notifier.checkAuthorised([&answer](bool authorised) { answer = authorised; });
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 10000);
        QCOMPARE(*answer, expected);
    }

    void postsToTheServer()
    {
        PrivateBus bus;
        RecordingServer server;
        QDBusConnection serverBus = bus.connect(QStringLiteral("tst_notifier-server"));
        QVERIFY(serverBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(serverBus.registerService(ServiceName));
        QDBusConnection client = bus.connect(QStringLiteral("tst_notifier-client"));
        Notifier notifier(client);
        notifier.post(QStringLiteral("✅ Downloaded"), QStringLiteral("https://example.com/watch?v=1&t=<2>"),
                      0.0);
        QTRY_COMPARE_WITH_TIMEOUT(server.calls.size(), 1, 10000);
        const RecordingServer::Call call = server.calls.first();
        QCOMPARE(call.summary, QStringLiteral("✅ Downloaded"));
        // The body may be read as markup by the server; the address must show as written.
        QCOMPARE(call.body, QStringLiteral("https://example.com/watch?v=1&amp;t=&lt;2&gt;"));

        // Switched off: nothing shown although the server is there. The marker is posted later on
        // the same loop, so the switched-off one has had its turn once the marker arrives.
        Notifier off(client);
        off.setAllowed(false);
        off.post(QStringLiteral("off"), QString(), 1.0);
        notifier.post(QStringLiteral("marker"), QString(), 1.5);
        QTRY_COMPARE_WITH_TIMEOUT(server.calls.size(), 2, 10000);
        QCOMPARE(server.calls.last().summary, QStringLiteral("marker"));

        // A server that refuses is reported.
        server.refuse = true;
        QSignalSpy failed(&notifier, &Notifier::failed);
        notifier.post(QStringLiteral("t"), QString(), 0.0);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 10000);
        QCOMPARE(failed.first().first().toString(), QStringLiteral("notifications are off"));
    }
};

QTEST_GUILESS_MAIN(TestNotifier)
#include "tst_notifier.moc"
