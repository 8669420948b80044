#include "app/desktop/trayicon.h"

#include <QAction>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

using App::TrayIcon;

class TestTrayIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countIsDrawnOnTheIcon_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("none") << 0 << QStringLiteral("VeltQorv");
        QTest::newRow("one") << 1 << QStringLiteral("VeltQorv — 1 download running");
        QTest::newRow("many") << 150 << QStringLiteral("VeltQorv — 150 downloads running");
    }

    void countIsDrawnOnTheIcon()
    {
        QFETCH(int, count);
        QFETCH(QString, toolTip);
        const QImage plain = TrayIcon::iconFor(0).pixmap(32, 32).toImage();
        const QImage drawn = TrayIcon::iconFor(count).pixmap(32, 32).toImage();
        QCOMPARE(drawn == plain, count == 0);
        // Each count has its own badge up to 99; above, all read "99+".
        QCOMPARE(drawn == TrayIcon::iconFor(count + 1).pixmap(32, 32).toImage(), count >= 99);

        TrayIcon tray;
        tray.setCount(count);
        QCOMPARE(tray.toolTip(), toolTip);
        QCOMPARE(tray.systemTrayIcon()->icon().pixmap(32, 32).toImage(), drawn);
    }

    void menu()
    {
        TrayIcon tray;
        QSignalSpy quit(&tray, &TrayIcon::quitRequested);
        QSignalSpy show(&tray, &TrayIcon::showMainWindowRequested);
        QSignalSpy clipboard(&tray, &TrayIcon::addFromClipboardRequested);
        tray.action(QStringLiteral("quit"))->trigger();
        tray.action(QStringLiteral("showMainWindow"))->trigger();
        tray.action(QStringLiteral("newFromClipboard"))->trigger();
        QCOMPARE((QList<qsizetype>{quit.size(), show.size(), clipboard.size()}), (QList<qsizetype>{1, 1, 1}));
        tray.setCanCheckForUpdates(false);
        QVERIFY(!tray.action(QStringLiteral("checkForUpdates"))->isEnabled());
    }

    void showsOnlyWhereThereIsATray()
    {
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("a tray is already running on this display");
        TrayIcon without;
        QVERIFY(!without.show());
        QVERIFY(!without.isVisible());

        QProcess trayer;
        trayer.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("top"),
                                                QStringLiteral("--align"), QStringLiteral("right")});
        QVERIFY2(trayer.waitForStarted(10000), qPrintable(trayer.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 20000);
        TrayIcon with;
        QVERIFY(with.show());
        QVERIFY(with.isVisible());
        trayer.terminate();
        QVERIFY(trayer.waitForFinished(10000));
    }
};

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
