#pragma once

#include "engine/qorvconfig.h"

#include <QList>
#include <QObject>
#include <QUrl>

#include <deque>
#include <functional>
#include <optional>
#include <utility>

namespace App {

// Addresses handed over by other programs: the first few within a short while are added at
// once, more wait for the user's word, so that a program gone wrong cannot flood the list. Each
// keeps the option set it came with (nothing: a quick add).
class HandoverGate : public QObject
{
    Q_OBJECT
public:
    static constexpr int BurstLimit = 5;
    static constexpr qint64 BurstWindowMs = 10000;
    // Milliseconds on a steady clock.
    using Clock = std::function<qint64()>;

    using Add = std::function<void(const QUrl&, const std::optional<Engine::QorvConfig>&)>;

    explicit HandoverGate(Add add, Clock clock = {}, QObject* parent = nullptr);

    void offer(const QUrl& url, const std::optional<Engine::QorvConfig>& config = std::nullopt);
    QList<QUrl> waiting() const;
    void addWaiting();
    void discardWaiting();

Q_SIGNALS:
    void waitingChanged(int count);

private:
    Add m_add;
    Clock m_clock;
    // When the addresses of the current window were added, oldest first.
    std::deque<qint64> m_recent;
    QList<std::pair<QUrl, std::optional<Engine::QorvConfig>>> m_waiting;
};

} // namespace App
