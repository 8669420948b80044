// The drag-and-shake gesture end to end on a real X server: another process drags a link,
// xdotool moves the pointer, the panel opens at the pointer and takes the drop. The panel on its
// own takes drops sent to it.
#include "app/appkeys.h"
#include "app/gesture/droppanel.h"
#include "app/gesture/gesturecontroller.h"
#include "capture/dropmodel.h"
#include "engine/preferences.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using App::DropPanel;
using App::GestureController;

namespace {

const QString draggedLink = QStringLiteral("http://127.0.0.1:8765/watch?v=shake");
// Where the drag source sits; the pointer shakes over the empty root window to its right.
const QPoint sourceAt(100, 400);

QString moveBy(int dx, int dy)
{
    // Relative moves go through the XTest device like a mouse; absolute ones are warps, which
    // make no raw input events.
    return QStringLiteral(" mousemove_relative -- %1 %2 sleep 0.08").arg(dx).arg(dy);
}

} // namespace

class TestGestureController : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Engine::Preferences> m_preferences;
    std::unique_ptr<GestureController> m_controller;
    QList<QUrl> m_added;
    std::unique_ptr<QProcess> m_source;

    // Starts the drag source offering `offered`; returns the centre of its window.
    QPoint startSource(const QString& offered, const QStringList& extra = {})
    {
        m_source = std::make_unique<QProcess>();
        m_source->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_source->start(QStringLiteral(VELTQORV_DRAG_SOURCE),
                        QStringList{offered, QString::number(sourceAt.x()), QString::number(sourceAt.y())} +
                            extra);
        [&] { QTRY_VERIFY(m_source->canReadLine()); }();
        const QList<QByteArray> ready = m_source->readLine().trimmed().split(' ');
        if (ready.size() != 3 || ready.at(0) != "ready")
            return {};
        return {ready.at(1).toInt(), ready.at(2).toInt()};
    }

    // Runs xdotool's space-separated `commands` without blocking: the monitor in this process has
    // to see the motion as it happens.
    void xdotool(const QString& commands)
    {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral("xdotool"), commands.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        QVERIFY(finished.wait(20000));
        QCOMPARE(process.exitCode(), 0);
    }

    // Presses on the source, drags out of it past the drag threshold, over the empty root window,
    // and shakes right-left-right within one detection window.
    void dragAndShake(const QPoint& from)
    {
        xdotool(
            QStringLiteral("mousemove %1 %2 sleep 0.2 mousedown 1 sleep 0.08").arg(from.x()).arg(from.y()) +
            moveBy(15, 0) + moveBy(15, 0) + moveBy(370, 0) + moveBy(-100, 0) + moveBy(100, 0));
    }

    // Moves into the panel and releases the button there.
    void dropOnPanel()
    {
        const QPoint target = m_controller->panel().geometry().center() - QCursor::pos();
        xdotool(moveBy(target.x() - 20, target.y() + 20) + moveBy(20, -20) +
                QStringLiteral(" sleep 0.2 mouseup 1"));
    }

    // The drop action the source reported for its drag.
    int sourceResult()
    {
        [&] { QTRY_VERIFY_WITH_TIMEOUT(m_source->canReadLine(), 10000); }();
        const QList<QByteArray> result = m_source->readLine().trimmed().split(' ');
        return result.size() == 2 && result.at(0) == "result" ? result.at(1).toInt() : -1;
    }

    static QStringList labelTexts(const DropPanel& panel)
    {
        QStringList texts;
        for (const QLabel* label : panel.findChildren<QLabel*>())
            texts << label->text();
        return texts;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(GestureController::isAvailable(), qPrintable(GestureController::unavailableReason()));
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
                 "xdotool is missing (scripts/deps.sh installs it)");
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        m_preferences = std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("prefs.conf")));
        m_preferences->setValue(App::Keys::dragShake, false);
        m_controller = std::make_unique<GestureController>(*m_preferences);
        m_added.clear();
        m_controller->setAddLink([this](const QUrl& url) {
            m_added.append(url);
            return true;
        });
    }

    void cleanup()
    {
        xdotool(QStringLiteral("mouseup 1"));
        if (m_source) {
            m_source->kill();
            m_source->waitForFinished();
            m_source.reset();
        }
        m_controller.reset();
        m_preferences.reset();
    }

    void followsPreference()
    {
        QSignalSpy changed(m_controller.get(), &GestureController::monitoringChanged);
        QVERIFY(!m_controller->isMonitoring());
        m_preferences->setValue(App::Keys::dragShake, true);
        QVERIFY(m_controller->isMonitoring());
        // A repeated true keeps the one monitor.
        m_controller->setEnabled(true);
        m_preferences->setValue(App::Keys::dragShake, false);
        QVERIFY(!m_controller->isMonitoring());
        QCOMPARE(changed.count(), 2);
    }

    void shake_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QStringList>("sourceArgs");
        QTest::newRow("uri-list") << draggedLink << QStringList();
        QTest::newRow("plain text only") << draggedLink << QStringList{QStringLiteral("--text")};
        QTest::newRow("link that is not an address")
            << QStringLiteral("ftp://127.0.0.1/video.mp4") << QStringList();
    }

    void shake()
    {
        QFETCH(QString, link);
        QFETCH(QStringList, sourceArgs);
        m_preferences->setValue(App::Keys::dragShake, true);
        QSignalSpy shaken(m_controller.get(), &GestureController::shaken);
        QSignalSpy opened(m_controller.get(), &GestureController::panelOpened);
        const bool opens = link == draggedLink;

        const QPoint source = startSource(link, sourceArgs);
        QVERIFY(!source.isNull());
        dragAndShake(source);
        if (opens) {
            QTRY_COMPARE(opened.count(), 1);
            // The panel's lower-left corner is at the pointer.
            QCOMPARE(m_controller->panel().geometry().bottomLeft(), opened.at(0).at(0).toPoint());
            QCOMPARE(m_controller->dropModel().dragging(), QUrl(link));
            dropOnPanel();
        } else {
            QTRY_VERIFY(shaken.count() >= 1);
            QCOMPARE(shaken.at(0).at(0).value<std::optional<QUrl>>(), std::nullopt);
            xdotool(QStringLiteral("mouseup 1"));
        }
        QCOMPARE(sourceResult(), int(opens ? Qt::CopyAction : Qt::IgnoreAction));
        // A Qt source ends its drag once it has sent XdndDrop, before the panel has taken it.
        QTRY_COMPARE(m_added, opens ? QList<QUrl>{QUrl(link)} : QList<QUrl>());
        QTRY_VERIFY(!m_controller->panel().isVisible());
        QCOMPARE(opened.count(), opens ? 1 : 0);
    }

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
        // The panel must set the answer and the action either way.
        event.setAccepted(!accepted);
        event.setDropAction(Qt::MoveAction);
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

QTEST_MAIN(TestGestureController)
#include "tst_gesturecontroller.moc"
