#include "capture/shakedetector.h"

#include <QtTest>

using Capture::ShakeDetector;

namespace {

// One drag event: a movement (or a pointer position) at a time in milliseconds.
struct Step
{
    double x;
    qint64 msecs;
};

QList<QPointF> xs(std::initializer_list<double> values)
{
    QList<QPointF> points;
    for (double x : values)
        points.append(QPointF(x, 0));
    return points;
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestShakeDetector : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void isShake_data()
    {
        QTest::addColumn<QList<QPointF>>("deltas");
        QTest::addColumn<bool>("shake");

        QTest::newRow("single reversal, travel 100") << xs({50, -50}) << false;
        QTest::newRow("travel exactly 80") << xs({30, -20, 30}) << false;
        QTest::newRow("travel just above 80") << xs({30, -20, 30.5}) << true;
        QTest::newRow("zeros between reversals") << xs({30, 0, -30, 0, 0, 30}) << true;
        QTest::newRow("leading zeros set no direction") << xs({0, 0, 45, -45}) << false;
        QTest::newRow("vertical movement is ignored")
            << QList<QPointF>{{30, 500}, {-30, -500}, {30, 0}} << true;
    }

    void isShake()
    {
        QFETCH(QList<QPointF>, deltas);
        QFETCH(bool, shake);
        QCOMPARE(ShakeDetector::isShake(deltas), shake);
    }

    // Movements (addDelta) or pointer positions (addPosition) at times in milliseconds.
    void steps_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<bool>("positions");
        // Indexes of the steps that complete a shake.
        QTest::addColumn<QList<int>>("shakes");

        QTest::newRow("last step just inside the window")
            << QList<Step>{{30, 0}, {-30, 200}, {30, 499}} << false << QList<int>{2};
        QTest::newRow("last step just outside the window")
            << QList<Step>{{30, 0}, {-30, 200}, {30, 500}} << false << QList<int>{};
        QTest::newRow("window starts with its first event, it does not slide")
            << QList<Step>{{30, 0}, {-30, 300}, {30, 600}, {-30, 900}} << false << QList<int>{};
        QTest::newRow("shake in a later window")
            << QList<Step>{{30, 0}, {-30, 600}, {30, 700}, {-30, 800}} << false << QList<int>{3};
        QTest::newRow("shaking on shakes again")
            << QList<Step>{{30, 0}, {-30, 100}, {30, 200}, {-30, 300}, {30, 350}, {-30, 400}} << false
            << QList<int>{2, 5};
        QTest::newRow("clock going back starts a new window")
            << QList<Step>{{30, 1000}, {-30, 1100}, {30, 900}} << false << QList<int>{};
        QTest::newRow("first position only sets the origin")
            << QList<Step>{{100, 0}, {130, 10}, {100, 20}, {130, 30}} << true << QList<int>{3};
        // Read as a movement from 0, the first position would add a third direction.
        QTest::newRow("first position alone is no movement")
            << QList<Step>{{100, 0}, {70, 10}, {100, 20}} << true << QList<int>{};
    }

    void steps()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(bool, positions);
        QFETCH(QList<int>, shakes);
        ShakeDetector detector;
        QList<int> seen;
        for (int i = 0; i < steps.size(); ++i) {
            const QPointF point(steps[i].x, 0);
            if (positions ? detector.addPosition(point, steps[i].msecs)
                          : detector.addDelta(point, steps[i].msecs))
                seen.append(i);
        }
        QCOMPARE(seen, shakes);
    }

    // A release starts a new movement; a reset also forgets the movement so far.
    void releaseAndReset()
    {
        // Without the release, 200 -> 100 would be a reversal and complete a shake.
        ShakeDetector detector;
        QVERIFY(!detector.addPosition({100, 0}, 0));
        QVERIFY(!detector.addPosition({200, 0}, 10));
        detector.endDrag();
        QVERIFY(!detector.addPosition({100, 0}, 20));
        QVERIFY(!detector.addPosition({200, 0}, 30));
        // Without the reset, the second reversal here would complete a shake.
        detector.reset();
        QVERIFY(!detector.addDelta({-30, 0}, 40));
        QVERIFY(!detector.addDelta({30, 0}, 50));
        QVERIFY(detector.addDelta({-30, 0}, 60));
    }
};

QTEST_GUILESS_MAIN(TestShakeDetector)
#include "tst_shakedetector.moc"
