#include "library/notifier.h"
#include "support/privatebus.h"
#include "support/recordingnotificationserver.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Library;

using TestSupport::PrivateBus;

namespace {

const QString ServiceName = QStringLiteral("org.freedesktop.Notifications");
const QString ServicePath = QStringLiteral("/org/freedesktop/Notifications");

using RecordingServer = TestSupport::RecordingNotificationServer;

bool checkAuthorised(Notifier& notifier)
{
    std::optional<bool> answer;
    notifier.checkAuthorised([&answer](bool authorised) { answer = authorised; });
    if (!QTest::qWaitFor([&answer] { return answer.has_value(); }, 10000))
        return false;
    return *answer;
}

} // namespace

class TestNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void postsToTheServer()
    {
        PrivateBus bus;
        QVERIFY(bus.isRunning());
        QDBusConnection serverBus = bus.connect(QStringLiteral("tst_notifier-server"));
        QDBusConnection clientBus = bus.connect(QStringLiteral("tst_notifier-client"));
        RecordingServer server;
        QVERIFY(serverBus.registerObject(ServicePath, &server, QDBusConnection::ExportAllSlots));
        QVERIFY(serverBus.registerService(ServiceName));

        Notifier notifier(clientBus);
        QVERIFY(checkAuthorised(notifier));
        QSignalSpy posted(&notifier, &Notifier::posted);
        notifier.post(QStringLiteral("✅ Downloaded"), QStringLiteral("https://example.com/watch?v=1&t=<2>"),
                      0.0);
        QTRY_COMPARE_WITH_TIMEOUT(server.calls.size(), 1, 10000);
        const RecordingServer::Call call = server.calls.first();
        QCOMPARE(call.appName, QStringLiteral("VeltQorv"));
        QCOMPARE(call.summary, QStringLiteral("✅ Downloaded"));
        // The body may be read as markup by the server; the address must show as written.
        QCOMPARE(call.body, QStringLiteral("https://example.com/watch?v=1&amp;t=&lt;2&gt;"));
        QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(),
                 QStringLiteral("org.veltqorv.VeltQorv"));
        QTRY_COMPARE(posted.count(), 1);
        QCOMPARE(posted.first().first().toUInt(), 1u);

        // Switched off by the user: not authorised and nothing shown, although the server is there.
        Notifier off(clientBus);
        off.setAllowed(false);
        QVERIFY(!checkAuthorised(off));
        off.post(QStringLiteral("off"), QString(), 1.0);
        // Posted later on the same loop, so the switched-off one has had its turn once this arrives.
        notifier.post(QStringLiteral("marker"), QString(), 1.5);
        QTRY_COMPARE_WITH_TIMEOUT(server.calls.size(), 2, 10000);
        QCOMPARE(server.calls.last().summary, QStringLiteral("marker"));
    }

    void noServerIsNotAnError()
    {
        PrivateBus bus;
        QVERIFY(bus.isRunning());
        Notifier notifier(bus.connect(QStringLiteral("tst_notifier-lonely")));
        QVERIFY(!checkAuthorised(notifier));
        QSignalSpy posted(&notifier, &Notifier::posted);
        QSignalSpy failed(&notifier, &Notifier::failed);
        notifier.post(QStringLiteral("✅ Downloaded"), QStringLiteral("https://example.com/"), 1.0);
        // Once a check started after the post's own has answered, the post has been dealt with.
        bool later = false;
        QTimer::singleShot(1200, &notifier, [&] { notifier.checkAuthorised([&](bool) { later = true; }); });
        QTRY_VERIFY_WITH_TIMEOUT(later, 10000);
        QCOMPARE(posted.count(), 0);
        QCOMPARE(failed.count(), 0);
    }

    void disconnectedBusIsNotAnError()
    {
        Notifier notifier(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                        QStringLiteral("tst_notifier-nowhere")));
        QVERIFY(!checkAuthorised(notifier));
        QDBusConnection::disconnectFromBus(QStringLiteral("tst_notifier-nowhere"));
    }

    void serverTheBusCanStartCounts()
    {
        PrivateBus bus({ServiceName});
        QVERIFY(bus.isRunning());
        Notifier notifier(bus.connect(QStringLiteral("tst_notifier-activatable")));
        QVERIFY(checkAuthorised(notifier));
    }

    void refusalIsReported()
    {
        PrivateBus bus;
        QVERIFY(bus.isRunning());
        QDBusConnection serverBus = bus.connect(QStringLiteral("tst_notifier-refusing"));
        RecordingServer server;
        server.refuse = true;
        QVERIFY(serverBus.registerObject(ServicePath, &server, QDBusConnection::ExportAllSlots));
        QVERIFY(serverBus.registerService(ServiceName));
        Notifier notifier(bus.connect(QStringLiteral("tst_notifier-refused")));
        QSignalSpy failed(&notifier, &Notifier::failed);
        QSignalSpy posted(&notifier, &Notifier::posted);
        notifier.post(QStringLiteral("t"), QString(), 0.0);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 10000);
        QCOMPARE(failed.first().first().toString(), QStringLiteral("notifications are off"));
        QCOMPARE(posted.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestNotifier)
#include "tst_notifier.moc"
