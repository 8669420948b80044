#include "app/desktop/handovergate.h"

#include <QElapsedTimer>

#include <utility>

namespace App {

namespace {
qint64 steadyMs()
{
    static const QElapsedTimer since = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return since.elapsed();
}
} // namespace

HandoverGate::HandoverGate(std::function<void(const QUrl&)> add, Clock clock, QObject* parent)
    : QObject(parent), m_add(std::move(add)), m_clock(clock ? std::move(clock) : Clock(steadyMs))
{
}

void HandoverGate::offer(const QUrl& url)
{
    const qint64 now = m_clock();
    while (!m_recent.empty() && now - m_recent.front() >= BurstWindowMs)
        m_recent.pop_front();
    // Once some wait, later ones queue behind them, so the order stays the senders'.
    if (m_waiting.isEmpty() && m_recent.size() < BurstLimit) {
        m_recent.push_back(now);
        m_add(url);
        return;
    }
    m_waiting.append(url);
    Q_EMIT waitingChanged(static_cast<int>(m_waiting.size()));
}

void HandoverGate::addWaiting()
{
    for (const QUrl& url : std::exchange(m_waiting, {}))
        m_add(url);
    Q_EMIT waitingChanged(0);
}

void HandoverGate::discardWaiting()
{
    m_waiting.clear();
    Q_EMIT waitingChanged(0);
}

} // namespace App
