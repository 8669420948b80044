#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace Library {

// Completion notifications through the desktop's notification server
// (org.freedesktop.Notifications over D-Bus). Posting is "authorised" when the user allows it
// and a server is on the bus or can be started by it; otherwise nothing is posted and nothing
// is reported, since a desktop without a notification server is not an error.
// Every bus call is asynchronous.
class Notifier : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* Service = "org.freedesktop.Notifications";

    // The session bus by default; tests hand in a bus of their own.
    explicit Notifier(QObject* parent = nullptr);
    explicit Notifier(const QDBusConnection& bus, QObject* parent = nullptr);

    // The user's setting; allowed unless set otherwise.
    void setAllowed(bool allowed) { m_allowed = allowed; }
    bool isAllowed() const { return m_allowed; }

    // Calls `done` with whether a notification would be shown now.
    void checkAuthorised(std::function<void(bool)> done);

    // Shows `title` with `subtitle` (as the body, plain text) after max(1 s, delaySeconds), when
    // authorised then.
    void post(const QString& title, const QString& subtitle, double delaySeconds = 1.0);

Q_SIGNALS:
    // The server took the notification and gave it this id.
    void posted(uint notificationId);
    // The server was there but refused the notification.
    void failed(const QString& message);

private:
    void notify(const QString& title, const QString& subtitle);

    QDBusConnection m_bus;
    bool m_allowed = true;
};

} // namespace Library
