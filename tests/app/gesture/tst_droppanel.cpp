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

    static QStringList labelTexts(const DropPanel& panel)
    {
        QStringList texts;
        for (const QLabel* label : panel.findChildren<QLabel*>())
            texts << label->text();
        return texts;
    }

private Q_SLOTS:
    // Which link a payload holds is the drop model's to say; here what the panel does with it.
    void drop_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<int>("adds");            // what the add function answers; -1: there is none
        QTest::addColumn<QString>("expectedAdd"); // empty: add is not called
        QTest::addColumn<bool>("accepted");

        const QString a = QStringLiteral("https://a.example/watch?v=1");
        const QString b = QStringLiteral("https://b.example/v/2");
        QTest::newRow("recorded link wins over the dropped one")
            << a << QList<QUrl>{QUrl(b)} << 1 << a << true;
        QTest::newRow("recorded link the model refuses") << a << QList<QUrl>() << 0 << a << false;
        QTest::newRow("no add function") << a << QList<QUrl>() << -1 << QString() << false;
        QTest::newRow("dropped link when none was recorded")
            << QString() << QList<QUrl>{QUrl(b)} << 1 << b << true;
        QTest::newRow("no link") << QString() << QList<QUrl>{QUrl(QStringLiteral("ftp://a.example/v.mp4"))}
                                 << 1 << QString() << false;
    }

    void drop()
    {
        QFETCH(QString, recorded);
        QFETCH(QList<QUrl>, urls);
        QFETCH(int, adds);
        QFETCH(QString, expectedAdd);
        QFETCH(bool, accepted);

        Capture::DropModel model;
        DropPanel panel(model);
        QList<QUrl> calls;
        if (adds >= 0) {
            panel.setAddLink([&](const QUrl& url) {
                calls.append(url);
                return adds == 1;
            });
        }
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
        // While a drag is over it the panel shows the recorded link, else the dragged one.
        const QString idle = QStringLiteral("Drag and drop link here");
        const QString shown = !recorded.isEmpty() ? recorded : expectedAdd;
        QVERIFY(labelTexts(panel).contains(shown.isEmpty() ? idle : shown));
        QDragLeaveEvent leave;
        QApplication::sendEvent(&panel, &leave);
        QVERIFY(labelTexts(panel).contains(idle));
        QApplication::sendEvent(&panel, &enter);
        QDropEvent event(QPointF(150, 150), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                         Qt::NoModifier);
        event.setAccepted(!accepted); // the panel must set the answer either way
        QApplication::sendEvent(&panel, &event);

        QCOMPARE(calls, expectedAdd.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(expectedAdd)});
        QCOMPARE(event.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(event.dropAction(), Qt::CopyAction);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(dropped.at(0).at(1).toBool(), accepted);
        // Every drop closes the panel and forgets the drag, added or not.
        QCOMPARE(model.dragging(), std::nullopt);
        QTRY_VERIFY(!panel.isVisible());
        QCOMPARE(closed.count(), 1);
    }

    void showAtPointerAndEscape_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expectedTopLeft");

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int side = DropPanel::side;
        const QPoint middle = screen.center();
        QTest::newRow("lower-left corner at the pointer")
            << middle << QPoint(middle.x(), middle.y() - side + 1);
        QTest::newRow("kept on the screen")
            << QPoint(screen.right(), screen.top()) << QPoint(screen.right() - side + 1, screen.top());
    }

    void showAtPointerAndEscape()
    {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, expectedTopLeft);

        Capture::DropModel model;
        DropPanel panel(model);
        model.setDragging(QUrl(QStringLiteral("https://a.example/1")));
        panel.showAt(pointer);
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCOMPARE(panel.geometry().topLeft(), expectedTopLeft);
        QVERIFY(panel.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(panel.windowType(), Qt::Tool);

        QSignalSpy closed(&panel, &DropPanel::closed);
        QTest::keyClick(&panel, Qt::Key_Escape);
        QVERIFY(!panel.isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(model.dragging(), std::nullopt);
    }
};

QTEST_MAIN(TestDropPanel)
#include "tst_droppanel.moc"
