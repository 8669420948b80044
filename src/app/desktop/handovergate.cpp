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

HandoverGate::HandoverGate(Add add, Clock clock, QObject* parent)
    : QObject(parent), m_add(std::move(add)), m_clock(clock ? std::move(clock) : Clock(steadyMs))
{
}

void HandoverGate::offer(const QUrl& url, const std::optional<Engine::QorvConfig>& config)
{
    const qint64 now = m_clock();
    while (!m_recent.empty() && now - m_recent.front() >= BurstWindowMs)
        m_recent.pop_front();
    // Once some wait, later ones queue behind them, so the order stays the senders'.
    if (m_waiting.isEmpty() && m_recent.size() < BurstLimit) {
        m_recent.push_back(now);
        m_add(url, config);
        return;
    }
    m_waiting.append({url, config});
    Q_EMIT waitingChanged(static_cast<int>(m_waiting.size()));
}

void HandoverGate::addWaiting()
{
    for (const auto& [url, config] : std::exchange(m_waiting, {}))
        m_add(url, config);
    Q_EMIT waitingChanged(0);
}

QList<QUrl> HandoverGate::waiting() const
{
    QList<QUrl> urls;
    for (const auto& entry : m_waiting)
        urls.append(entry.first);
    return urls;
}

void HandoverGate::discardWaiting()
{
    m_waiting.clear();
    Q_EMIT waitingChanged(0);
}

} // namespace App
