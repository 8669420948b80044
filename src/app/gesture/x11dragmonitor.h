#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;

namespace App {

class XcbConnection;

// Watches left-button drags anywhere on an X11 screen and reads the link being dragged.
//
// It has a connection of its own to the X server and asks for XInput 2 raw motion on the root
// window, which the server delivers even while the drag source holds the pointer grab. Raw
// events carry no position, so each burst of motion is followed by one pointer query. Nothing
// arrives while the pointer rests, so an idle desktop costs nothing. Only input devices move the
// pointer here: a warp (XWarpPointer) makes no raw event.
//
// The dragged data is read from the XdndSelection into a property of a window of ours, without
// waiting on the source.
class X11DragMonitor : public QObject
{
    Q_OBJECT
public:
    explicit X11DragMonitor(QObject* parent = nullptr);
    ~X11DragMonitor() override;

    // Whether this session lets the application watch drags: an X11 display with XInput 2.2,
    // reached by the xcb platform. Probed once.
    static bool isAvailable();
    // For the settings window: why the gesture cannot work here; empty when it can.
    static QString unavailableReason();

    // False when the X server could not be reached or refused what the monitor needs.
    bool isActive() const { return m_x11 != nullptr; }

    // Asks the drag source for its data; answered by draggedLinkRead. A read already under way
    // answers for both.
    void readDraggedLink();
    // Gives up the drag selection, so that a later drag that carries nothing cannot find the
    // data of an earlier one.
    void clearDragSelection();

Q_SIGNALS:
    // The pointer is at `position` (root window pixels) with the left button held; `msecs` is
    // the server's time of the motion, without wrap-around.
    void dragMoved(QPoint position, qint64 msecs);
    // The left button went up.
    void dragEnded();
    // The http(s) link the drag carries, or nothing when it carries none or the source did not
    // answer.
    void draggedLinkRead(const std::optional<QUrl>& link);

private:
    struct Attempt
    {
        std::uint32_t target;
        std::uint32_t time;
    };
    struct PendingReply
    {
        unsigned int sequence;
        std::function<void(void*)> handler;
    };

    bool connectToServer();
    void disconnectFromServer();
    void processEvents();
    // Events are xcb_generic_event_t, whose type cannot be declared ahead.
    void handleEvent(const void* event);
    void handleRawEvent(const void* event);
    void handleSelectionNotify(const void* event);
    void queryPointer();
    void nextAttempt();
    void finishRead(const std::optional<QUrl>& link);
    void expectReply(unsigned int sequence, std::function<void(void*)> handler);
    qint64 unwrap(std::uint32_t serverTime);

    std::unique_ptr<XcbConnection> m_x11;
    QSocketNotifier* m_notifier = nullptr;
    std::uint32_t m_window = 0;
    std::uint8_t m_xinputOpcode = 0;
    std::uint32_t m_xdndSelection = 0;
    std::uint32_t m_uriList = 0;
    std::uint32_t m_utf8String = 0;
    std::uint32_t m_property = 0;

    std::vector<PendingReply> m_pending;

    bool m_buttonHeld = false;
    bool m_queryInFlight = false;
    bool m_motionSinceQuery = false;
    std::uint32_t m_lastServerTime = 0;
    qint64 m_clock = -1;
    // Server times of the latest motions, newest last.
    QList<std::uint32_t> m_recentTimes;

    QList<Attempt> m_attempts;
    std::optional<Attempt> m_current;
    QTimer m_readTimeout;
};

} // namespace App
