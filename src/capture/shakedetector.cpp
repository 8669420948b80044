#include "shakedetector.h"

#include <cmath>

namespace Capture {

bool ShakeDetector::isShake(const QList<QPointF>& deltas)
{
    double travel = 0;
    for (const QPointF& delta : deltas)
        travel += std::abs(delta.x());
    if (!(travel > shakeDistance))
        return false;

    int changes = 0;
    int direction = 0;
    for (const QPointF& delta : deltas) {
        if (delta.x() == 0)
            continue;
        const int sign = delta.x() > 0 ? 1 : -1;
        if (direction != 0 && sign != direction)
            ++changes;
        direction = sign;
    }
    return changes >= shakeCount;
}

bool ShakeDetector::addPosition(const QPointF& position, qint64 msecs)
{
    const std::optional<QPointF> last = m_lastPosition;
    m_lastPosition = position;
    if (!last) {
        openSession(msecs);
        return false;
    }
    return addDelta(position - *last, msecs);
}

bool ShakeDetector::addDelta(const QPointF& delta, qint64 msecs)
{
    openSession(msecs);
    m_deltas.append(delta);
    if (!isShake(m_deltas))
        return false;
    closeSession();
    return true;
}

void ShakeDetector::endDrag()
{
    m_lastPosition.reset();
}

void ShakeDetector::reset()
{
    closeSession();
    m_lastPosition.reset();
}

void ShakeDetector::openSession(qint64 msecs)
{
    // A clock that went backwards cannot belong to the running session either.
    if (m_sessionStart && msecs >= *m_sessionStart && msecs - *m_sessionStart < sessionMsecs)
        return;
    m_deltas.clear();
    m_sessionStart = msecs;
}

void ShakeDetector::closeSession()
{
    m_sessionStart.reset();
    m_deltas.clear();
}

} // namespace Capture
