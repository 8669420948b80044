#include "app/desktop/notificationpermission.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace App {

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");
const QString busInterface = QStringLiteral("org.freedesktop.DBus");

} // namespace

NotificationPermission::NotificationPermission(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{
}

QString NotificationPermission::unavailableAdvice()
{
    return QStringLiteral(
        "No notification service runs in this desktop session. Install one (for example the "
        "\"dunst\" or \"notification-daemon\" package) or start your desktop's own, then "
        "press \"Enable\" again.");
}

void NotificationPermission::check()
{
    if (!m_bus.isConnected()) {
        finish(false);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(busService, busPath, busInterface, QStringLiteral("NameHasOwner"));
    call << serviceName();
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<bool> reply = *finished;
        if (!reply.isError() && reply.value())
            finish(true);
        else
            checkActivatable();
    });
}

void NotificationPermission::checkActivatable()
{
    const QDBusMessage call = QDBusMessage::createMethodCall(busService, busPath, busInterface,
                                                             QStringLiteral("ListActivatableNames"));
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QStringList> reply = *finished;
        finish(!reply.isError() && reply.value().contains(serviceName()));
    });
}

void NotificationPermission::request()
{
    if (!m_bus.isConnected()) {
        finish(false);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(busService, busPath, busInterface,
                                                       QStringLiteral("StartServiceByName"));
    call << serviceName() << 0u;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        check();
    });
}

void NotificationPermission::finish(bool authorized)
{
    m_authorized = authorized;
    Q_EMIT checked(authorized);
}

} // namespace App
