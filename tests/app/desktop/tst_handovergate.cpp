#include "app/desktop/handovergate.h"

#include <QSignalSpy>
#include <QTest>

using App::HandoverGate;

class TestHandoverGate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A burst of six: five are added, the sixth waits for the user; once the burst is past,
    // addresses go straight in again.
    void burstWaitsForConfirmation()
    {
        qint64 now = 0;
        QList<QUrl> added;
        HandoverGate gate([&](const QUrl& url) { added << url; }, [&] { return now; });
        QSignalSpy waiting(&gate, &HandoverGate::waitingChanged);
        const auto url = [](int i) { return QUrl(QStringLiteral("https://example.com/%1").arg(i)); };
        for (int i = 0; i < 6; ++i)
            gate.offer(url(i));
        QCOMPARE(added.size(), HandoverGate::BurstLimit);
        QCOMPARE(gate.waiting(), QList<QUrl>{url(5)});
        QCOMPARE(waiting.takeLast().first().toInt(), 1);

        now += HandoverGate::BurstWindowMs;
        gate.offer(url(6));
        // Behind the one already waiting, never ahead of it.
        QCOMPARE(gate.waiting(), (QList<QUrl>{url(5), url(6)}));
        gate.addWaiting();
        QCOMPARE(added.mid(5), (QList<QUrl>{url(5), url(6)}));
        QCOMPARE(waiting.takeLast().first().toInt(), 0);

        gate.offer(url(7));
        gate.discardWaiting();
        QCOMPARE(added.last(), url(7));

        for (int i = 8; i < 14; ++i)
            gate.offer(url(i));
        gate.discardWaiting();
        QVERIFY(gate.waiting().isEmpty());
        QVERIFY(!added.contains(url(13)));
    }
};

QTEST_GUILESS_MAIN(TestHandoverGate)
#include "tst_handovergate.moc"
