#include "app/gesture/x11dragmonitor.h"

#include "app/x11/xcbconnection.h"
#include "app/x11/xcbreply.h"
#include "capture/dropmodel.h"
#include "engine/logging.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QSocketNotifier>

#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <memory>

namespace App {

namespace {

// How many recent motion times a read tries besides CurrentTime (see readDraggedLink).
constexpr int recentTimesTried = 32;
// A source that has not answered by then is not going to.
constexpr int readTimeoutMsecs = 1000;

bool hasXInput22(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_input_id);
    if (!extension || !extension->present)
        return false;
    const XcbReply<xcb_input_xi_query_version_reply_t> version(
        xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 2), nullptr));
    return version &&
           (version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 2));
}

// What keeps the gesture from working here; probed once, worded at each ask so that the text
// follows the installed translation.
enum class Lack
{
    nothing,
    wayland,
    notX11,
    unreachable,
    noXInput,
};

Lack probeLack()
{
    const QString platform = QGuiApplication::platformName();
    // Under XWayland the X server only sees the pointer over X windows, so drags out of
    // Wayland applications would go unnoticed.
    if (platform.startsWith(QLatin1String("wayland")) ||
        (platform == QLatin1String("xcb") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))) {
        return Lack::wayland;
    }
    if (platform != QLatin1String("xcb"))
        return Lack::notX11;

    const XcbConnection probe(XcbConnection::Source::Own);
    const bool reached = probe.isUsable();
    const bool xinput = reached && hasXInput22(probe.get());
    if (!reached)
        return Lack::unreachable;
    if (!xinput)
        return Lack::noXInput;
    return Lack::nothing;
}

} // namespace

X11DragMonitor::X11DragMonitor(QObject* parent) : QObject(parent)
{
    m_readTimeout.setSingleShot(true);
    m_readTimeout.setInterval(readTimeoutMsecs);
    connect(&m_readTimeout, &QTimer::timeout, this, [this] {
        qCWarning(Engine::lcMain) << "The drag source did not hand over its data";
        finishRead(std::nullopt);
    });
    if (!connectToServer())
        disconnectFromServer();
}

X11DragMonitor::~X11DragMonitor()
{
    disconnectFromServer();
}

bool X11DragMonitor::isAvailable()
{
    return unavailableReason().isEmpty();
}

QString X11DragMonitor::unavailableReason()
{
    static const Lack lack = probeLack();
    switch (lack) {
    case Lack::nothing:
        break;
    case Lack::wayland:
        return tr("Wayland does not let an application follow drags in other applications' "
                  "windows, so shaking a dragged link cannot open the drop panel. The gesture "
                  "works in an X11 session.");
    case Lack::notX11:
        return tr("The gesture needs an X11 session.");
    case Lack::unreachable:
        return tr("The X server could not be reached.");
    case Lack::noXInput:
        return tr("The X server lacks the XInput 2.2 extension that the gesture needs.");
    }
    return {};
}

bool X11DragMonitor::connectToServer()
{
    if (!isAvailable())
        return false;
    m_x11 = std::make_unique<XcbConnection>(XcbConnection::Source::Own);
    xcb_connection_t* connection = m_x11->get();
    if (!m_x11->isUsable()) {
        qCWarning(Engine::lcMain) << "Cannot reach the X server to follow drags";
        return false;
    }
    if (m_x11->root() == XCB_WINDOW_NONE || !hasXInput22(connection))
        return false;
    m_xinputOpcode = xcb_get_extension_data(connection, &xcb_input_id)->major_opcode;

    m_xdndSelection = m_x11->atom("XdndSelection");
    m_uriList = m_x11->atom("text/uri-list");
    m_utf8String = m_x11->atom("UTF8_STRING");
    m_property = m_x11->atom("VELTQORV_DRAGGED");

    // The requestor of selection conversions; it is never mapped.
    m_window = xcb_generate_id(connection);
    xcb_create_window(connection, 0, m_window, m_x11->root(), 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);

    struct
    {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                XCB_INPUT_XI_EVENT_MASK_RAW_MOTION | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE};
    const XcbReply<xcb_generic_error_t> error(xcb_request_check(
        connection, xcb_input_xi_select_events_checked(connection, m_x11->root(), 1, &selection.head)));
    if (error) {
        qCWarning(Engine::lcMain) << "The X server refused raw pointer events, error" << error->error_code;
        return false;
    }

    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11DragMonitor::processEvents);
    xcb_flush(connection);
    return true;
}

