#pragma once

#include <QDBusConnection>
#include <QObject>

namespace App {

// Whether completion notifications can be shown: on Linux that is whether a notification server
// (org.freedesktop.Notifications) runs on the session bus or is started by it on demand. There is
// no per-application permission to ask for; "requesting" starts the server when the bus can.
class NotificationPermission : public QObject
{
    Q_OBJECT
public:
    explicit NotificationPermission(QDBusConnection bus = QDBusConnection::sessionBus(),
                                    QObject* parent = nullptr);

    static QString serviceName() { return QStringLiteral("org.freedesktop.Notifications"); }

    // What to do when no server is there.
    static QString unavailableAdvice();

    // Asks the bus; checked() follows.
    void check();
    // Asks the bus to start the server, then checks again.
    void request();

    bool isAuthorized() const { return m_authorized; }

Q_SIGNALS:
    void checked(bool authorized);

private:
    void finish(bool authorized);

    QDBusConnection m_bus;
    bool m_authorized = false;
};

} // namespace App
