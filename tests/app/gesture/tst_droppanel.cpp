#include "app/gesture/droppanel.h"
#include "capture/dropmodel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using App::DropPanel;

class TestDropPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Which link a payload holds is the drop model's to say; here what the panel does with it.
    void drop_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("addSucceeds");
        QTest::addColumn<QString>("expectedAdd"); // empty: add is not called
        QTest::addColumn<bool>("accepted");

        const QString a = QStringLiteral("https://a.example/watch?v=1");
        const QString b = QStringLiteral("https://b.example/v/2");
        QTest::newRow("recorded link wins over the dropped one")
            << a << QList<QUrl>{QUrl(b)} << true << a << true;
        QTest::newRow("recorded link the model refuses") << a << QList<QUrl>() << false << a << false;
        QTest::newRow("dropped link when none was recorded")
            << QString() << QList<QUrl>{QUrl(b)} << true << b << true;
        QTest::newRow("no link") << QString() << QList<QUrl>{QUrl(QStringLiteral("ftp://a.example/v.mp4"))}
                                 << true << QString() << false;
    }

    void drop()
    {
        QFETCH(QString, recorded);
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, addSucceeds);
        QFETCH(QString, expectedAdd);
        QFETCH(bool, accepted);

        Capture::DropModel model;
        DropPanel panel(model);
        QList<QUrl> calls;
        panel.setAddLink([&](const QUrl& url) {
            calls.append(url);
            return addSucceeds;
        });
        if (!recorded.isEmpty())
            model.setDragging(QUrl(recorded));
        panel.showAt(QPoint(400, 500));
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSignalSpy dropped(&panel, &DropPanel::linkDropped);
        QSignalSpy closed(&panel, &DropPanel::closed);

        QMimeData mime;
        mime.setUrls(urls);
        // Qt delivers a drop to the widget a drag entered.
        QDragEnterEvent enter(QPoint(150, 150), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&panel, &enter);
        QVERIFY(enter.isAccepted()); // any drag may drop, so that every drop closes the panel
        QDropEvent event(QPointF(150, 150), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                         Qt::NoModifier);
        event.setAccepted(!accepted); // the panel must set the answer either way
        QApplication::sendEvent(&panel, &event);

        QCOMPARE(calls, expectedAdd.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(expectedAdd)});
        QCOMPARE(event.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(event.dropAction(), Qt::CopyAction);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(0).toUrl(), QUrl(expectedAdd));
        QCOMPARE(dropped.at(0).at(1).toBool(), accepted);
        // Every drop closes the panel and forgets the drag, added or not.
        QCOMPARE(model.dragging(), std::nullopt);
        QTRY_VERIFY(!panel.isVisible());
        QCOMPARE(closed.count(), 1);
    }

    void dropWithoutAdderIsRefused()
    {
        Capture::DropModel model;
        DropPanel panel(model);
        model.setDragging(QUrl(QStringLiteral("https://a.example/1")));
        panel.showAt(QPoint(400, 500));
        QMimeData mime;
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&panel, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        event.accept();
        QApplication::sendEvent(&panel, &event);
        QVERIFY(!event.isAccepted());
    }

    void hoverShowsLink()
    {
        Capture::DropModel model;
        DropPanel panel(model);
        panel.showAt(QPoint(400, 500));
        const auto labelTexts = [&] {
            QStringList texts;
            for (const QLabel* label : panel.findChildren<QLabel*>())
                texts << label->text();
            return texts;
        };
        const QString idle = QStringLiteral("Drag and drop link here");
        QVERIFY(labelTexts().contains(idle));

        // A drag that started elsewhere shows its own link; the recorded one wins once there is one.
        QMimeData mime;
        mime.setUrls({QUrl(QStringLiteral("https://b.example/2"))});
        QDragEnterEvent enter(QPoint(150, 150), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&panel, &enter);
        QVERIFY(enter.isAccepted());
        QVERIFY(panel.isDropping());
        QVERIFY(labelTexts().contains(QStringLiteral("https://b.example/2")));
        model.setDragging(QUrl(QStringLiteral("https://a.example/1")));
        QVERIFY(labelTexts().contains(QStringLiteral("https://a.example/1")));

        QDragLeaveEvent leave;
        QApplication::sendEvent(&panel, &leave);
        QVERIFY(!panel.isDropping());
        QVERIFY(labelTexts().contains(idle));
    }

    void escapeCloses()
    {
        Capture::DropModel model;
        DropPanel panel(model);
        model.setDragging(QUrl(QStringLiteral("https://a.example/1")));
        panel.showAt(QPoint(400, 500));
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSignalSpy closed(&panel, &DropPanel::closed);
        QTest::keyClick(&panel, Qt::Key_Escape);
        QVERIFY(!panel.isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(model.dragging(), std::nullopt);
    }

    void showAtPointer_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expectedTopLeft");

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int side = DropPanel::side;
        const QPoint middle = screen.center();
        QTest::newRow("lower-left corner at the pointer")
            << middle << QPoint(middle.x(), middle.y() - side + 1);
        QTest::newRow("top-right corner")
            << QPoint(screen.right(), screen.top()) << QPoint(screen.right() - side + 1, screen.top());
    }

    void showAtPointer()
    {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, expectedTopLeft);

        Capture::DropModel model;
        DropPanel panel(model);
        panel.showAt(pointer);
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.geometry().topLeft(), expectedTopLeft);
        QCOMPARE(panel.size(), QSize(DropPanel::side, DropPanel::side));
        QVERIFY(panel.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(panel.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(panel.windowType(), Qt::Tool);
    }
};

QTEST_MAIN(TestDropPanel)
#include "tst_droppanel.moc"
