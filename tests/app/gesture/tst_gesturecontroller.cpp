// The drag-and-shake gesture end to end on a real X server: another process drags a link,
// xdotool moves the pointer, the panel opens at the pointer and takes the drop.
#include "app/appkeys.h"
#include "app/gesture/gesturecontroller.h"
#include "capture/dropmodel.h"
#include "engine/preferences.h"

#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using App::GestureController;

namespace {

const QString draggedLink = QStringLiteral("http://127.0.0.1:8765/watch?v=shake");
// Where the drag source sits; the pointer shakes over the empty root window to its right.
const QPoint sourceAt(100, 400);

QStringList moveBy(int dx, int dy)
{
    // Relative moves go through the XTest device like a mouse; absolute ones are warps, which
    // make no raw input events.
    return {QStringLiteral("mousemove_relative"),
            QStringLiteral("--"),
            QString::number(dx),
            QString::number(dy),
            QStringLiteral("sleep"),
            QStringLiteral("0.08")};
}

} // namespace

class TestGestureController : public QObject
{
    Q_OBJECT

    QString m_xdotool;
    QString m_dragSource;
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
        m_source->start(m_dragSource,
                        QStringList{offered, QString::number(sourceAt.x()), QString::number(sourceAt.y())} +
                            extra);
        [&] { QTRY_VERIFY(m_source->canReadLine()); }();
        const QList<QByteArray> ready = m_source->readLine().trimmed().split(' ');
        if (ready.size() != 3 || ready.at(0) != "ready")
            return {};
        return {ready.at(1).toInt(), ready.at(2).toInt()};
    }

    void xdotool(const QStringList& args)
    {
        // Run without blocking: the monitor in this process has to see the motion as it happens.
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(m_xdotool, args);
        QVERIFY(finished.wait(20000));
        QCOMPARE(process.exitCode(), 0);
    }

    // Presses on the source, drags out of it and shakes right-left-right.
    void dragAndShake(const QPoint& from)
    {
        QStringList args{QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
                         QStringLiteral("sleep"),     QStringLiteral("0.2"),     QStringLiteral("mousedown"),
                         QStringLiteral("1"),         QStringLiteral("sleep"),   QStringLiteral("0.08")};
        // Out of the source past the drag threshold, over the empty root window, then
        // right-left-right within one detection window.
        args << moveBy(15, 0) << moveBy(15, 0) << moveBy(370, 0) << moveBy(-100, 0) << moveBy(100, 0);
        xdotool(args);
    }

    // Moves into the panel and releases the button there.
    void dropOnPanel()
    {
        const QPoint target = m_controller->panel().geometry().center() - QCursor::pos();
        xdotool(moveBy(target.x() - 20, target.y() + 20) + moveBy(20, -20) +
                QStringList{QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("mouseup"),
                            QStringLiteral("1")});
    }

    // The drop action the source reported for its drag.
    int sourceResult()
    {
        [&] { QTRY_VERIFY_WITH_TIMEOUT(m_source->canReadLine(), 10000); }();
        const QList<QByteArray> result = m_source->readLine().trimmed().split(' ');
        return result.size() == 2 && result.at(0) == "result" ? result.at(1).toInt() : -1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(GestureController::isAvailable(), qPrintable(GestureController::unavailableReason()));
        QVERIFY(GestureController::unavailableReason().isEmpty());
        m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        QVERIFY2(!m_xdotool.isEmpty(), "xdotool is missing (scripts/deps.sh installs it)");
        m_dragSource = QStringLiteral(VELTQORV_DRAG_SOURCE);
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
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
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
        QCOMPARE(changed.count(), 1);
        // A repeated true keeps the one monitor.
        m_controller->setEnabled(true);
        QCOMPARE(changed.count(), 1);

        m_preferences->setValue(App::Keys::dragShake, false);
        QVERIFY(!m_controller->isMonitoring());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toBool(), false);

        // A controller created while the preference is on starts monitoring at once.
        m_preferences->setValue(App::Keys::dragShake, true);
        GestureController another(*m_preferences);
        QVERIFY(another.isMonitoring());
    }

    void shakeOpensPanelAndDropAdds_data()
    {
        QTest::addColumn<QStringList>("sourceArgs");
        QTest::newRow("uri-list") << QStringList();
        QTest::newRow("plain text only") << QStringList{QStringLiteral("--text")};
    }

    void shakeOpensPanelAndDropAdds()
    {
        QFETCH(QStringList, sourceArgs);
        m_preferences->setValue(App::Keys::dragShake, true);
        QSignalSpy opened(m_controller.get(), &GestureController::panelOpened);

        const QPoint source = startSource(draggedLink, sourceArgs);
        QVERIFY(!source.isNull());
        dragAndShake(source);
        QTRY_COMPARE(opened.count(), 1);
        QVERIFY(m_controller->panel().isVisible());
        QCOMPARE(m_controller->dropModel().dragging(), QUrl(draggedLink));
        // The panel's lower-left corner is at the pointer.
        const QPoint pointer = opened.at(0).at(0).toPoint();
        QCOMPARE(m_controller->panel().geometry().bottomLeft(), pointer);

        dropOnPanel();
        QCOMPARE(sourceResult(), int(Qt::CopyAction));
        // A Qt source ends its drag once it has sent XdndDrop, before the panel has taken it.
        QTRY_COMPARE(m_added, QList<QUrl>{QUrl(draggedLink)});
        QTRY_VERIFY(!m_controller->panel().isVisible());
        QCOMPARE(m_controller->dropModel().dragging(), std::nullopt);
        QCOMPARE(opened.count(), 1);
    }

    void linkThatIsNotAnAddressOpensNothing()
    {
        m_preferences->setValue(App::Keys::dragShake, true);
        QSignalSpy shaken(m_controller.get(), &GestureController::shaken);
        QSignalSpy opened(m_controller.get(), &GestureController::panelOpened);

        dragAndShake(startSource(QStringLiteral("ftp://127.0.0.1/video.mp4")));
        QTRY_VERIFY(shaken.count() >= 1);
        QCOMPARE(shaken.at(0).at(0).value<std::optional<QUrl>>(), std::nullopt);
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        QCOMPARE(sourceResult(), int(Qt::IgnoreAction));
        QCOMPARE(opened.count(), 0);
        QVERIFY(!m_controller->panel().isVisible());
    }

    void gestureTurnedOffOpensNothing()
    {
        m_preferences->setValue(App::Keys::dragShake, true);
        m_preferences->setValue(App::Keys::dragShake, false);
        QSignalSpy shaken(m_controller.get(), &GestureController::shaken);
        QSignalSpy opened(m_controller.get(), &GestureController::panelOpened);

        dragAndShake(startSource(draggedLink));
        xdotool(moveBy(100, -150) + QStringList{QStringLiteral("mouseup"), QStringLiteral("1")});
        QCOMPARE(sourceResult(), int(Qt::IgnoreAction));
        QVERIFY(!m_controller->isMonitoring());
        QCOMPARE(shaken.count(), 0);
        QCOMPARE(opened.count(), 0);
        QVERIFY(!m_controller->panel().isVisible());
        QVERIFY(m_added.isEmpty());
    }
};

QTEST_MAIN(TestGestureController)
#include "tst_gesturecontroller.moc"
