#include "app/desktop/notificationpermission.h"

#include "library/busserviceprobe.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>

namespace App {

NotificationPermission::NotificationPermission(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{
}

QString NotificationPermission::unavailableAdvice()
{
    return tr("No notification service runs in this desktop session. Install one (for example the "
              "\"dunst\" or \"notification-daemon\" package) or start your desktop's own, then "
              "press \"Enable\" again.");
}

void NotificationPermission::check()
{
    if (!m_bus.isConnected()) {
        finish(false);
        return;
    }
    Library::BusServiceProbe::probe(m_bus, serviceName(), this,
                                    [this](bool reachable) { finish(reachable); });
}

void NotificationPermission::request()
{
    QDBusConnectionInterface* daemon = m_bus.isConnected() ? m_bus.interface() : nullptr;
    if (!daemon) {
        finish(false);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        daemon->asyncCall(QStringLiteral("StartServiceByName"), serviceName(), 0u), this);
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
