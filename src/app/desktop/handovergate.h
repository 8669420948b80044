#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <deque>
#include <functional>

namespace App {

// Addresses handed over by other programs: the first few within a short while are added at
// once, more wait for the user's word, so that a program gone wrong cannot flood the list.
class HandoverGate : public QObject
{
    Q_OBJECT
public:
    static constexpr int BurstLimit = 5;
    static constexpr qint64 BurstWindowMs = 10000;
    // Milliseconds on a steady clock.
    using Clock = std::function<qint64()>;

    explicit HandoverGate(std::function<void(const QUrl&)> add, Clock clock = {}, QObject* parent = nullptr);

    void offer(const QUrl& url);
    const QList<QUrl>& waiting() const { return m_waiting; }
    void addWaiting();
    void discardWaiting();

Q_SIGNALS:
    void waitingChanged(int count);

private:
    std::function<void(const QUrl&)> m_add;
    Clock m_clock;
    // When the addresses of the current window were added, oldest first.
    std::deque<qint64> m_recent;
    QList<QUrl> m_waiting;
};

} // namespace App
