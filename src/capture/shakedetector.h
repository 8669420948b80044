#pragma once

#include <QList>
#include <QPointF>

#include <optional>

namespace Capture {

// Recognises the drag-and-shake gesture: a dragged pointer moved quickly right-left-right (or
// left-right-left). Pure logic over pointer positions or movements with their times, so any
// source of drag events can feed it.
//
// Movement is gathered in sessions of a fixed length that start with the first event after the
// previous session closed; they do not slide. A shake closes its session.
class ShakeDetector
{
public:
    // Length of one session.
    static constexpr qint64 sessionMsecs = 500;
    // Horizontal direction changes a shake needs (at least).
    static constexpr int shakeCount = 2;
    // Horizontal travel a shake needs (strictly more), in pixels.
    static constexpr double shakeDistance = 80.0;

    // Whether the movements shake: travel above shakeDistance and at least shakeCount
    // reversals. Only x counts; zero movements neither set nor break a direction.
    static bool isShake(const QList<QPointF>& deltas);

    // The pointer is at `position` at `msecs` (any monotonic clock in milliseconds). The first
    // position of a drag only sets where movement starts from. True when this completes a shake.
    bool addPosition(const QPointF& position, qint64 msecs);
    // The pointer moved by `delta` at `msecs`. True when this completes a shake.
    bool addDelta(const QPointF& delta, qint64 msecs);
    // The button went up: the next position belongs to a new drag. The session's clock runs on.
    void endDrag();
    // Closes the session and forgets the drag.
    void reset();

    bool inSession() const { return m_sessionStart.has_value(); }
    const QList<QPointF>& sessionDeltas() const { return m_deltas; }

private:
    // Opens a session at `msecs` unless one is open and still running then.
    void openSession(qint64 msecs);
    void closeSession();

    std::optional<QPointF> m_lastPosition;
    std::optional<qint64> m_sessionStart;
    QList<QPointF> m_deltas;
};

} // namespace Capture