void X11DragMonitor::disconnectFromServer()
{
    delete m_notifier;
    m_notifier = nullptr;
    m_pending.clear();
    m_x11.reset(); // takes our window and event selection with it
}

void X11DragMonitor::processEvents()
{
    // Reading events may pull in replies and polling replies may pull in events, so both are
    // drained until neither moves: the socket will not signal again for what is already read.
    bool progress = true;
    while (m_x11 && progress) {
        progress = false;
        while (const XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(m_x11->get())}) {
            progress = true;
            handleEvent(event.get());
            if (!m_x11)
                return;
        }
        while (!m_pending.empty()) {
            void* reply = nullptr;
            xcb_generic_error_t* error = nullptr;
            if (!xcb_poll_for_reply(m_x11->get(), m_pending.front().sequence, &reply, &error))
                break;
            const XcbReply<void> replyHolder(reply);
            const XcbReply<xcb_generic_error_t> errorHolder(error);
            progress = true;
            const PendingReply pending = std::move(m_pending.front());
            m_pending.erase(m_pending.begin());
            pending.handler(reply);
            if (!m_x11)
                return;
        }
    }
    if (!m_x11)
        return;
    if (!m_x11->isUsable()) {
        qCWarning(Engine::lcMain) << "Lost the X connection that follows drags";
        const bool reading = m_current.has_value();
        disconnectFromServer();
        if (reading)
            finishRead(std::nullopt);
        return;
    }
    xcb_flush(m_x11->get());
}

void X11DragMonitor::handleEvent(const void* event)
{
    switch (static_cast<const xcb_generic_event_t*>(event)->response_type & ~0x80) {
    case XCB_GE_GENERIC:
        handleRawEvent(event);
        break;
    case XCB_SELECTION_NOTIFY:
        handleSelectionNotify(event);
        break;
    default:
        break;
    }
}

void X11DragMonitor::handleRawEvent(const void* event)
{
    const auto* generic = static_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension != m_xinputOpcode)
        return;
    const auto* raw = static_cast<const xcb_input_raw_motion_event_t*>(event);
    switch (generic->event_type) {
    case XCB_INPUT_RAW_MOTION:
        unwrap(raw->time);
        if (m_recentTimes.isEmpty() || m_recentTimes.constLast() != raw->time)
            m_recentTimes.append(raw->time);
        if (m_recentTimes.size() > recentTimesTried)
            m_recentTimes.removeFirst();
        m_motionSinceQuery = true;
        if (!m_queryInFlight)
            queryPointer();
        break;
    case XCB_INPUT_RAW_BUTTON_RELEASE:
        if (raw->detail == 1 && m_buttonHeld) {
            m_buttonHeld = false;
            Q_EMIT dragEnded();
        }
        break;
    default:
        break;
    }
}

void X11DragMonitor::queryPointer()
{
    // One query covers every motion read before it; motion that arrives meanwhile asks again.
    m_queryInFlight = true;
    m_motionSinceQuery = false;
    const qint64 msecs = m_clock;
    const xcb_query_pointer_cookie_t cookie = xcb_query_pointer(m_x11->get(), m_x11->root());
    expectReply(cookie.sequence, [this, msecs](void* data) {
        m_queryInFlight = false;
        if (const auto* reply = static_cast<const xcb_query_pointer_reply_t*>(data)) {
            const bool held = reply->mask & XCB_BUTTON_MASK_1;
            if (held && reply->same_screen) {
                m_buttonHeld = true;
                Q_EMIT dragMoved(QPoint(reply->root_x, reply->root_y), msecs);
            } else if (!held && m_buttonHeld) {
                m_buttonHeld = false;
                Q_EMIT dragEnded();
            }
        }
        if (m_x11 && m_motionSinceQuery)
            queryPointer();
    });
}

void X11DragMonitor::readDraggedLink()
{
    if (!m_x11) {
        Q_EMIT draggedLinkRead(std::nullopt);
        return;
    }
    if (m_current)
        return;
    // The XDND convention is to ask with the time of the source's last XdndPosition, and Qt
    // sources answer nothing else during a drag. We cannot see those messages, but their time
    // is that of a motion: one of the latest over a drop target, or the last one before the
    // pointer left the targets (older Qt answers CurrentTime then). Other sources answer the
    // first request whatever its time.
    QList<std::uint32_t> times{XCB_CURRENT_TIME};
    for (auto it = m_recentTimes.crbegin(); it != m_recentTimes.crend(); ++it)
        times.append(*it);
    m_attempts.clear();
    for (std::uint32_t time : times) {
        m_attempts.append({m_uriList, time});
        m_attempts.append({m_utf8String, time});
    }
    m_readTimeout.start();
    nextAttempt();
    xcb_flush(m_x11->get());
}

void X11DragMonitor::nextAttempt()
{
    if (m_attempts.isEmpty()) {
        finishRead(std::nullopt);
        return;
    }
    m_current = m_attempts.takeFirst();
    xcb_convert_selection(m_x11->get(), m_window, m_xdndSelection, m_current->target, m_property,
                          m_current->time);
}

void X11DragMonitor::handleSelectionNotify(const void* event)
{
    const auto* notify = static_cast<const xcb_selection_notify_event_t*>(event);
    if (!m_current || notify->requestor != m_window || notify->selection != m_xdndSelection ||
        notify->time != m_current->time)
        return;
    if (notify->property == XCB_ATOM_NONE) {
        nextAttempt();
        return;
    }
    const bool uriList = m_current->target == m_uriList;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(m_x11->get(), 1, m_window, notify->property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 16);
    expectReply(cookie.sequence, [this, uriList](void* data) {
        if (!m_current)
            return; // timed out meanwhile
        const auto* reply = static_cast<xcb_get_property_reply_t*>(data);
        QByteArray bytes;
        if (reply && reply->format == 8) {
            bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        }
        while (bytes.endsWith('\0'))
            bytes.chop(1);
        std::optional<QUrl> link;
        if (uriList) {
            QMimeData mime;
            mime.setData(QStringLiteral("text/uri-list"), bytes);
            link = Capture::DropModel::linkIn(mime.urls(), {});
        } else {
            link = Capture::DropModel::linkIn({}, QString::fromUtf8(bytes));
        }
        if (link)
            finishRead(link);
        else
            nextAttempt();
    });
}

void X11DragMonitor::finishRead(const std::optional<QUrl>& link)
{
    m_readTimeout.stop();
    m_attempts.clear();
    m_current.reset();
    Q_EMIT draggedLinkRead(link);
}

void X11DragMonitor::clearDragSelection()
{
    if (!m_x11)
        return;
    xcb_set_selection_owner(m_x11->get(), XCB_NONE, m_xdndSelection, XCB_CURRENT_TIME);
    xcb_flush(m_x11->get());
}

void X11DragMonitor::expectReply(unsigned int sequence, std::function<void(void*)> handler)
{
    m_pending.push_back({sequence, std::move(handler)});
}

qint64 X11DragMonitor::unwrap(std::uint32_t serverTime)
{
    // The server's clock is 32-bit milliseconds and wraps after 49 days.
    if (m_clock < 0)
        m_clock = serverTime;
    else
        m_clock += static_cast<std::uint32_t>(serverTime - m_lastServerTime);
    m_lastServerTime = serverTime;
    return m_clock;
}

} // namespace App
